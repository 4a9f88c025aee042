#include "foldedtext.h"

#include "browse/suratables.h"
#include "data/datacontrol.h"
#include "preparedbytes.h"
#include "preparedindex.h"
#include "searchquery.h"

#include <QHash>
#include <QtDebug>
#include <QRegularExpression>
#include <algorithm>
#include <cstring>

namespace zarfan {

bool FoldedText::load(DataControl &control)
{
    if (const std::optional<QByteArray> bytes = readPreparedIndex(control, QStringLiteral("texts"))) {
        if (std::optional<FoldedText> prepared = fromBytes(*bytes)) {
            *this = std::move(*prepared);
            connection_ = control.connectionString();
            return true;
        }
        qWarning("zarfan: the prepared search index \"texts\" does not read whole; it is built in memory instead");
    }
    return loadRows(control);
}

bool FoldedText::loadRows(DataControl &control)
{
    *this = FoldedText();
    connection_ = control.connectionString();
    control.setRecordSource(QString::fromLatin1(kRowsStatement));
    if (!control.refresh())
        return false;
    ayas_.reserve(std::size_t(control.rowCount()));
    records_.reserve(std::size_t(control.rowCount()));
    for (; !control.eof(); control.moveNext()) {
        if (!addRow(control.field(0), control.field(1), control.field(2), control.field(3), control.field(4), control.field(5))) {
            // The statement path reports a bad row; this one just steps aside.
            *this = FoldedText();
            return false;
        }
    }
    // The quarters give the hizb scope; without them that scope is the
    // statements' to answer.
    std::vector<std::pair<int, int>> quarters;
    control.setRecordSource(QString::fromLatin1(kQuartersStatement));
    if (control.refresh())
        for (; !control.eof(); control.moveNext())
            quarters.emplace_back(control.field(0).toInt(), control.field(1).toInt());
    return finishRows(quarters);
}

bool FoldedText::addRow(const QString &id, const QString &sura, const QString &aya, const QString &juz, const QString &page, QString padded)
{
    ResultRecord r{id, sura, aya, juz, page, {}};
    const int number = SuraTables::numberFromText(r.sura);
    if (number == 0)
        return false;
    r.line = SuraTables::reference(number, r.aya);
    ayas_.push_back({r.id.toInt(), number, r.juz.toInt()});
    quran_.append(searchText(std::move(padded)));
    records_.push_back(std::move(r));
    return true;
}

bool FoldedText::finishRows(const std::vector<std::pair<int, int>> &quarters)
{
    if (ayas_.empty())
        return false;
    quran_.finish();
    for (std::size_t k = 0; k < ayas_.size(); ++k)
        ayas_[k].page = records_[k].page.toInt();
    std::size_t found = 0;
    for (const auto &[id, quarter] : quarters) {
        if (const int row = indexOfId(id); row >= 0) {
            ayas_[std::size_t(row)].quarter = quarter;
            ++found;
        }
    }
    quarters_ = found == ayas_.size();
    countWords(SearchTarget::Quran);
    return true;
}

QByteArray FoldedText::toBytes() const
{
    // Each aya's numbers as arrays, then the padded texts' lengths and the
    // texts themselves: the records are those numbers written out, so a
    // number that is not plain (" 2", "2.0") cannot be stored.
    std::vector<quint32> ids, lengths;
    std::vector<quint16> suras, numbers, juz, pages, quarters;
    QString text;
    for (std::size_t k = 0; k < ayas_.size(); ++k) {
        const Aya &a = ayas_[k];
        const ResultRecord &r = records_[k];
        const int aya = r.aya.toInt();
        if (r.id != QString::number(a.id) || r.sura != QString::number(a.sura) || r.aya != QString::number(aya)
            || r.juz != QString::number(a.juz) || r.page != QString::number(a.page) || a.id < 0
            || std::max({aya, a.juz, a.page, a.quarter}) > 0xFFFF || std::min({aya, a.juz, a.page, a.quarter}) < 0)
            return {};
        ids.push_back(quint32(a.id));
        suras.push_back(quint16(a.sura));
        numbers.push_back(quint16(aya));
        juz.push_back(quint16(a.juz));
        pages.push_back(quint16(a.page));
        quarters.push_back(quint16(a.quarter));
        lengths.push_back(quint32(quran_.start(int(k) + 1) - quran_.start(int(k))));
        if (!quran_.isNarrow())
            text += quran_.row(int(k));
    }
    PreparedWriter out;
    out.array(ids);
    for (const auto *column : {&suras, &numbers, &juz, &pages, &quarters})
        out.array(*column);
    out.array(lengths);
    out.number(quarters_ ? 1 : 0);
    // The texts one byte a letter when they are held so: read as they stand.
    out.number(quran_.isNarrow() ? 1 : 0);
    if (quran_.isNarrow())
        out.array(std::vector<quint8>(quran_.bytes().begin(), quran_.bytes().end()));
    else
        out.text(text);
    return out.bytes;
}

std::optional<FoldedText> FoldedText::fromBytes(const QByteArray &bytes)
{
    PreparedReader in(bytes);
    const std::vector<quint32> ids = in.array<quint32>();
    std::vector<quint16> columns[5];
    for (std::vector<quint16> &column : columns)
        column = in.array<quint16>();
    const std::vector<quint32> lengths = in.array<quint32>();
    const quint32 quarters = in.number(), narrow = in.number();
    FoldedText t;
    std::optional<CompactText> narrowed;
    QString text;
    if (narrow == 1) {
        const std::vector<quint8> letters = in.array<quint8>();
        narrowed = CompactText::fromNarrow(std::string(letters.begin(), letters.end()), lengths);
        if (!narrowed)
            return std::nullopt;
    } else {
        text = in.text();
    }
    const std::size_t n = ids.size();
    if (!in.done() || n == 0 || lengths.size() != n || quarters > 1 || narrow > 1 || !std::is_sorted(ids.begin(), ids.end())
        || std::any_of(std::begin(columns), std::end(columns), [n](const auto &c) { return c.size() != n; }))
        return std::nullopt;
    t.ayas_.reserve(n);
    t.records_.reserve(n);
    qsizetype start = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const int sura = columns[0][k];
        if (sura < 1 || sura > SuraTables::kSuraCount || (!narrowed && lengths[k] > quint32(text.size() - start)))
            return std::nullopt;
        ResultRecord r{QString::number(ids[k]), QString::number(sura), QString::number(columns[1][k]), QString::number(columns[2][k]),
                       QString::number(columns[3][k]), {}};
        r.line = SuraTables::reference(sura, r.aya);
        t.ayas_.push_back({int(ids[k]), sura, columns[2][k], columns[3][k], columns[4][k]});
        if (!narrowed)
            t.quran_.append(QStringView(text).mid(start, qsizetype(lengths[k])));
        t.records_.push_back(std::move(r));
        start += qsizetype(lengths[k]);
    }
    if (narrowed)
        t.quran_ = std::move(*narrowed);
    else if (start != text.size())
        return std::nullopt;
    else
        t.quran_.finish();
    t.quarters_ = quarters == 1;
    t.countWords(SearchTarget::Quran);
    return t;
}

