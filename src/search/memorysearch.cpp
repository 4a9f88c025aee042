#include "memorysearch.h"

#include "foldedtext.h"
#include "searchquery.h"
#include "wordkeyindex.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cmath>
#include <functional>
#include <numeric>
#include <span>
#include <utility>
#include <QCoreApplication>

namespace zarfan {

namespace {
// The longest text with a wildcard the matcher takes: its walk costs the
// text's length times the needle's.
constexpr qsizetype kWildcardLimit = 40;

// The positions of the scores, highest first, ties in their order. Each
// key holds the score's bits (inverted: none is negative, so the bits order
// as the scores do) above the position; scores alike to 2^-39 of their size
// are ties, as sums of the same terms in another order would be. A stable
// radix sort of the upper halves, 11 bits a pass, passes where every key has
// the digit alike skipped; then the rare runs with the upper halves alike
// put in order by the rest.
std::vector<std::uint32_t> highestFirst(const std::vector<double> &score)
{
    constexpr int kBits = 11, kPasses = 3, kAt = 13;
    constexpr std::uint32_t kDigits = 1u << kBits;
    constexpr std::uint64_t kAtMask = (std::uint64_t(1) << kAt) - 1;
    const std::size_t n = score.size();
    if (n > kAtMask + 1) { // more rows than the key has room for
        std::vector<std::uint32_t> order(n);
        std::iota(order.begin(), order.end(), 0u);
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) { return score[a] > score[b]; });
        return order;
    }
    std::vector<std::uint64_t> keys(n), other(n);
    std::array<std::array<std::uint32_t, kDigits>, kPasses> start{};
    for (std::size_t i = 0; i < n; ++i) {
        const std::uint64_t key = (~std::bit_cast<std::uint64_t>(score[i]) & ~kAtMask) | i;
        keys[i] = key;
        for (int pass = 0; pass < kPasses; ++pass)
            ++start[std::size_t(pass)][(key >> (32 + kBits * pass)) & (kDigits - 1)];
    }
    for (int pass = 0; n > 0 && pass < kPasses; ++pass) {
        auto &at = start[std::size_t(pass)];
        const int shift = 32 + kBits * pass;
        if (at[(keys[0] >> shift) & (kDigits - 1)] == n)
            continue;
        std::uint32_t sum = 0;
        for (std::uint32_t &count : at)
            sum += std::exchange(count, sum);
        for (const std::uint64_t key : keys)
            other[at[(key >> shift) & (kDigits - 1)]++] = key;
        keys.swap(other);
    }
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i + 1;
        bool alike = true;
        for (; j < n && keys[j] >> 32 == keys[i] >> 32; ++j)
            alike = alike && (keys[j] & ~kAtMask) == (keys[i] & ~kAtMask);
        if (!alike) // in order by the lower bits, then the position
            std::sort(keys.begin() + std::ptrdiff_t(i), keys.begin() + std::ptrdiff_t(j));
        i = j;
    }
    std::vector<std::uint32_t> order(n);
    for (std::size_t i = 0; i < n; ++i)
        order[i] = std::uint32_t(keys[i] & kAtMask);
    return order;
}

void rankByRelevance(SearchAnswer &answer, const std::vector<std::size_t> &shown, const std::vector<std::vector<int>> &counts,
                     const std::vector<std::vector<float>> &weights, const SearchQuery &query, const FoldedText &folded,
                     SearchTarget target, int first, int last)
{
    constexpr double k1 = 1.2, b = 0.75;
    const std::size_t n = answer.rows.size();
    const std::span<const int> length = folded.wordsPerRow(target);
    const double fixed = k1 * (1 - b), perWord = k1 * b / folded.meanWords(target);
    std::vector<double> score(n, 0.0);
    for (const std::size_t t : shown) {
        int holding = 0;
        for (int r = first; r < last; ++r)
            holding += counts[t][std::size_t(r)] > 0;
        const double idf = std::log(1.0 + (last - first - holding + 0.5) / (holding + 0.5));
        const qsizetype words = query.nodes[t].term.split(u' ', Qt::SkipEmptyParts).size();
        const double weight = (words > 1 ? double(words) + 0.5 : 1.0) * idf * (k1 + 1);
        for (std::size_t i = 0; i < n; ++i) {
            const double tf = weights[t][std::size_t(answer.rows[i])];
            if (tf > 0)
                score[i] += weight * tf / (tf + fixed + perWord * length[std::size_t(answer.rows[i])]);
        }
    }
    const std::vector<std::uint32_t> order = highestFirst(score);
    std::vector<int> rows(n), hits(n);
    answer.scores.assign(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        rows[i] = answer.rows[order[i]];
        hits[i] = answer.hits[order[i]];
        answer.scores[i] = score[order[i]];
    }
    answer.rows = std::move(rows);
    answer.hits = std::move(hits);
}

} // namespace

QString malformedQueryMessage() { return QCoreApplication::translate("zarfan::Memorysearch", "صيغة البحث غير صحيحة"); }

std::vector<ResultRecord> SearchAnswer::records(const FoldedText &text) const
{
    std::vector<ResultRecord> out;
    out.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        out.push_back(text.record(rows[i]));
        out.back().hits = hits[i];
    }
    return out;
}

