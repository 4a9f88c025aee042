#pragma once

#include "browse/ayadisplay.h"

#include <QByteArray>
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

// Which tafsir the main window showed, if any.
std::optional<TafsirColumn> parseTafsirShown(const QByteArray &text);
QByteArray tafsirShownText(std::optional<TafsirColumn> shown);

} // namespace zarfan