QString FoldedText::searchText(QString folded)
{
    // Blanks around every text keep a term from running into the next aya.
    if (!folded.startsWith(u' '))
        folded.prepend(u' ');
    if (!folded.endsWith(u' '))
        folded.append(u' ');
    return folded;
}

bool FoldedText::setPostings(WordPostings postings)
{
    if (postings.isBuilt() && (postings.rows() != size() || postings.madeFrom() != quran_.fingerprint()))
        return false;
    postings_ = std::move(postings);
    return true;
}

void FoldedText::countWords(SearchTarget target) const
{
    const int t = target == SearchTarget::Jalalayn ? 1 : target == SearchTarget::Muyassar ? 2 : 0;
    const CompactText *c = column(target);
    double words = 0;
    std::vector<int> counted;
    counted.reserve(ayas_.size());
    for (int k = 0; k < size(); ++k) {
        counted.push_back(c ? c->wordCount(k) : 0);
        words += counted.back();
    }
    wordCounts_[t] = std::move(counted);
    meanWords_[t] = std::max(1.0, words / size());
}

namespace {

constexpr qsizetype kTafsirPartBytes = 512 * 1024;

// A tafsir's parts as prepared, put together; nothing (and one line in the
// log) when one is missing, damaged or does not follow the one before.
std::optional<CompactText> readTafsir(DataControl &control, const QString &name)
{
    std::string bytes;
    std::vector<quint32> lengths;
    for (quint32 part = 0, parts = 1; part < parts; ++part) {
        const std::optional<QByteArray> data = readPreparedIndex(control, name + u'.' + QString::number(part));
        if (!data)
            return std::nullopt;
        PreparedReader in(*data);
        const quint32 index = in.number(), count = in.number(), firstRow = in.number();
        const std::vector<quint32> rows = in.array<quint32>();
        const std::vector<quint8> letters = in.array<quint8>();
        if (part == 0)
            parts = count;
        if (!in.done() || index != part || count != parts || firstRow != lengths.size()) {
            qWarning("zarfan: the prepared search index \"%s.%u\" does not read whole; it is read from the table instead",
                     qPrintable(name), part);
            return std::nullopt;
        }
        lengths.insert(lengths.end(), rows.begin(), rows.end());
        bytes.append(letters.begin(), letters.end());
    }
    return CompactText::fromNarrow(std::move(bytes), lengths);
}

} // namespace

