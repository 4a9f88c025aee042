#include "searchrequest.h"

namespace zarfan {

std::optional<ReadingState::Request> wordSearchRequest(const QString &text, SearchOptions options,
                                                       std::optional<WordKey> key)
{
    if (key) {
        options.key = *key;
        if (*key != WordKey::Letters)
            options.target = SearchTarget::Quran;
    }
    const QString needle = searchedText(text, options);
    if (needle.isEmpty())
        return std::nullopt;
    ReadingState::Request request(buildSearchStatement(text, options), qint16(1), ReadingState::Guard::AllayaasearchOnly);
    request.match = SearchMatch{needle, options.singleWord, options.literal, options.target, options.key};
    return request;
}

} // namespace zarfan
