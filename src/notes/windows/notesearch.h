#pragma once

#include <QObject>
#include <QStringList>

class QWidget;

namespace zarfan {

class NotesStore;
class ReadingState;

// A word search in the notes: lists the ayas of the matching notes and keeps
// the words, to be marked in the notes opened from that listing.
class NoteSearch : public QObject {
    Q_OBJECT
public:
    NoteSearch(NotesStore &store, ReadingState &state, QWidget *window);

    // False when no note matched (the reader is told).
    bool search(const QString &typed);
    // Of the note search behind the listing; none after any other listing.
    const QStringList &words() const { return words_; }
    void forget() { words_.clear(); }

private:
    NotesStore &store_;
    ReadingState &state_;
    QWidget *window_;
    QStringList words_;
};

} // namespace zarfan
