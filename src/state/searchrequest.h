#pragma once

#include "state/readingstate.h"

#include <optional>

namespace zarfan {

// Whether the typed text asks for ayas by number. The scripture text holds
// no digit, so there a digit says so; a tafsir's text is searched for its
// digits, unless nothing searchable is left of the text.
bool readsAsReference(const QString &text, const SearchOptions &options);

// The listing request of a word search for the typed text with the options in
// force, by a word's root or lemma when key says so (then in the scripture
// text); none when nothing is left to look for.
std::optional<ReadingState::Request> wordSearchRequest(const QString &text, SearchOptions options,
                                                       std::optional<WordKey> key);

// The options as a search by that key uses them.
SearchOptions searchOptionsWithKey(SearchOptions options, std::optional<WordKey> key);

// The same answered from the texts in memory when they can answer it (the
// default mode, roots and lemmas; combined terms). A malformed combination
// gives its message and no request.
struct WordSearch {
    std::optional<ReadingState::Request> request;
    QString message;
};
WordSearch forgivingSearchRequest(const QString &text, SearchOptions options, std::optional<WordKey> key,
                                  const SearchMemory &memory);

} // namespace zarfan
