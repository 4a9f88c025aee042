#include "windowplaces.h"

#include <QList>
#include <algorithm>

namespace zarfan {

std::optional<QRect> parsePlace(const QByteArray &text)
{
    const QList<QByteArray> n = text.split(',');
    if (n.size() != 4)
        return std::nullopt;
    const QRect place(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt());
    if (place.width() < 100 || place.height() < 100)
        return std::nullopt;
    return place;
}

QByteArray placeText(const QRect &place)
{
    return QByteArray::number(place.x()) + ',' + QByteArray::number(place.y()) + ','
        + QByteArray::number(place.width()) + ',' + QByteArray::number(place.height());
}

std::optional<QSize> parseSize(const QByteArray &text)
{
    const QList<QByteArray> n = text.split(',');
    if (n.size() != 2 || n[0].toInt() < 100 || n[1].toInt() < 100)
        return std::nullopt;
    return QSize(std::min(n[0].toInt(), 4000), std::min(n[1].toInt(), 4000));
}

QByteArray sizeText(const QSize &size)
{
    return QByteArray::number(size.width()) + ',' + QByteArray::number(size.height());
}

std::optional<TafsirColumn> parseTafsirShown(const QByteArray &text)
{
    if (text == "jalalayn")
        return TafsirColumn::Jalalayn;
    if (text == "muyassar")
        return TafsirColumn::Muyassar;
    return std::nullopt;
}

QByteArray tafsirShownText(std::optional<TafsirColumn> shown)
{
    if (!shown)
        return {};
    return *shown == TafsirColumn::Jalalayn ? QByteArray("jalalayn") : QByteArray("muyassar");
}

} // namespace zarfan
