#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QSize>
#include <optional>

namespace zarfan {

// Window places and sizes as the user store keeps them: "x,y,width,height"
// and "width,height". A stored value is used only when it is plain numbers
// and fits a screen as it is now: a file edited by hand, or one from a larger
// screen, must not put a window out of reach or make one too big to paint.

// The place, when it fits wholly inside one available screen area with its
// top edge, and so its title bar, on that screen.
std::optional<QRect> fittingPlace(const QByteArray &stored, const QList<QRect> &availableScreens);
// The size, when it fits inside one available screen area.
std::optional<QSize> fittingSize(const QByteArray &stored, const QList<QRect> &availableScreens);

// The text fittingPlace reads.
QByteArray placeText(const QRect &place);

} // namespace zarfan