std::vector<QByteArray> FoldedText::tafsirParts(const QStringList &folded)
{
    CompactText text;
    for (const QString &row : folded)
        text.append(searchText(row));
    text.finish();
    if (!text.isNarrow() || text.rows() == 0)
        return {};
    // Whole rows to a part, as many as a cell holds with room to spare.
    std::vector<std::pair<int, int>> runs;
    for (int first = 0; first < text.rows();) {
        int last = first + 1;
        while (last < text.rows() && text.start(last + 1) - text.start(first) <= kTafsirPartBytes)
            ++last;
        runs.emplace_back(first, last);
        first = last;
    }
    std::vector<QByteArray> parts;
    for (std::size_t p = 0; p < runs.size(); ++p) {
        const auto [first, last] = runs[p];
        std::vector<quint32> lengths;
        for (int k = first; k < last; ++k)
            lengths.push_back(quint32(text.start(k + 1) - text.start(k)));
        const std::string_view letters = text.bytes().substr(std::size_t(text.start(first)), std::size_t(text.start(last) - text.start(first)));
        PreparedWriter out;
        out.number(quint32(p));
        out.number(quint32(runs.size()));
        out.number(quint32(first));
        out.array(lengths);
        out.array(std::vector<quint8>(letters.begin(), letters.end()));
        parts.push_back(out.bytes);
    }
    return parts;
}

void FoldedText::loadTafsirs() const
{
    // Read on the first tafsir search: most readers never make one. As the
    // builder prepared them, or else from the table.
    tafsirsTried_ = true;
    DataControl control;
    control.setConnectionString(connection_);
    std::optional<CompactText> jalalayn = readTafsir(control, QString::fromLatin1(kTafsirNames[0]));
    std::optional<CompactText> muyassar = jalalayn ? readTafsir(control, QString::fromLatin1(kTafsirNames[1])) : std::nullopt;
    if (jalalayn && muyassar && jalalayn->rows() == size() && muyassar->rows() == size()) {
        jalalayn_ = std::move(*jalalayn);
        muyassar_ = std::move(*muyassar);
        countWords(SearchTarget::Jalalayn);
        countWords(SearchTarget::Muyassar);
        return;
    }
    control.setRecordSource(QStringLiteral("SELECT ID, tafFolded, taf2Folded FROM Ayat order by ID"));
    if (!control.refresh() || control.rowCount() != int(ayas_.size()))
        return;
    for (std::size_t k = 0; !control.eof(); control.moveNext(), ++k) {
        if (control.field(0).toInt() != ayas_[k].id) {
            jalalayn_.clear();
            muyassar_.clear();
            return;
        }
        jalalayn_.append(searchText(control.field(1)));
        muyassar_.append(searchText(control.field(2)));
    }
    jalalayn_.finish();
    muyassar_.finish();
    countWords(SearchTarget::Jalalayn);
    countWords(SearchTarget::Muyassar);
}

