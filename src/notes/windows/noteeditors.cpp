#include "noteeditors.h"

#include "noteeditor.h"
#include "ui/windowopening.h"

#include <QWidget>

namespace zarfan {

NoteEditors::NoteEditors(NotesStore &store, WindowOpening &opening, QWidget *owner)
    : QObject(owner), store_(store), opening_(opening), owner_(owner)
{
}

NoteEditor *NoteEditors::open(const Note &note)
{
    // A note is open once: a saved one by its number, also after it was saved
    // from a new note's editor, a new one by its ayas.
    for (NoteEditor *editor : owner_->findChildren<NoteEditor *>()) {
        if (note.id != 0 && editor->note().id == note.id && editor->isVisible()) {
            editor->raise();
            editor->activateWindow();
            return editor;
        }
    }
    const QString instance = note.id != 0 ? QString::number(note.id) : QStringLiteral("new ") + note.range.text();
    return static_cast<NoteEditor *>(opening_.open(QStringLiteral("note"), instance, [this, &note] {
        auto *editor = new NoteEditor(store_, note, owner_);
        if (!markedWords_.isEmpty())
            editor->markWords(markedWords_);
        connect(editor, &NoteEditor::notesChanged, this, &NoteEditors::notesChanged);
        return editor;
    }));
}

bool NoteEditors::closeAll()
{
    for (NoteEditor *editor : owner_->findChildren<NoteEditor *>()) {
        if (editor->isVisible() && !editor->close())
            return false;
    }
    return true;
}

} // namespace zarfan