SearchAnswer answerFromMemory(const QString &typed, const SearchOptions &o, const FoldedText &folded, const WordKeyIndex *keys)
{
    SearchAnswer answer;
    const QString text = withoutStrayGrouping(typed);
    const bool byKey = o.key != WordKey::Letters;
    const SearchTarget target = byKey ? SearchTarget::Quran : o.target;
    if (target == SearchTarget::Notes || (o.literal && !byKey) || !folded.holds(target) || (byKey && (!keys || !keys->isLoaded())))
        return answer;
    // Left to the statements: a word's own lemma as written, a lemma typed
    // with its superscript alef, a hizb without the quarters read, and
    // wildcards too long for the matcher, whose cost grows with the needle
    // (the statements bound theirs in time).
    const bool wild = text.contains(u'%') || text.contains(u'_');
    if (o.key == WordKey::ExactLemma || (o.key == WordKey::Lemma && text.contains(QChar(0x0670))) || (wild && text.size() > kWildcardLimit))
        return answer;
    const std::pair<int, int> scope = folded.scopeRows(o);
    const int first = scope.first, last = scope.second;
    if (o.searchtype == 5 && !folded.holdsQuarters())
        return answer;
    SearchQuery query;
    if (hasSearchOperators(text)) {
        std::optional<SearchQuery> parsed = parseSearchQuery(text);
        if (!parsed) {
            answer.status = SearchAnswer::Status::Malformed;
            return answer;
        }
        query = std::move(*parsed);
    } else {
        query.nodes.push_back({SearchQuery::Op::Term, text});
        query.root = 0;
    }
    answer.status = SearchAnswer::Status::Answered;
    const std::size_t n = std::size_t(folded.size());

    // Each term once: its count in every row, and by key its words.
    std::vector<std::vector<int>> counts(query.nodes.size());
    std::vector<std::vector<float>> weights(o.byRelevance ? query.nodes.size() : 0);
    std::vector<WordsByAya> termWords(query.nodes.size());
    bool anyKnown = false;
    for (std::size_t t = 0; t < query.nodes.size(); ++t) {
        const SearchQuery::Node &node = query.nodes[t];
        if (node.op != SearchQuery::Op::Term)
            continue;
        const QString searched = searchedText(node.term, o);
        if (!byKey) {
            counts[t] = folded.termCounts(searched, o.singleWord, target, first, last, o.byRelevance ? &weights[t] : nullptr);
            continue;
        }
        if (o.byRelevance)
            weights[t].assign(n, 0.0f);
        counts[t].assign(n, 0);
        termWords[t] = keys->words(searched, o.key);
        anyKnown = anyKnown || !termWords[t].isEmpty();
        for (auto it = termWords[t].cbegin(); it != termWords[t].cend(); ++it) {
            const int row = folded.indexOfId(it.key());
            if (row < 0)
                continue;
            counts[t][std::size_t(row)] = int(it.value().size());
            if (o.byRelevance) {
                // The word typed itself weighs more than its kin.
                const QStringList aya = folded.padded(row).split(u' ', Qt::SkipEmptyParts);
                for (const int word : it.value())
                    weights[t][std::size_t(row)] += aya.value(word - 1) == searched ? 1.0f : 0.5f;
            }
        }
    }
    answer.keyUnknown = byKey && !anyKnown;

    // Which rows the whole combination keeps.
    const std::function<std::vector<char>(int)> keep = [&](int k) {
        const SearchQuery::Node &node = query.nodes[std::size_t(k)];
        std::vector<char> in(n, 0);
        if (node.op == SearchQuery::Op::Term) {
            for (std::size_t r = std::size_t(first); r < std::size_t(last); ++r)
                in[r] = counts[std::size_t(k)][r] > 0;
            return in;
        }
        const std::vector<char> a = keep(node.left), b = keep(node.right);
        for (std::size_t r = std::size_t(first); r < std::size_t(last); ++r)
            in[r] = node.op == SearchQuery::Op::Both ? a[r] && b[r] : node.op == SearchQuery::Op::Either ? a[r] || b[r] : a[r] && !b[r];
        return in;
    };
    const std::vector<char> kept = keep(query.root);

    // The terms that count: every one not on the right of a " - ".
    std::vector<std::size_t> shown;
    const std::function<void(int)> collect = [&](int k) {
        const SearchQuery::Node &node = query.nodes[std::size_t(k)];
        if (node.op == SearchQuery::Op::Term) {
            shown.push_back(std::size_t(k));
            return;
        }
        collect(node.left);
        if (node.op != SearchQuery::Op::Without)
            collect(node.right);
    };
    collect(query.root);
    for (const std::size_t t : shown)
        answer.terms.append(searchedText(query.nodes[t].term, o));

    for (std::size_t r = std::size_t(first); r < std::size_t(last); ++r) {
        if (!kept[r])
            continue;
        int hits = 0;
        for (const std::size_t t : shown)
            hits += counts[t][r];
        answer.rows.push_back(int(r));
        answer.hits.push_back(hits);
    }
    if (o.byRelevance)
        rankByRelevance(answer, shown, counts, weights, query, folded, target, first, last);
    // The marked words of every term that counts, in the whole text as the
    // statements give them (an empty set says the key is unknown).
    for (const std::size_t t : shown) {
        for (auto it = termWords[t].cbegin(); it != termWords[t].cend(); ++it) {
            QList<int> &words = answer.words[it.key()];
            words += it.value();
            std::sort(words.begin(), words.end());
            words.erase(std::unique(words.begin(), words.end()), words.end());
        }
    }
    return answer;
}

} // namespace zarfan
