#include "notesindex.h"

#include "notesstore.h"
#include "browse/suratables.h"
#include "search/arabicfolding.h"
#include "search/foldedtext.h"
#include "search/searchquery.h"

#include <algorithm>
#include <functional>

namespace zarfan {

QString NotesIndex::searchedForm(const QString &text, const QStringList &tags)
{
    return u' ' + foldArabic(punctuationAsBlanks(text + u' ' + tags.join(u' '))) + u' ';
}

void NotesIndex::build(const std::vector<Note> &notes)
{
    notes_.clear();
    notes_.reserve(notes.size());
    for (const Note &n : notes)
        notes_.push_back({n.id, n.range.sura, n.range.from, n.range.to, searchedForm(n.text, n.tags)});
    std::sort(notes_.begin(), notes_.end(), [](const Entry &a, const Entry &b) { return a.id < b.id; });
}

void NotesIndex::put(const Note &note)
{
    const auto at = std::lower_bound(notes_.begin(), notes_.end(), note.id, [](const Entry &e, qint64 id) { return e.id < id; });
    Entry entry{note.id, note.range.sura, note.range.from, note.range.to, searchedForm(note.text, note.tags)};
    if (at != notes_.end() && at->id == note.id)
        *at = std::move(entry);
    else
        notes_.insert(at, std::move(entry));
}

void NotesIndex::remove(qint64 id)
{
    const auto at = std::lower_bound(notes_.begin(), notes_.end(), id, [](const Entry &e, qint64 v) { return e.id < v; });
    if (at != notes_.end() && at->id == id)
        notes_.erase(at);
}

NotesIndex::Answer NotesIndex::search(const QString &typed, const SearchOptions &o, const FoldedText *text) const
{
    Answer answer;
    const QString plain = withoutStrayGrouping(trimBlanks(typed));
    SearchQuery query;
    if (hasSearchOperators(plain)) {
        std::optional<SearchQuery> parsed = parseSearchQuery(plain);
        if (!parsed) {
            answer.malformed = true;
            return answer;
        }
        query = std::move(*parsed);
    } else {
        query.nodes.push_back({SearchQuery::Op::Term, plain});
        query.root = 0;
    }
    // Each term's words, folded once; a note holds the term when it holds
    // every word.
    std::vector<QStringList> termWords(query.nodes.size());
    for (std::size_t t = 0; t < query.nodes.size(); ++t)
        if (query.nodes[t].op == SearchQuery::Op::Term)
            termWords[t] = foldArabic(query.nodes[t].term).split(u' ', Qt::SkipEmptyParts);
    const auto holds = [&](const Entry &e, std::size_t t) {
        if (termWords[t].isEmpty())
            return false;
        // A substring needs only to be there; a whole word is sought with
        // its prefixes.
        for (const QString &w : termWords[t])
            if (o.singleWord || w.contains(u'%') || w.contains(u'_') ? findTerm(e.padded, w, o.singleWord).isEmpty() : !e.padded.contains(w))
                return false;
        return true;
    };
    const std::function<bool(const Entry &, int)> keeps = [&](const Entry &e, int k) {
        const SearchQuery::Node &node = query.nodes[std::size_t(k)];
        switch (node.op) {
        case SearchQuery::Op::Term:
            return holds(e, std::size_t(k));
        case SearchQuery::Op::Both:
            return keeps(e, node.left) && keeps(e, node.right);
        case SearchQuery::Op::Either:
            return keeps(e, node.left) || keeps(e, node.right);
        case SearchQuery::Op::Without:
            return keeps(e, node.left) && !keeps(e, node.right);
        }
        return false;
    };
    // The scope as a run of aya IDs.
    int firstId = 1, lastId = SuraTables::kAyaTotal;
    if (text && text->isLoaded() && o.searchtype >= 1 && o.searchtype <= 6) {
        const auto [first, last] = text->scopeRows(o);
        if (first >= last)
            return answer;
        firstId = text->id(first);
        lastId = text->id(last - 1);
    }
    for (const Entry &e : notes_) {
        if (!AyaRange{e.sura, e.from, e.to}.isValid() || !keeps(e, query.root))
            continue;
        for (int aya = e.from; aya <= e.to; ++aya)
            if (const int id = ayaIdOf(e.sura, aya); id >= firstId && id <= lastId)
                answer.ayas.append(id);
    }
    std::sort(answer.ayas.begin(), answer.ayas.end());
    answer.ayas.erase(std::unique(answer.ayas.begin(), answer.ayas.end()), answer.ayas.end());
    for (const QString &term : query.shownTerms())
        answer.words += foldArabic(term).split(u' ', Qt::SkipEmptyParts);
    return answer;
}

} // namespace zarfan
