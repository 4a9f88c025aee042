#include "searchmemory.h"

#include "data/datacontrol.h"
#include "search/preparedindex.h"
#include "search/searchquery.h"

#include "search/occurrences.h"

#include <algorithm>
#include <QCoreApplication>

namespace zarfan {

namespace {

// The aya texts as written (without their marks), in ID order.
QStringList writtenAyas(DataControl &control)
{
    QStringList ayas;
    control.setRecordSource(QStringLiteral("SELECT AyaaIndex FROM Ayat order by ID"));
    if (!control.refresh())
        return ayas;
    ayas.reserve(control.rowCount());
    for (; !control.eof(); control.moveNext())
        ayas.append(control.field(0));
    return ayas;
}

} // namespace

void SearchMemory::readPostings(DataControl &control)
{
    // The word index as the builder prepared it, when it was made from the
    // texts just read; otherwise made here.
    if (const std::optional<QByteArray> bytes = readPreparedIndex(control, QStringLiteral("postings"))) {
        std::optional<WordPostings> prepared = WordPostings::fromBytes(*bytes);
        if (prepared && text_.setPostings(std::move(*prepared)))
            return;
        qWarning("zarfan: the prepared search index \"postings\" %s; it is built in memory instead",
                 prepared ? "was made from other texts" : "cannot be read");
    }
    QStringList rows;
    rows.reserve(text_.size());
    for (int k = 0; k < text_.size(); ++k)
        rows.append(text_.padded(k));
    text_.setPostings(WordPostings::build(rows));
}

bool SearchMemory::load(const QString &connectionString)
{
    DataControl control;
    control.setConnectionString(connectionString);
    return load(control);
}

bool SearchMemory::load(DataControl &control)
{
    *this = SearchMemory();
    connection_ = control.connectionString();
    if (!text_.load(control))
        return false;
    readPostings(control);
    return true;
}

const WordKeyIndex &SearchMemory::keys() const
{
    if (!keys_) {
        keys_.emplace();
        if (isLoaded()) {
            DataControl control;
            control.setConnectionString(connection_);
            keys_->load(control);
        }
    }
    return *keys_;
}

const Vocabulary &SearchMemory::words() const
{
    if (!words_) {
        // The words and their spellings as the builder prepared them, or
        // worked out here when they cannot be read.
        std::optional<PreparedWords> prepared;
        if (isLoaded()) {
            DataControl control;
            control.setConnectionString(connection_);
            if (const std::optional<QByteArray> bytes = readPreparedIndex(control, QStringLiteral("words")))
                prepared = PreparedWords::fromBytes(*bytes);
            if (!prepared)
                prepared = PreparedWords::compute(writtenAyas(control));
        }
        words_.emplace(prepared ? std::move(prepared->counts) : std::vector<std::pair<QString, int>>());
        if (prepared)
            words_->setWrittenForms(std::move(prepared->written));
    }
    return *words_;
}

const Vocabulary &SearchMemory::vocabulary(WordKey by) const
{
    if (by == WordKey::Letters)
        return words();
    std::optional<Vocabulary> &made = by == WordKey::Root ? roots_ : lemmas_;
    if (!made)
        made.emplace(keys().keyCounts(by));
    return *made;
}

ReadingState::Request SearchMemory::request(const SearchAnswer &answer, const QString &text, const SearchOptions &o) const
{
    const bool combined = hasSearchOperators(text);
    ReadingState::Request r(combined ? QString() : buildSearchStatement(text, o), qint16(1), ReadingState::Guard::AllayaasearchOnly);
    r.match = SearchMatch{combined ? answer.terms.value(0) : searchedText(text, o), o.singleWord, o.literal, o.target, o.key};
    r.records = std::make_shared<const std::vector<ResultRecord>>(answer.records(text_));
    if (o.key != WordKey::Letters) {
        r.words = std::make_shared<const WordsByAya>(answer.words);
        r.match->shown = keys().written(r.match->needle, o.key);
    }
    r.terms = answer.terms;
    return r;
}

QStringList SearchMemory::didYouMean(const QString &typed, const SearchOptions &o) const
{
    const QString text = withoutStrayGrouping(typed);
    // Bounded by the input and by the work: a long text is no typo, and no
    // more than a fixed number of candidates is searched.
    if (!isLoaded() || o.target != SearchTarget::Quran || (o.literal && o.key == WordKey::Letters) || text.size() > kDidYouMeanChars)
        return {};
    int budget = kDidYouMeanCandidates;
    if (!hasSearchOperators(text))
        return shown(termCorrections(text, o, budget), o);
    // Each term that lists nothing alone is corrected in place; the
    // proposals are the whole texts that then list something.
    const std::optional<SearchQuery> query = parseSearchQuery(text);
    if (!query)
        return {};
    std::vector<std::pair<QString, QStringList>> fixes;
    for (const QString &term : query->allTerms()) {
        if (--budget < 0)
            return {};
        if (!answer(term, o).rows.empty())
            continue;
        const QStringList near = termCorrections(term, o, budget);
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
        if (corrected != text && !out.contains(corrected) && budget-- > 0 && !answer(corrected, o).rows.empty())
            out.append(corrected);
    }
    return out;
}

QStringList SearchMemory::termCorrections(const QString &term, const SearchOptions &o, int &budget) const
{
    const QString searched = searchedText(term, o);
    const Vocabulary &known = vocabulary(o.key);
    if (!searched.contains(u' '))
        return known.corrections(searched);
    return known.phraseCorrections(searched, [&](const QString &phrase) {
        // The quick test first: most proposals are in no aya at all.
        return budget-- > 0 && (o.key != WordKey::Letters || text_.holds(phrase, o.singleWord))
            && !answer(phrase, o).rows.empty();
    });
}

QStringList SearchMemory::shown(QStringList proposals, const SearchOptions &o) const
{
    if (o.key == WordKey::Letters)
        for (QString &p : proposals)
            p = words().writtenPhrase(p);
    return proposals;
}

QString didYouMeanText(const QStringList &proposals)
{
    if (proposals.isEmpty())
        return {};
    return QCoreApplication::translate("zarfan::SearchMemory", "هل تقصد : ") + proposals.join(QCoreApplication::translate("zarfan::SearchMemory", " ، "));
}

} // namespace zarfan