const CompactText *FoldedText::column(SearchTarget target) const
{
    if (target != SearchTarget::Quran && !tafsirsTried_ && isLoaded())
        loadTafsirs();
    const CompactText *c = target == SearchTarget::Jalalayn ? &jalalayn_ : target == SearchTarget::Muyassar ? &muyassar_ : &quran_;
    return c->rows() == size() && size() > 0 ? c : nullptr;
}

bool FoldedText::holds(SearchTarget target) const
{
    return isLoaded() && column(target);
}

QString FoldedText::padded(int k, SearchTarget target) const
{
    const CompactText *c = column(target);
    return c ? c->row(k) : QString();
}

QString FoldedText::padded(int k) const { return quran_.row(k); }

int FoldedText::indexOfId(int id) const
{
    const auto it = std::lower_bound(ayas_.begin(), ayas_.end(), id, [](const Aya &a, int v) { return a.id < v; });
    return it != ayas_.end() && it->id == id ? int(it - ayas_.begin()) : -1;
}

bool FoldedText::inScope(int k, const SearchOptions &o) const
{
    const Aya &a = ayas_[std::size_t(k)];
    // The positions plus one, as the statements write them.
    switch (o.searchtype) {
    case 1:
        return a.juz == o.part + 1;
    case 2:
        return a.juz >= o.part1 + 1 && a.juz <= o.part2 + 1;
    case 3:
        return a.sura == o.sora + 1;
    case 4:
        return a.sura >= o.sora1 + 1 && a.sura <= o.sora2 + 1;
    case 5:
        return quarters_ && a.quarter >= o.hizb * 4 + 1 && a.quarter <= o.hizb * 4 + 4;
    case 6:
        return a.page >= std::min(o.page1, o.page2) && a.page <= std::max(o.page1, o.page2);
    default:
        return true;
    }
}

std::pair<int, int> FoldedText::scopeRows(const SearchOptions &o) const
{
    if (o.searchtype < 1 || o.searchtype > 6)
        return {0, size()};
    // Every scope is a run of ayas in ID order.
    int first = 0;
    while (first < size() && !inScope(first, o))
        ++first;
    int last = first;
    while (last < size() && inScope(last, o))
        ++last;
    return {first, last};
}

std::vector<int> FoldedText::termCounts(const QString &folded, bool singleWord) const
{
    return termCounts(folded, singleWord, SearchTarget::Quran, 0, size());
}

namespace {

// Each row's hits in [first, last) as they come, leftmost first: summed
// while in a row and stored once it is left (a store per hit would chain
// every hit on the one before).
class RowTally {
public:
    RowTally(const CompactText &text, int first, int last, std::vector<int> &counts, std::vector<float> *weights)
        : text_(text), last_(last), k_(first), rowEnd_(text.start(first + 1)), counts_(counts), weights_(weights)
    {
    }
    // A hit at [at, at + length) of the whole text; false once past the rows.
    bool add(qsizetype at, qsizetype length, bool whole)
    {
        while (k_ < last_ && rowEnd_ <= at) {
            store();
            if (++k_ < last_)
                rowEnd_ = text_.start(k_ + 1);
        }
        if (k_ == last_)
            return false;
        // Without branches: whether a hit stands alone is a coin toss.
        const int inRow = int(at + length <= rowEnd_);
        hits_ += inRow;
        whole_ += inRow & int(whole);
        return true;
    }
    void finish()
    {
        if (k_ < last_)
            store();
    }

private:
    void store()
    {
        counts_[std::size_t(k_)] = hits_;
        if (weights_) // halves and wholes: exact in a float at any order
            (*weights_)[std::size_t(k_)] = 0.5f * float(hits_ - whole_) + float(whole_);
        hits_ = whole_ = 0;
    }
    const CompactText &text_;
    int last_, k_, hits_ = 0, whole_ = 0;
    qsizetype rowEnd_;
    std::vector<int> &counts_;
    std::vector<float> *weights_;
};

// The letter's occurrences in bytes [from, to), and in whole those with a
// blank on each side; the bytes around the range are read. Written so the
// compiler widens the loop.
[[gnu::optimize("tree-vectorize")]] int countLetter(const char *bytes, qsizetype from, qsizetype to, char letter, int &whole)
{
    int hits = 0, alone = 0;
    for (qsizetype i = from; i < to; ++i) {
        const int hit = bytes[i] == letter;
        hits += hit;
        alone += hit & int(bytes[i - 1] == ' ') & int(bytes[i + 1] == ' ');
    }
    whole = alone;
    return hits;
}

} // namespace

