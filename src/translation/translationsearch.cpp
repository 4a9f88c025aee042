#include "translationsearch.h"

#include "search/searchquery.h"
#include "translationfolding.h"

namespace zarfan {

namespace {
// The folded term without its padding: " word word " gives "word word".
QString bareTerm(const QString &typed) { return foldTranslation(typed).trimmed(); }
} // namespace

std::optional<TranslationSearch> TranslationSearch::parse(const QString &typed)
{
    const std::optional<SearchQuery> query = parseSearchQuery(typed);
    if (!query)
        return std::nullopt;
    TranslationSearch search;
    for (const SearchQuery::Node &n : query->nodes) {
        Node node{int(n.op), QString(), n.left, n.right};
        if (n.op == SearchQuery::Op::Term) {
            node.term = bareTerm(n.term);
            if (node.term.isEmpty())
                return std::nullopt;
        }
        search.nodes_.push_back(node);
    }
    search.root_ = query->root;
    for (const QString &term : query->shownTerms())
        search.shown_.append(bareTerm(term));
    return search;
}

bool TranslationSearch::holdsTerm(QStringView padded, const QString &term)
{
    if (hasUnspacedScript(term))
        return padded.contains(term);
    // Whole words: the padded text has a blank before and after each.
    const qsizetype n = term.size();
    for (qsizetype at = padded.indexOf(term); at >= 0; at = padded.indexOf(term, at + 1)) {
        if (padded[at - 1] == u' ' && at + n < padded.size() && padded[at + n] == u' ')
            return true;
    }
    return false;
}

bool TranslationSearch::holds(int index, QStringView padded) const
{
    const Node &node = nodes_[std::size_t(index)];
    switch (node.op) {
    case 1:
        return holds(node.left, padded) && holds(node.right, padded);
    case 2:
        return holds(node.left, padded) || holds(node.right, padded);
    case 3:
        return holds(node.left, padded) && !holds(node.right, padded);
    default:
        return holdsTerm(padded, node.term);
    }
}

QList<int> TranslationSearch::find(const std::vector<QString> &folded, int first, int last) const
{
    QList<int> ids;
    if (root_ < 0)
        return ids;
    for (int id = std::max(first, 1); id <= last && std::size_t(id) <= folded.size(); ++id) {
        const QString &padded = folded[std::size_t(id) - 1];
        // Every text starts with its padding blank: a term's leftmost letter
        // always has a character before it.
        if (padded.startsWith(u' ') && holds(root_, padded))
            ids.append(id);
    }
    return ids;
}

QList<TextRange> TranslationSearch::ranges(const QString &text, const QStringList &foldedTerms)
{
    QList<TextRange> out;
    if (foldedTerms.isEmpty())
        return out;
    const FoldedTranslation f = foldTranslationWithPositions(text);
    for (const QString &term : foldedTerms) {
        if (term.isEmpty())
            continue;
        const bool unspaced = hasUnspacedScript(term);
        const qsizetype n = term.size();
        for (qsizetype at = f.padded.indexOf(term); at >= 0; at = f.padded.indexOf(term, at + n)) {
            if (!unspaced && (f.padded[at - 1] != u' ' || at + n >= f.padded.size() || f.padded[at + n] != u' '))
                continue;
            const qsizetype start = f.source[at];
            const qsizetype end = f.source[at + n - 1] + 1;
            // A letter made of two code units ends one further.
            const qsizetype length = end - start + (end < text.size() && text[end].isLowSurrogate() ? 1 : 0);
            out.append({start, length});
        }
    }
    std::sort(out.begin(), out.end(), [](const TextRange &a, const TextRange &b) { return a.start < b.start; });
    return out;
}

} // namespace zarfan
