#include "searchmemory.h"

#include "data/datacontrol.h"
#include "search/searchquery.h"

#include "search/occurrences.h"

#include <algorithm>
#include <QCoreApplication>

namespace zarfan {

namespace {

// Each folded word's most frequent spelling in the text as written (without
// its marks), ties to the first met.
QHash<QString, QString> writtenForms(DataControl &control)
{
    QHash<QString, QHash<QString, int>> seen;
    control.setRecordSource(QStringLiteral("SELECT AyaaIndex FROM Ayat order by ID"));
    if (!control.refresh())
        return {};
    for (; !control.eof(); control.moveNext()) {
        const QString written = control.field(0);
        const WordMap map = mapWords(written, WordForm::Folded);
        const QStringList words = map.padded.split(u' ', Qt::SkipEmptyParts);
        for (qsizetype k = 0; k < words.size() && k < map.display.size(); ++k) {
            const TextRange r = map.display.at(k);
            ++seen[words.at(k)][written.mid(r.start, r.length)];
        }
    }
    QHash<QString, QString> forms;
    forms.reserve(seen.size());
    for (auto it = seen.cbegin(); it != seen.cend(); ++it) {
        QString best;
        int most = 0;
        for (auto f = it->cbegin(); f != it->cend(); ++f)
            if (f.value() > most || (f.value() == most && f.key() < best))
                best = f.key(), most = f.value();
        forms.insert(it.key(), best);
    }
    return forms;
}

} // namespace

bool SearchMemory::load(const QString &connectionString)
{
    DataControl control;
    control.setConnectionString(connectionString);
    if (!text_.load(control))
        return false;
    keys_.load(control);
    words_ = Vocabulary(text_.wordCounts());
    words_.setWrittenForms(writtenForms(control));
    roots_ = Vocabulary(keys_.keyCounts(WordKey::Root));
    lemmas_ = Vocabulary(keys_.keyCounts(WordKey::Lemma));
    return true;
}

const Vocabulary &SearchMemory::vocabulary(WordKey by) const
{
    return by == WordKey::Root ? roots_ : by == WordKey::Lemma ? lemmas_ : words_;
}

ReadingState::Request SearchMemory::request(const SearchAnswer &answer, const QString &text, const SearchOptions &o) const
{
    const bool combined = hasSearchOperators(text);
    ReadingState::Request r(combined ? QString() : buildSearchStatement(text, o), qint16(1), ReadingState::Guard::AllayaasearchOnly);
    r.match = SearchMatch{combined ? answer.terms.value(0) : searchedText(text, o), o.singleWord, o.literal, o.target, o.key};
    r.records = std::make_shared<const std::vector<ResultRecord>>(answer.records(text_));
    if (o.key != WordKey::Letters)
        r.words = std::make_shared<const WordsByAya>(answer.words);
    r.terms = answer.terms;
    return r;
}

QStringList SearchMemory::didYouMean(const QString &text, const SearchOptions &o) const
{
    if (!isLoaded() || o.target != SearchTarget::Quran || (o.literal && o.key == WordKey::Letters))
        return {};
    if (!hasSearchOperators(text))
        return shown(termCorrections(text, o), o);
    // Each term that lists nothing alone is corrected in place; the
    // proposals are the whole texts that then list something.
    const std::optional<SearchQuery> query = parseSearchQuery(text);
    if (!query)
        return {};
    std::vector<std::pair<QString, QStringList>> fixes;
    for (const QString &term : query->allTerms()) {
        if (!answer(term, o).rows.empty())
            continue;
        const QStringList near = termCorrections(term, o);
        if (!near.isEmpty())
            fixes.emplace_back(term, near);
    }
    QStringList out;
    for (int choice = 0; choice < 5 && !fixes.empty(); ++choice) {
        QString corrected = text;
        for (const auto &[term, near] : fixes) {
            // The term's first stand-alone place in the text.
            const QString wanted = shown({near.value(std::min<qsizetype>(choice, near.size() - 1))}, o).value(0);
            for (qsizetype at = corrected.indexOf(term); at >= 0; at = corrected.indexOf(term, at + 1)) {
                const bool startsWord = at == 0 || corrected.at(at - 1) == u' ' || corrected.at(at - 1) == u'(';
                const qsizetype end = at + term.size();
                const bool endsWord = end == corrected.size() || corrected.at(end) == u' ' || corrected.at(end) == u')';
                if (startsWord && endsWord) {
                    corrected.replace(at, term.size(), wanted);
                    break;
                }
            }
        }
        if (corrected != text && !out.contains(corrected) && !answer(corrected, o).rows.empty())
            out.append(corrected);
    }
    return out;
}

QStringList SearchMemory::termCorrections(const QString &term, const SearchOptions &o) const
{
    const QString searched = searchedText(term, o);
    const Vocabulary &known = vocabulary(o.key);
    if (!searched.contains(u' '))
        return known.corrections(searched);
    return known.phraseCorrections(searched, [&](const QString &phrase) {
        // The quick test first: most proposals are in no aya at all.
        return (o.key != WordKey::Letters || text_.holds(phrase, o.singleWord))
            && !answer(phrase, o).rows.empty();
    });
}

QStringList SearchMemory::shown(QStringList proposals, const SearchOptions &o) const
{
    if (o.key == WordKey::Letters)
        for (QString &p : proposals)
            p = words_.writtenPhrase(p);
    return proposals;
}

QString didYouMeanText(const QStringList &proposals)
{
    if (proposals.isEmpty())
        return {};
    return QCoreApplication::translate("zarfan::SearchMemory", "هل تقصد : ") + proposals.join(QCoreApplication::translate("zarfan::SearchMemory", " ، "));
}

} // namespace zarfan
