#pragma once

#include "notes/notesstore.h"

#include <QObject>
#include <QPointer>
#include <memory>

class QAction;
class QListView;
class QMainWindow;
class QMenu;

namespace zarfan {

class AyaListsWindow;
class ListingPick;
class NoteEditor;
class NoteEditors;
class NoteSearch;
class NoteStatusLine;
class NotesBrowser;
class NotesTransferDialogs;
class ReadingState;
class WindowOpening;

// The menu "خواطري": wires the note editors, the notes and lists windows
// (opened through the window opener), export and import, the note search,
// the status line and the marks of the main window's listing.
class NotesCommands : public QObject {
    Q_OBJECT
public:
    NotesCommands(ReadingState &state, QMainWindow *window, QListView *listing, WindowOpening &opening);
    ~NotesCommands() override;

    NotesStore *store() { return store_.get(); }
    QMenu *menu() const { return menu_; }
    QAction *noteAction() const { return noteAction_; }
    // The note item for the aya box's context menu.
    void addTextMenuItems(QMenu *menu);

    // A word search in the notes: lists the ayas of the matching notes.
    // False when no note matched (the reader is told).
    bool searchNotes(const QString &typed);

    NoteEditor *openNote();
    NoteEditor *openEditor(const Note &note);
    NotesBrowser *openBrowser();
    AyaListsWindow *openLists();
    NotesTransferDialogs *transfer() const { return transfer_; }
    // Each open note editor asks about unsaved text; false when one stays.
    bool closeEditors();

public slots:
    // After any change: marks, status line and open windows read again.
    void refresh();

signals:
    // A named list to be composed: the ayas by ID with their lines.
    void composeWanted(const QStringList &ids, const QStringList &lines);

private:
    void showDisplayedNote();

    ReadingState &state_;
    QMainWindow *window_;
    QListView *listing_;
    WindowOpening &opening_;
    std::unique_ptr<NotesStore> store_;
    std::unique_ptr<ListingPick> pick_;
    QMenu *menu_ = nullptr;
    QAction *noteAction_ = nullptr;
    NoteStatusLine *noteLine_ = nullptr;
    NoteEditors *editors_ = nullptr;
    NoteSearch *search_ = nullptr;
    NotesTransferDialogs *transfer_ = nullptr;
    QPointer<NotesBrowser> browser_;
};

} // namespace zarfan
