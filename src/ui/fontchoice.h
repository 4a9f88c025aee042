#pragma once

#include <QFont>
#include <optional>

class QWidget;

namespace zarfan {

// Asks for a font in the font dialog ("fontDialog"), opened at the face and
// size the reader sees now: a family drawn through a substitute (Tahoma on a
// machine without it) is shown as the face that draws it. Nothing when the
// reader cancels or accepts without a change, so the font stays exactly as it
// was, family and fractional size alike.
std::optional<QFont> askForFont(const QFont &current, QWidget *parent);

} // namespace zarfan
