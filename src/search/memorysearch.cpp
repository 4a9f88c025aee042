#include "memorysearch.h"

#include "foldedtext.h"
#include "searchquery.h"
#include "wordkeyindex.h"

#include <algorithm>
#include <functional>

namespace zarfan {

QString malformedQueryMessage() { return QStringLiteral("صيغة البحث غير صحيحة"); }

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

SearchAnswer answerFromMemory(const QString &text, const SearchOptions &o, const FoldedText &folded, const WordKeyIndex *keys)
{
    SearchAnswer answer;
    const bool byKey = o.key != WordKey::Letters;
    if (o.target != SearchTarget::Quran || (o.literal && !byKey) || !folded.isLoaded() || (byKey && (!keys || !keys->isLoaded())))
        return answer;
    // Left to the statements: the hizb and page scopes, a word's own lemma as
    // written, a lemma typed with its superscript alef, and wildcards, whose
    // matching the statements bound in time.
    if (o.searchtype > 4 || o.key == WordKey::ExactLemma || (o.key == WordKey::Lemma && text.contains(QChar(0x0670)))
        || text.contains(u'%') || text.contains(u'_'))
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
    std::vector<WordsByAya> termWords(query.nodes.size());
    bool anyKnown = false;
    for (std::size_t t = 0; t < query.nodes.size(); ++t) {
        const SearchQuery::Node &node = query.nodes[t];
        if (node.op != SearchQuery::Op::Term)
            continue;
        const QString searched = searchedText(node.term, o);
        if (!byKey) {
            counts[t] = folded.termCounts(searched, o.singleWord);
            continue;
        }
        counts[t].assign(n, 0);
        termWords[t] = keys->words(searched, o.key);
        anyKnown = anyKnown || !termWords[t].isEmpty();
        for (auto it = termWords[t].cbegin(); it != termWords[t].cend(); ++it) {
            const int row = folded.indexOfId(it.key());
            if (row >= 0)
                counts[t][std::size_t(row)] = int(it.value().size());
        }
    }
    answer.keyUnknown = byKey && !anyKnown;

    // Which rows the whole combination keeps.
    const std::function<std::vector<char>(int)> keep = [&](int k) {
        const SearchQuery::Node &node = query.nodes[std::size_t(k)];
        std::vector<char> in(n, 0);
        if (node.op == SearchQuery::Op::Term) {
            for (std::size_t r = 0; r < n; ++r)
                in[r] = counts[std::size_t(k)][r] > 0;
            return in;
        }
        const std::vector<char> a = keep(node.left), b = keep(node.right);
        for (std::size_t r = 0; r < n; ++r)
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

    for (std::size_t r = 0; r < n; ++r) {
        if (!kept[r] || !folded.inScope(int(r), o))
            continue;
        int hits = 0;
        for (const std::size_t t : shown)
            hits += counts[t][r];
        answer.rows.push_back(int(r));
        answer.hits.push_back(hits);
    }
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
