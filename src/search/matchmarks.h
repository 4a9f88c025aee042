#pragma once

#include "browse/ayadisplay.h"
#include "search/occurrences.h"

#include <optional>

namespace zarfan {

// The tafsir a search looked in, if it looked in one.
std::optional<TafsirColumn> tafsirOf(SearchTarget target);

// Where the listing's search is marked on the aya shown and on its tafsir.
struct MatchMarks {
    QList<TextRange> aya, tafsir;
};

// aya is the shown aya without its line; matchedWords are its words a root or
// lemma search matched; tafsir is the text of the tafsir column shown; terms
// are the folded terms searched from memory (then marked instead of the
// needle alone).
MatchMarks matchMarks(const std::optional<SearchMatch> &match, QStringView aya, const QList<int> &matchedWords,
                      QStringView tafsir, TafsirColumn tafsirShown, const QStringList &terms = {});

} // namespace zarfan
