#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class QComboBox;

namespace zarfan {

// The program's fixed title, as message boxes show it.
QString programTitle();

// Registers the icons and pictures of the windows.
void initResources();

// Tahoma and MS Sans Serif, the faces the windows were drawn with, are
// absent on Linux: map them to a good installed Arabic face. The settings
// file keeps the names the user chose.
void installFontSubstitutions();

// An unsorted combo box of fixed items with a prompt in its edit field and
// nothing selected: the position of an item is the number it stands for.
void fillPromptCombo(QComboBox *box, const QStringList &items, const QString &prompt);

// A font of the windows' design: the face at a fractional point size.
QFont designFont(const QString &family, double pointSize);

} // namespace zarfan
