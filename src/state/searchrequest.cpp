#include "searchrequest.h"

#include "search/ayareference.h"
#include "search/searchquery.h"
#include "state/searchmemory.h"

namespace zarfan {

bool readsAsReference(const QString &text, const SearchOptions &options)
{
    if (!holdsDigit(text))
        return false;
    return options.target == SearchTarget::Quran || options.key != WordKey::Letters || searchedText(text, options).isEmpty();
}

SearchOptions searchOptionsWithKey(SearchOptions options, std::optional<WordKey> key)
{
    if (key) {
        options.key = *key;
        if (*key != WordKey::Letters)
            options.target = SearchTarget::Quran;
    }
    return options;
}

WordSearch forgivingSearchRequest(const QString &typed, SearchOptions options, std::optional<WordKey> key,
                                  const SearchMemory &memory)
{
    const QString text = withoutStrayGrouping(typed);
    options = searchOptionsWithKey(options, key);
    const SearchAnswer answer = memory.answer(text, options);
    switch (answer.status) {
    case SearchAnswer::Status::Malformed:
        return {std::nullopt, malformedQueryMessage()};
    case SearchAnswer::Status::Answered:
        if (searchedText(text, options).isEmpty())
            return {};
        return {memory.request(answer, text, options), {}};
    case SearchAnswer::Status::NotInMemory:
        break;
    }
    return {wordSearchRequest(text, options, std::nullopt), {}};
}

std::optional<ReadingState::Request> wordSearchRequest(const QString &typed, SearchOptions options,
                                                       std::optional<WordKey> key)
{
    const QString text = withoutStrayGrouping(typed);
    options = searchOptionsWithKey(options, key);
    const QString needle = searchedText(text, options);
    if (needle.isEmpty())
        return std::nullopt;
    ReadingState::Request request(buildSearchStatement(text, options), qint16(1), ReadingState::Guard::AllayaasearchOnly);
    request.match = SearchMatch{needle, options.singleWord, options.literal, options.target, options.key};
    return request;
}

} // namespace zarfan
