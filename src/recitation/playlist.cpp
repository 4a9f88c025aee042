#include "playlist.h"

#include "browse/resultlisting.h"
#include "browse/suratables.h"
#include "data/datacontrol.h"
#include "data/queries.h"

#include <QSet>

namespace zarfan {

QStringList rangeCaptions()
{
    return {QStringLiteral("من الآية الحالية إلى آخر السورة"), QStringLiteral("الصفحة"), QStringLiteral("الجزء"),
            QStringLiteral("نتائج البحث"), QStringLiteral("الآيات المختارة")};
}

namespace {
std::vector<AyaRef> ayasOf(DataControl &data, const QString &statement)
{
    data.setCopiedColumns({QStringLiteral("ID"), QStringLiteral("soraano"), QStringLiteral("ayaano"),
                           QStringLiteral("chapterNO"), QStringLiteral("pageno")});
    data.setRecordSource(statement);
    std::vector<AyaRef> out;
    if (!data.refresh())
        return out;
    const int cId = data.column(u"ID"), cSura = data.column(u"soraano"), cAya = data.column(u"ayaano");
    for (; !data.eof(); data.moveNext())
        out.push_back({data.field(cId).toInt(), data.field(cSura).toInt(), data.field(cAya).toInt()});
    return out;
}

QString where(const char *column, const QString &value)
{
    return QStringLiteral("SELECT ID, soraano, ayaano, chapterNO, pageno FROM Ayat where %1 = %2 order by ID")
        .arg(QLatin1String(column), value);
}
} // namespace

std::vector<AyaRef> expandRange(RangeKind kind, DataControl &data, int currentAyaId, const ResultListing &listing,
                                const QStringList &chosenIds)
{
    if (kind == RangeKind::Listing || kind == RangeKind::Chosen) {
        QStringList ids;
        if (kind == RangeKind::Listing) {
            for (int k = 0; k < listing.count(); ++k)
                ids.append(listing.at(k).id);
        } else {
            ids = chosenIds;
        }
        // One statement for all, then put back in the listing's order.
        QStringList numbers;
        for (const QString &id : ids) {
            if (id.toInt() > 0)
                numbers.append(QString::number(id.toInt()));
        }
        if (numbers.isEmpty())
            return {};
        QHash<int, AyaRef> byId;
        for (const AyaRef &a : ayasOf(data, QStringLiteral("SELECT ID, soraano, ayaano FROM Ayat where ID in (%1)").arg(numbers.join(u','))))
            byId.insert(a.id, a);
        std::vector<AyaRef> out;
        for (const QString &n : numbers) {
            if (byId.contains(n.toInt()))
                out.push_back(byId.value(n.toInt()));
        }
        return out;
    }
    if (currentAyaId <= 0)
        return {};
    data.setCopiedColumns({QStringLiteral("ID"), QStringLiteral("soraano"), QStringLiteral("ayaano"),
                           QStringLiteral("chapterNO"), QStringLiteral("pageno")});
    data.setRecordSource(where("ID", QString::number(currentAyaId)));
    if (!data.refresh() || data.eof())
        return {};
    const QString sura = data.field(u"soraano"), juz = data.field(u"chapterNO"), page = data.field(u"pageno");
    switch (kind) {
    case RangeKind::ToSuraEnd: {
        std::vector<AyaRef> all = ayasOf(data, where("soraano", QString::number(sura.toInt())));
        std::erase_if(all, [&](const AyaRef &a) { return a.id < currentAyaId; });
        return all;
    }
    case RangeKind::Page:
        return ayasOf(data, where("pageno", QString::number(page.toInt())));
    case RangeKind::Juz:
        return ayasOf(data, where("chapterNO", QString::number(juz.toInt())));
    default:
        return {};
    }
}

std::vector<PlayStep> playSequence(const std::vector<AyaRef> &range, int ayaRepeat, int rangeRepeat, bool hasBasmala)
{
    std::vector<PlayStep> out;
    for (int r = 0; r < std::max(1, rangeRepeat); ++r) {
        for (const AyaRef &a : range) {
            if (hasBasmala && a.aya == 1 && a.sura != 1 && a.sura != 9)
                out.push_back({a, true});
            for (int n = 0; n < std::max(1, ayaRepeat); ++n)
                out.push_back({a, false});
        }
    }
    return out;
}

QString ayaCaption(const AyaRef &aya) { return SuraTables::reference(aya.sura, aya.aya); }

} // namespace zarfan
