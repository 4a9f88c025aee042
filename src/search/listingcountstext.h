#pragma once

#include "browse/distribution.h"
#include "search/occurrences.h"

#include <optional>

namespace zarfan {

// The status bar's line on a listing: its ayas and suras, and for a word
// search its occurrences and the tafsir searched; for a root or lemma the
// data does not know, only that.
QString listingCountsText(const ListingCounts &counts, const std::optional<SearchMatch> &match, bool keyUnknown);

} // namespace zarfan
