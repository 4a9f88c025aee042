#include "translationsearch.h"

#include "search/searchquery.h"
#include "translationfolding.h"

#include <QStringMatcher>

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

void FoldedEdition::append(QStringView padded)
{
    // Every text starts with its padding blank: a term's leftmost letter
    // always has a character before it.
    if (padded.startsWith(u' '))
        all_.append(padded);
    all_.append(u'\n');
    starts_.push_back(all_.size());
}

std::vector<char> TranslationSearch::holdingTerm(const QString &term, const FoldedEdition &folded, int first, int last)
{
    std::vector<char> found(std::size_t(last - first + 1), 0);
    const bool unspaced = hasUnspacedScript(term);
    const qsizetype n = term.size();
    const QStringView all = QStringView(folded.all()).left(folded.start(last + 1));
    const QStringMatcher matcher(term);
    int id = first;
    for (qsizetype at = matcher.indexIn(all, folded.start(first)); at >= 0; at = matcher.indexIn(all, at)) {
        while (folded.start(id + 1) <= at)
            ++id;
        // Whole words: the padded text has a blank before and after each.
        if (unspaced || (all[at - 1] == u' ' && all[at + n] == u' ')) {
            found[std::size_t(id - first)] = 1;
            at = folded.start(id + 1); // one match is enough for its aya
        } else {
            ++at;
        }
    }
    return found;
}

std::vector<char> TranslationSearch::holding(int index, const FoldedEdition &folded, int first, int last) const
{
    const Node &node = nodes_[std::size_t(index)];
    if (node.op == 0)
        return holdingTerm(node.term, folded, first, last);
    std::vector<char> left = holding(node.left, folded, first, last);
    const std::vector<char> right = holding(node.right, folded, first, last);
    for (std::size_t k = 0; k < left.size(); ++k)
        left[k] = node.op == 1 ? left[k] && right[k] : node.op == 2 ? left[k] || right[k] : left[k] && !right[k];
    return left;
}

QList<int> TranslationSearch::find(const FoldedEdition &folded, int first, int last) const
{
    QList<int> ids;
    first = std::max(first, 1);
    last = std::min(last, folded.ayaCount());
    if (root_ < 0 || first > last)
        return ids;
    const std::vector<char> found = holding(root_, folded, first, last);
    for (std::size_t k = 0; k < found.size(); ++k)
        if (found[k])
            ids.append(first + int(k));
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
