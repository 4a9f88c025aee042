#include "referenceparser.h"

#include <algorithm>

namespace zarfan {

namespace {
constexpr int kItemLimit = 10;

// A 16-bit integer as the conversion reads it: blanks around the digits are
// allowed, nothing else.
bool toAyaNumber(const QString &text, int *value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < -32768 || v > 32767)
        return false;
    *value = v;
    return true;
}
} // namespace

ResolvedReference resolveReference(const QString &reference, int ayaLimit)
{
    ResolvedReference out;
    const QStringList items = reference.split(u',').mid(0, kItemLimit);
    QStringList ranges;
    for (const QString &item : items) {
        if (item.contains(u'-')) {
            ranges.append(item);
            continue;
        }
        int n = 0;
        if (toAyaNumber(item, &n) && n >= 1 && n <= ayaLimit)
            out.numbers.append(item.trimmed());
    }
    for (const QString &range : ranges) {
        const QStringList bounds = range.split(u'-');
        int a = 0, b = 0;
        if (!toAyaNumber(bounds.value(0), &a) || !toAyaNumber(bounds.value(1), &b))
            continue;
        // Counting from a up to b; nothing when b < a, and never past the sura.
        const int from = std::max(a, 1);
        const int to = std::min(b, ayaLimit);
        for (int n = from; n <= to; ++n)
            out.numbers.append(QString::number(n));
    }
    out.joined = out.numbers.join(u',');
    return out;
}

QString referenceQuery(const ResolvedReference &resolved, const QString &sura)
{
    bool ok = false;
    const int n = sura.toInt(&ok);
    if (resolved.numbers.isEmpty() || !ok || n < 1 || n > 114)
        return QString();
    // Each aya once: overlapping ranges could otherwise name thousands, past
    // what the engine takes in one condition. A sura has at most 286.
    QStringList distinct;
    for (const QString &number : resolved.numbers) {
        if (!distinct.contains(number))
            distinct.append(number);
    }
    const QString numbers = distinct.join(QStringLiteral(" Or ayaano = "));
    return QStringLiteral("SELECT *  FROM Ayat where ( ayaano =  ") + numbers + QStringLiteral(" ) and soraano = ") + sura;
}

QString referenceLine(const QString &suraName, const QString &reference)
{
    QString items = reference;
    items.replace(u',', u' ');
    return suraName + QStringLiteral(" : ") + u'(' + items + u')';
}

} // namespace zarfan
