#pragma once

#include "search/searchstatement.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <vector>

namespace zarfan {

class FoldedText;
struct Note;

// The notes held in memory for searching: each note's text and tags folded
// once, when the store is read, and again only when the note is saved. A
// search answers as the aya text does: " + ", " | ", " - " left to right,
// parentheses, whole words with their prefixes in the single-word mode, and
// the scope applied to the ayas of the notes found.
class NotesIndex {
public:
    void build(const std::vector<Note> &notes);
    void put(const Note &note);
    void remove(qint64 id);
    int size() const { return int(notes_.size()); }

    struct Answer {
        bool malformed = false;
        QList<int> ayas;    // by ID, in order
        QStringList words;  // the folded words to mark
    };
    // Each term holds its words anywhere in a note, in any order. The scope
    // needs the aya texts' divisions; without them it is the whole text.
    Answer search(const QString &typed, const SearchOptions &options, const FoldedText *text) const;

    // The searched form of a note's text and tags.
    static QString searchedForm(const QString &text, const QStringList &tags);

private:
    struct Entry {
        qint64 id = 0;
        int sura = 0, from = 0, to = 0;
        QString padded; // " word word ... "
    };
    std::vector<Entry> notes_; // by id
};

} // namespace zarfan
