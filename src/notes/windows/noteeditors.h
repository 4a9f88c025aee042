#pragma once

#include "notes/notesstore.h"

#include <QObject>
#include <QStringList>

class QWidget;

namespace zarfan {

class NoteEditor;
class WindowOpening;

// The open note editors: one per note, all opened through the window opener.
class NoteEditors : public QObject {
    Q_OBJECT
public:
    NoteEditors(NotesStore &store, WindowOpening &opening, QWidget *owner);

    NoteEditor *open(const Note &note);
    // Each open editor asks about unsaved text; false when one stays.
    bool closeAll();
    // The words a note search marked, marked in each editor opened next.
    void setMarkedWords(const QStringList &foldedWords) { markedWords_ = foldedWords; }

signals:
    void notesChanged();

private:
    NotesStore &store_;
    WindowOpening &opening_;
    QWidget *owner_;
    QStringList markedWords_;
};

} // namespace zarfan
