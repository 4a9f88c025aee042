#pragma once

#include <QFont>
#include <QString>

namespace zarfan {

// Tahoma and MS Sans Serif, the faces the windows were drawn with, are
// absent on Linux: map them to a good installed Arabic face. The settings
// file keeps the names the user chose.
void installFontSubstitutions();

// A font of the windows' design: the face at a fractional point size.
QFont designFont(const QString &family, double pointSize);

// The font with the face, size and style all.txt keeps, where it names a face
// this system has or substitutes.
QFont withSavedFont(QFont font, const QString &appFolder);

} // namespace zarfan
