#include "playlist.h"

#include "browse/resultlisting.h"
#include "browse/suratables.h"
#include "data/datacontrol.h"
#include "data/queries.h"

#include <QSet>
#include <algorithm>
#include <QCoreApplication>

namespace zarfan {

QStringList rangeCaptions()
{
    return {QCoreApplication::translate("zarfan::Playlist", "من الآية الحالية إلى آخر السورة"), QCoreApplication::translate("zarfan::Playlist", "الصفحة"), QCoreApplication::translate("zarfan::Playlist", "الجزء"),
            QCoreApplication::translate("zarfan::Playlist", "نتائج البحث"), QCoreApplication::translate("zarfan::Playlist", "الآيات المختارة")};
}

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

namespace {

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

namespace {
bool opensWithBasmala(const AyaRef &a) { return a.aya == 1 && a.sura != 1 && a.sura != 9; }
} // namespace

PlaySequence::PlaySequence(std::vector<AyaRef> range, int ayaRepeat, int rangeRepeat, bool hasBasmala)
    : range_(std::move(range)), ayaRepeat_(std::max(1, ayaRepeat)), rangeRepeat_(std::max(1, rangeRepeat)),
      hasBasmala_(hasBasmala)
{
    starts_.reserve(range_.size());
    for (const AyaRef &a : range_) {
        starts_.push_back(passLength_);
        passLength_ += ayaRepeat_ + (hasBasmala_ && opensWithBasmala(a) ? 1 : 0);
    }
}

PlayStep PlaySequence::at(int index) const
{
    if (index < 0 || index >= size())
        return {};
    const int within = index % passLength_;
    const auto k = std::size_t(std::upper_bound(starts_.begin(), starts_.end(), within) - starts_.begin() - 1);
    const AyaRef &a = range_[k];
    return {a, hasBasmala_ && opensWithBasmala(a) && within == starts_[k]};
}

int PlaySequence::indexOf(int ayaId) const
{
    for (std::size_t k = 0; k < range_.size(); ++k) {
        if (range_[k].id == ayaId)
            return starts_[k];
    }
    return -1;
}

PlaySequence playSequence(const std::vector<AyaRef> &range, int ayaRepeat, int rangeRepeat, bool hasBasmala)
{
    return PlaySequence(range, ayaRepeat, rangeRepeat, hasBasmala);
}

QString ayaCaption(const AyaRef &aya) { return SuraTables::reference(aya.sura, aya.aya); }

} // namespace zarfan
