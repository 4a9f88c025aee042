#include "searchmemory.h"

#include "data/datacontrol.h"
#include "search/searchquery.h"

namespace zarfan {

bool SearchMemory::load(const QString &connectionString)
{
    DataControl control;
    control.setConnectionString(connectionString);
    if (!text_.load(control))
        return false;
    keys_.load(control);
    words_ = Vocabulary(text_.wordCounts());
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
    if (!isLoaded() || o.target != SearchTarget::Quran || (o.literal && o.key == WordKey::Letters) || hasSearchOperators(text))
        return {};
    const QString searched = searchedText(text, o);
    const Vocabulary &known = vocabulary(o.key);
    if (!searched.contains(u' '))
        return known.corrections(searched);
    return known.phraseCorrections(searched, [&](const QString &phrase) {
        // The quick test first: most proposals are in no aya at all.
        return (o.key != WordKey::Letters || text_.holds(phrase, o.singleWord)) && !answer(phrase, o).rows.empty();
    });
}

QString didYouMeanText(const QStringList &proposals)
{
    if (proposals.isEmpty())
        return {};
    return QStringLiteral("هل تقصد : ") + proposals.join(QStringLiteral(" ، "));
}

} // namespace zarfan
