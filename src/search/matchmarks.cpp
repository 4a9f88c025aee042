#include "matchmarks.h"

#include "searchquery.h"

namespace zarfan {

std::optional<TafsirColumn> tafsirOf(SearchTarget target)
{
    switch (target) {
    case SearchTarget::Jalalayn:
        return TafsirColumn::Jalalayn;
    case SearchTarget::Muyassar:
        return TafsirColumn::Muyassar;
    case SearchTarget::Quran:
    case SearchTarget::Notes:
    case SearchTarget::Translation:
        break;
    }
    return std::nullopt;
}

MatchMarks matchMarks(const std::optional<SearchMatch> &match, QStringView aya, const QList<int> &matchedWords,
                      QStringView tafsir, TafsirColumn tafsirShown, const QStringList &terms)
{
    MatchMarks marks;
    if (!match)
        return marks;
    if (match->key != WordKey::Letters) {
        // The words themselves, by their place among the aya's words.
        const WordMap words = mapWords(aya, WordForm::Cleaned);
        for (const int word : matchedWords) {
            if (word >= 1 && word <= words.display.size())
                marks.aya.append(words.display.at(word - 1));
        }
    } else if (match->target == SearchTarget::Quran) {
        marks.aya = terms.isEmpty() ? highlightRanges(aya, *match) : termRanges(aya, terms, match->singleWord);
    }
    if (tafsirOf(match->target) == tafsirShown)
        marks.tafsir = terms.isEmpty() ? highlightRanges(tafsir, *match) : termRanges(tafsir, terms, match->singleWord);
    return marks;
}

} // namespace zarfan