std::vector<int> FoldedText::termCounts(const QString &folded, bool singleWord, SearchTarget target, int first, int last,
                                        std::vector<float> *weights) const
{
    std::vector<int> counts(ayas_.size(), 0);
    if (weights)
        weights->assign(ayas_.size(), 0.0f);
    first = std::max(first, 0);
    last = std::min(last, size());
    const CompactText *c = column(target);
    if (folded.isEmpty() || first >= last || !c)
        return counts;
    const auto weigh = [&](QStringView in, const TextRange &hit, int k) {
        if (!weights)
            return;
        const bool whole = (hit.start == 0 || in[hit.start - 1] == u' ')
            && (hit.start + hit.length == in.size() || in[hit.start + hit.length] == u' ');
        (*weights)[std::size_t(k)] += whole ? 1.0f : 0.5f;
    };
    if (folded.contains(u'%') || folded.contains(u'_')) {
        // Only %: the empty text matches, once in every aya.
        if (!singleWord && std::all_of(folded.cbegin(), folded.cend(), [](QChar ch) { return ch == u'%'; })) {
            std::fill(counts.begin() + first, counts.begin() + last, 1);
            if (weights)
                std::fill(weights->begin() + first, weights->begin() + last, 1.0f);
            return counts;
        }
        // A wildcard could run from one aya into the next: aya by aya, and
        // only where the longest plain piece of the needle stands.
        QString piece;
        for (const QString &p : folded.split(QRegularExpression(QStringLiteral("[%_]")), Qt::SkipEmptyParts))
            if (p.size() > piece.size())
                piece = p;
        // Without a letter that has a case, one pass over the run finds the
        // ayas holding the piece.
        const bool cased = std::any_of(piece.cbegin(), piece.cend(), [](QChar ch) { return ch.isUpper() || ch.isLower(); });
        std::vector<char> holding;
        if (!piece.isEmpty() && !cased) {
            holding.assign(std::size_t(last - first), 0);
            int k = first;
            const auto mark = [&](qsizetype at) {
                while (k < last && c->start(k + 1) <= at)
                    ++k;
                if (k < last && at + piece.size() <= c->start(k + 1))
                    holding[std::size_t(k - first)] = 1;
            };
            if (c->isNarrow()) {
                if (const std::optional<std::string> bytes = CompactText::narrowed(piece))
                    for (std::size_t at = c->bytes().find(*bytes, std::size_t(c->start(first)));
                         at != std::string_view::npos && qsizetype(at) < c->start(last); at = c->bytes().find(*bytes, at + 1))
                        mark(qsizetype(at));
            } else {
                c->forRuns(first, last, true, [&](QStringView run, qsizetype offset) {
                    for (qsizetype at = run.indexOf(piece); at >= 0; at = run.indexOf(piece, at + 1))
                        mark(at + offset);
                });
            }
        }
        for (int k = first; k < last; ++k) {
            if (!holding.empty() && !holding[std::size_t(k - first)])
                continue;
            const QString aya = c->row(k);
            if (holding.empty() && !piece.isEmpty() && !aya.contains(piece, Qt::CaseInsensitive))
                continue;
            const QList<TextRange> hits = findTerm(aya, folded, singleWord);
            counts[std::size_t(k)] = int(hits.size());
            for (const TextRange &hit : hits)
                weigh(aya, hit, k);
        }
        return counts;
    }
    // A whole word of the aya text: from the word index.
    if (c == &quran_ && singleWord && postings_.addWholeWordHits(folded, first, last, [this](int k) { return padded(k); }, counts)) {
        if (weights) // every hit is whole words
            for (int k = first; k < last; ++k)
                (*weights)[std::size_t(k)] = float(counts[std::size_t(k)]);
        return counts;
    }
    RowTally tally(*c, first, last, counts, weights);
    const qsizetype runStart = c->start(first), runEnd = c->start(last);
    if (!singleWord && c->isNarrow()) {
        // Letters in the bytes themselves: a needle with a character the
        // text has no byte for is nowhere.
        const std::optional<std::string> needle = CompactText::narrowed(folded);
        if (!needle)
            return counts;
        const char *bytes = c->bytes().data();
        if (needle->size() == 1) {
            // One letter: counted row by row. A row opens and closes with a
            // blank, so a letter other than the blank stands between them.
            const char letter = needle->front();
            if (letter != ' ') {
                for (int k = first; k < last; ++k) {
                    int whole = 0;
                    const int hits = countLetter(bytes, c->start(k) + 1, c->start(k + 1) - 1, letter, whole);
                    counts[std::size_t(k)] = hits;
                    if (weights)
                        (*weights)[std::size_t(k)] = 0.5f * float(hits - whole) + float(whole);
                }
                return counts;
            }
        }
        const std::size_t m = needle->size();
        for (const char *at = static_cast<const char *>(memmem(bytes + runStart, std::size_t(runEnd - runStart), needle->data(), m)); at;
             at = static_cast<const char *>(memmem(at + m, std::size_t(bytes + runEnd - at) - m, needle->data(), m))) {
            const qsizetype i = at - bytes;
            const bool whole = (i == runStart || at[-1] == ' ') && (i + qsizetype(m) == runEnd || at[m] == ' ');
            if (!tally.add(i, qsizetype(m), whole))
                break;
        }
        tally.finish();
        return counts;
    }
    // Runs of whole rows: a hit cannot leave its row unless the needle
    // holds the two blanks between rows, when the run is taken whole.
    bool past = false;
    c->forRuns(first, last, folded.contains(u"  "), [&](QStringView run, qsizetype offset) {
        for (const TextRange &hit : past ? QList<TextRange>() : findTerm(run, folded, singleWord)) {
            const qsizetype after = hit.start + hit.length;
            const bool whole = (hit.start == 0 || run[hit.start - 1] == u' ') && (after == run.size() || run[after] == u' ');
            if (!tally.add(hit.start + offset, hit.length, whole)) {
                past = true;
                break;
            }
        }
    });
    tally.finish();
    return counts;
}

