#include "distribution.h"

#include "resultlisting.h"
#include "suratables.h"

#include <map>
#include <vector>
#include <QCoreApplication>

namespace zarfan {

std::vector<DistributionRow> distribution(const ResultListing &listing, bool byJuz)
{
    std::map<int, DistributionRow> rows;
    for (int k = 0; k < listing.count(); ++k) {
        const ResultRecord &r = listing.at(k);
        const int key = byJuz ? r.juz.toInt() : SuraTables::numberFromText(r.sura);
        auto [it, added] = rows.try_emplace(key);
        DistributionRow &row = it->second;
        if (added) {
            row.key = key;
            row.label = byJuz ? QCoreApplication::translate("zarfan::Distribution", "الجزء %1").arg(key) : SuraTables::name(key);
            row.firstLine = k;
        }
        ++row.ayas;
        row.occurrences += r.hits;
    }
    std::vector<DistributionRow> out;
    out.reserve(rows.size());
    for (auto &[key, row] : rows)
        out.push_back(std::move(row));
    return out;
}

ListingCounts listingCounts(const ResultListing &listing)
{
    ListingCounts counts;
    std::vector<bool> seen(SuraTables::kSuraCount + 1, false);
    for (int k = 0; k < listing.count(); ++k) {
        counts.occurrences += listing.at(k).hits;
        const int sura = SuraTables::numberFromText(listing.at(k).sura);
        if (!seen[std::size_t(sura)]) {
            seen[std::size_t(sura)] = true;
            ++counts.suras;
        }
    }
    counts.ayas = listing.count();
    return counts;
}

} // namespace zarfan
