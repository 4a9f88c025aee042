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
#include <QCoreApplication>

namespace zarfan {

namespace {
// The longest text with a wildcard the matcher takes: its walk costs the
// text's length times the needle's.
constexpr qsizetype kWildcardLimit = 40;

// The positions of the scores, highest first, ties in their order. The
// scores' bits order as the scores do (none is negative): a stable radix
// sort of their upper halves, a byte a pass, then the few runs whose
// upper halves are alike put in order by the lower ones.
std::vector<std::size_t> highestFirst(const std::vector<double> &score)
{
    struct Item {
        std::uint32_t high, at;
    };
    constexpr int kBits = 8, kPasses = 4;
    constexpr std::uint32_t kMask = (1u << kBits) - 1;
    const std::size_t n = score.size();
    const auto key = [&](std::size_t i) { return ~std::bit_cast<std::uint64_t>(score[i]); };
    std::vector<Item> order(n), sorted(n);
    std::vector<std::array<std::uint32_t, (1u << kBits) + 1>> start(kPasses);
    for (std::size_t i = 0; i < n; ++i) {
        order[i] = {std::uint32_t(key(i) >> 32), std::uint32_t(i)};
        for (int pass = 0; pass < kPasses; ++pass)
            ++start[std::size_t(pass)][((order[i].high >> (kBits * pass)) & kMask) + 1];
    }
    for (int pass = 0; pass < kPasses; ++pass) {
        auto &at = start[std::size_t(pass)];
        if (std::find(at.begin(), at.end(), std::uint32_t(n)) != at.end())
            continue; // every key has this digit alike
        for (std::size_t d = 0; d < kMask + 1; ++d)
            at[d + 1] += at[d];
        for (const Item &item : order)
            sorted[at[(item.high >> (kBits * pass)) & kMask]++] = item;
        order.swap(sorted);
    }
    const auto lowerFirst = [&](const Item &a, const Item &b) { return std::uint32_t(key(a.at)) < std::uint32_t(key(b.at)); };
    for (std::size_t i = 0; i < n;) {
        std::size_t j = i + 1;
        while (j < n && order[j].high == order[i].high)
            ++j;
        // Mostly equal scores, already in order: an insertion sort passes
        // over them once.
        if (j - i > 64) {
            std::stable_sort(order.begin() + std::ptrdiff_t(i), order.begin() + std::ptrdiff_t(j), lowerFirst);
        } else {
            for (std::size_t k = i + 1; k < j; ++k) {
                const Item x = order[k];
                std::size_t m = k;
                for (; m > i && lowerFirst(x, order[m - 1]); --m)
                    order[m] = order[m - 1];
                order[m] = x;
            }
        }
        i = j;
    }
    std::vector<std::size_t> out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = order[i].at;
    return out;
}

void rankByRelevance(SearchAnswer &answer, const std::vector<std::size_t> &shown, const std::vector<std::vector<int>> &counts,
                     const std::vector<std::vector<float>> &weights, const SearchQuery &query, const FoldedText &folded,
                     SearchTarget target, int first, int last)
{
    constexpr double k1 = 1.2, b = 0.75;
    const double total = last - first, mean = folded.meanWords(target);
    // Each row's length term once, for every term's sum.
    std::vector<double> norm(answer.rows.size());
    for (std::size_t i = 0; i < answer.rows.size(); ++i)
        norm[i] = k1 * (1 - b + b * (folded.wordCount(answer.rows[i], target) / mean));
    std::vector<double> score(answer.rows.size(), 0.0);
    for (const std::size_t t : shown) {
        double holding = 0;
        for (int r = first; r < last; ++r)
            holding += counts[t][std::size_t(r)] > 0;
        const double idf = std::log(1.0 + (total - holding + 0.5) / (holding + 0.5));
        const qsizetype words = query.nodes[t].term.split(u' ', Qt::SkipEmptyParts).size();
        const double phrase = words > 1 ? double(words) + 0.5 : 1.0;
        for (std::size_t i = 0; i < answer.rows.size(); ++i) {
            const double tf = weights[t][std::size_t(answer.rows[i])];
            if (tf > 0)
                score[i] += phrase * idf * tf * (k1 + 1) / (tf + norm[i]);
        }
    }
    const std::vector<std::size_t> order = highestFirst(score);
    std::vector<int> rows, hits;
    rows.reserve(order.size());
    hits.reserve(order.size());
    answer.scores.clear();
    answer.scores.reserve(order.size());
    for (const std::size_t i : order) {
        rows.push_back(answer.rows[i]);
        hits.push_back(answer.hits[i]);
        answer.scores.push_back(score[i]);
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
