#pragma once

#include "notesstore.h"

#include <QObject>
#include <QPointer>
#include <QStyledItemDelegate>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QListView;
class QMainWindow;
class QMenu;
class QPlainTextEdit;

namespace zarfan {

class AyaListsWindow;
class NoteEditor;
class NotesBrowser;
class ReadingState;

// Draws a mark beside the reference of a listing line whose aya has a note;
// the line's text stays as it is.
class NoteMarkDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    NoteMarkDelegate(std::function<bool(int row)> marked, QObject *parent)
        : QStyledItemDelegate(parent), marked_(std::move(marked))
    {
    }
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    std::function<bool(int row)> marked_;
};

// The menu "خواطري" and everything it reaches: the note editor, the notes
// window, the named lists, export and import, and the marks of the main
// window's listing.
class NotesCommands : public QObject {
    Q_OBJECT
public:
    NotesCommands(ReadingState &state, QMainWindow *window, QListView *listing, QPlainTextEdit *ayaBox);
    ~NotesCommands() override;

    NotesStore *store() { return store_.get(); }
    QMenu *menu() const { return menu_; }
    QAction *noteAction() const { return noteAction_; }
    // The note item for the aya box's context menu.
    void addTextMenuItems(QMenu *menu);

    // The ayas a command applies to: the selected lines of one sura, else
    // the displayed aya.
    AyaRange pickedRange() const;
    std::vector<ListAya> pickedAyas() const;
    // The note the note command opens for a range: the aya's, or the one on
    // exactly those ayas.
    std::optional<Note> pickedNote(const AyaRange &range) const;

    // A word search in the notes: lists the ayas of the matching notes.
    // False when no note matched (the reader is told).
    bool searchNotes(const QString &typed);

    NoteEditor *openNote();
    NoteEditor *openEditor(const Note &note);
    NotesBrowser *openBrowser();
    AyaListsWindow *openLists();
    bool exportTo(const QString &path, QString *error = nullptr) const;
    void importFrom(const QString &path);
    // Each open note editor asks about unsaved text; false when one stays.
    bool closeEditors();

public slots:
    void exportNotes();
    void importNotes();
    // After any change: marks, status line and open windows read again.
    void refresh();

private:
    void showDisplayedNote();
    void composeAyas(const QStringList &ids, const QStringList &lines);

    ReadingState &state_;
    QMainWindow *window_;
    QListView *listing_;
    QPlainTextEdit *ayaBox_;
    std::unique_ptr<NotesStore> store_;
    QMenu *menu_ = nullptr;
    QAction *noteAction_ = nullptr;
    QLabel *noteLine_ = nullptr;
    QStringList searchedWords_; // of the note search behind the listing
    QPointer<NotesBrowser> browser_;
    QPointer<AyaListsWindow> lists_;
};

} // namespace zarfan
