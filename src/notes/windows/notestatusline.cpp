#include "notestatusline.h"

namespace zarfan {

NoteStatusLine::NoteStatusLine(QWidget *parent) : QLabel(parent) { setObjectName(QStringLiteral("statusNote")); }

void NoteStatusLine::showNote(const std::optional<Note> &note)
{
    const QString line = note ? tr("خاطرة : ") + note->firstLine() : QString();
    setText(line);
    setAccessibleName(line);
    setToolTip(note ? note->text.left(500) : QString());
}

} // namespace zarfan