std::span<const int> FoldedText::wordsPerRow(SearchTarget target) const
{
    const int t = target == SearchTarget::Jalalayn ? 1 : target == SearchTarget::Muyassar ? 2 : 0;
    if (wordCounts_[t].size() != ayas_.size())
        countWords(target);
    return wordCounts_[t];
}

double FoldedText::meanWords(SearchTarget target) const
{
    return meanWords_[target == SearchTarget::Jalalayn ? 1 : target == SearchTarget::Muyassar ? 2 : 0];
}

bool FoldedText::holds(const QString &folded, bool singleWord) const
{
    if (folded.isEmpty())
        return false;
    const std::vector<int> counts = termCounts(folded, singleWord);
    return std::any_of(counts.begin(), counts.end(), [](int n) { return n > 0; });
}

std::vector<std::pair<QString, int>> FoldedText::wordCounts() const
{
    std::vector<std::pair<QString, int>> out;
    quran_.forRuns(0, size(), true, [&](QStringView text, qsizetype) {
        QHash<QStringView, int> counts;
        counts.reserve(20000);
        for (QStringView word : text.split(u' ', Qt::SkipEmptyParts))
            ++counts[word];
        out.reserve(std::size_t(counts.size()));
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            out.emplace_back(it.key().toString(), it.value());
    });
    return out;
}

} // namespace zarfan
