#pragma once

#include <QString>
#include <vector>

namespace zarfan {

class ResultListing;

// One row of the distribution of a listing's lines: a sura (or a juz), the
// first line of it in the listing, its ayas and the occurrences of the search
// in them.
struct DistributionRow {
    int key = 0; // sura or juz number
    QString label;
    int firstLine = 0;
    int ayas = 0;
    int occurrences = 0;
};

// In scripture order, only suras (or juz) that have lines.
std::vector<DistributionRow> distribution(const ResultListing &listing, bool byJuz);

// The counts of a listing: occurrences (of a word search), ayas and suras.
struct ListingCounts {
    int occurrences = 0, ayas = 0, suras = 0;
};
ListingCounts listingCounts(const ResultListing &listing);

} // namespace zarfan
