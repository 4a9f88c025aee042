#pragma once

#include "notes/notesstore.h"

#include <QLabel>
#include <optional>

namespace zarfan {

// The status bar's line of the displayed aya's note: its first line, the
// start of its text as a tool tip.
class NoteStatusLine : public QLabel {
    Q_OBJECT
public:
    explicit NoteStatusLine(QWidget *parent);
    void showNote(const std::optional<Note> &note);
};

} // namespace zarfan
