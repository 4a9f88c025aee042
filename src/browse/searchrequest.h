#pragma once

#include "browse/readingstate.h"

#include <optional>

namespace zarfan {

// The listing request of a word search for the typed text with the options in
// force, by a word's root or lemma when key says so (then in the scripture
// text); none when nothing is left to look for.
std::optional<ReadingState::Request> wordSearchRequest(const QString &text, SearchOptions options,
                                                       std::optional<WordKey> key);

} // namespace zarfan
