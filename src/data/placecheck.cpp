#include "placecheck.h"

#include <QRegularExpression>

namespace zarfan {

namespace {

constexpr int kSmallest = 100;

// Plain decimal numbers, an optional minus sign, nothing else.
std::optional<QList<int>> numbers(const QByteArray &stored, int count)
{
    const QList<QByteArray> parts = stored.split(',');
    if (parts.size() != count)
        return std::nullopt;
    QList<int> out;
    for (const QByteArray &part : parts) {
        static const QRegularExpression plain(QStringLiteral("^-?[0-9]{1,6}$"));
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

std::optional<QRect> fittingPlace(const QByteArray &stored, const QList<QRect> &availableScreens)
{
    const auto n = numbers(stored, 4);
    if (!n)
        return std::nullopt;
    const QRect place(n->at(0), n->at(1), n->at(2), n->at(3));
    for (const QRect &area : availableScreens) {
        if (fitsSize(place.size(), area) && area.contains(place))
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

QByteArray placeText(const QRect &place)
{
    return QByteArray::number(place.x()) + ',' + QByteArray::number(place.y()) + ',' + QByteArray::number(place.width())
        + ',' + QByteArray::number(place.height());
}

} // namespace zarfan
