#pragma once

#include "browse/ayadisplay.h"

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QSize>
#include <optional>

namespace zarfan {

// A window's place as the user store keeps it, "x,y,width,height"; none for
// any other text or a size too small to have been meant.
std::optional<QRect> parsePlace(const QByteArray &text);
QByteArray placeText(const QRect &place);

// A window's size, "width,height", at most 4000 a side; none for any other
// text or a size too small to have been meant.
std::optional<QSize> parseSize(const QByteArray &text);
QByteArray sizeText(const QSize &size);

// A stored value is used only when it is plain numbers and fits a screen as
// it is now: a file edited by hand, or one from a larger screen, must not put
// a window out of reach or make one too big to paint.
// The place, when it fits wholly inside one available screen area with its
// top edge, and so its title bar, on that screen.
std::optional<QRect> fittingPlace(const QByteArray &stored, const QList<QRect> &availableScreens);
// The size, when it fits inside one available screen area.
std::optional<QSize> fittingSize(const QByteArray &stored, const QList<QRect> &availableScreens);
// The areas of the screens attached now, less their panels.
QList<QRect> availableScreenAreas();

// Which tafsir the main window showed, if any.
std::optional<TafsirColumn> parseTafsirShown(const QByteArray &text);
QByteArray tafsirShownText(std::optional<TafsirColumn> shown);

} // namespace zarfan
