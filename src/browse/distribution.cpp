#include "distribution.h"

#include "resultlisting.h"
#include "suratables.h"

#include <map>
#include <set>

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
            row.label = byJuz ? QStringLiteral("الجزء %1").arg(key) : SuraTables::name(key);
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
    std::set<QString> suras;
    for (int k = 0; k < listing.count(); ++k) {
        counts.occurrences += listing.at(k).hits;
        suras.insert(listing.at(k).sura);
    }
    counts.ayas = listing.count();
    counts.suras = int(suras.size());
    return counts;
}

} // namespace zarfan
