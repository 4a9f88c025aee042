#include "windowplaces.h"

#include <QGuiApplication>
#include <QList>
#include <QScreen>
#include <QRegularExpression>
#include <algorithm>

namespace zarfan {

namespace {

constexpr int kSmallest = 100;

// Plain decimal numbers, an optional minus sign, nothing else.
std::optional<QList<int>> numbers(const QByteArray &stored, int count)
{
    const QList<QByteArray> parts = stored.split(',');
    if (parts.size() != count)
        return std::nullopt;
    static const QRegularExpression plain(QStringLiteral("^-?[0-9]{1,6}$"));
    QList<int> out;
    for (const QByteArray &part : parts) {
        if (!plain.match(QString::fromLatin1(part)).hasMatch())
            return std::nullopt;
        out.append(part.toInt());
    }
    return out;
}

bool fitsSize(const QSize &size, const QRect &area)
{
    return size.width() >= kSmallest && size.height() >= kSmallest && size.width() <= area.width()
        && size.height() <= area.height();
}

} // namespace

std::optional<QRect> parsePlace(const QByteArray &text)
{
    const auto n = numbers(text, 4);
    if (!n)
        return std::nullopt;
    const QRect place(n->at(0), n->at(1), n->at(2), n->at(3));
    if (place.width() < kSmallest || place.height() < kSmallest)
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
    const auto n = numbers(text, 2);
    if (!n || n->at(0) < kSmallest || n->at(1) < kSmallest)
        return std::nullopt;
    return QSize(std::min(n->at(0), 4000), std::min(n->at(1), 4000));
}

QByteArray sizeText(const QSize &size)
{
    return QByteArray::number(size.width()) + ',' + QByteArray::number(size.height());
}

std::optional<QRect> fittingPlace(const QByteArray &stored, const QList<QRect> &availableScreens)
{
    const std::optional<QRect> place = parsePlace(stored);
    if (!place)
        return std::nullopt;
    for (const QRect &area : availableScreens) {
        if (fitsSize(place->size(), area) && area.contains(*place))
            return place;
    }
    return std::nullopt;
}

std::optional<QSize> fittingSize(const QByteArray &stored, const QList<QRect> &availableScreens)
{
    const auto n = numbers(stored, 2);
    if (!n)
        return std::nullopt;
    const QSize size(n->at(0), n->at(1));
    for (const QRect &area : availableScreens) {
        if (fitsSize(size, area))
            return size;
    }
    return std::nullopt;
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

QList<QRect> availableScreenAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}

} // namespace zarfan
