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
    text_.reserve(control.rowCount() * 120);
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
    padded = searchText(std::move(padded));
    ayas_.push_back({r.id.toInt(), number, r.juz.toInt(), text_.size(), padded.size()});
    text_ += padded;
    records_.push_back(std::move(r));
    return true;
}

bool FoldedText::finishRows(const std::vector<std::pair<int, int>> &quarters)
{
    if (ayas_.empty())
        return false;
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
        lengths.push_back(quint32(a.length));
    }
    PreparedWriter out;
    out.array(ids);
    for (const auto *column : {&suras, &numbers, &juz, &pages, &quarters})
        out.array(*column);
    out.array(lengths);
    out.number(quarters_ ? 1 : 0);
    out.text(text_);
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
    const quint32 quarters = in.number();
    FoldedText t;
    t.text_ = in.text();
    const std::size_t n = ids.size();
    if (!in.done() || n == 0 || lengths.size() != n || quarters > 1 || !std::is_sorted(ids.begin(), ids.end())
        || std::any_of(std::begin(columns), std::end(columns), [n](const auto &c) { return c.size() != n; }))
        return std::nullopt;
    t.ayas_.reserve(n);
    t.records_.reserve(n);
    qsizetype start = 0;
    for (std::size_t k = 0; k < n; ++k) {
        const int sura = columns[0][k];
        if (sura < 1 || sura > SuraTables::kSuraCount || lengths[k] > quint32(t.text_.size() - start))
            return std::nullopt;
        ResultRecord r{QString::number(ids[k]), QString::number(sura), QString::number(columns[1][k]), QString::number(columns[2][k]),
                       QString::number(columns[3][k]), {}};
        r.line = SuraTables::reference(sura, r.aya);
        t.ayas_.push_back({int(ids[k]), sura, columns[2][k], start, qsizetype(lengths[k]), columns[3][k], columns[4][k]});
        t.records_.push_back(std::move(r));
        start += qsizetype(lengths[k]);
    }
    if (start != t.text_.size())
        return std::nullopt;
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
    if (postings.isBuilt() && (postings.rows() != size() || postings.madeFrom() != WordPostings::fingerprint(text_)))
        return false;
    postings_ = std::move(postings);
    return true;
}

void FoldedText::countWords(SearchTarget target) const
{
    const int t = target == SearchTarget::Jalalayn ? 1 : target == SearchTarget::Muyassar ? 2 : 0;
    double words = 0;
    std::vector<int> counted;
    counted.reserve(ayas_.size());
    for (int k = 0; k < size(); ++k) {
        counted.push_back(wordCount(k, target));
        words += counted.back();
    }
    wordCounts_[t] = std::move(counted);
    meanWords_[t] = std::max(1.0, words / size());
}

void FoldedText::loadTafsirs() const
{
    // Read on the first tafsir search: most readers never make one.
    tafsirsTried_ = true;
    DataControl control;
    control.setConnectionString(connection_);
    control.setRecordSource(QStringLiteral("SELECT ID, tafFolded, taf2Folded FROM Ayat order by ID"));
    if (!control.refresh() || control.rowCount() != int(ayas_.size()))
        return;
    for (Column *c : {&jalalayn_, &muyassar_}) {
        c->text.reserve(control.rowCount() * 400);
        c->starts.reserve(ayas_.size() + 1);
    }
    for (std::size_t k = 0; !control.eof(); control.moveNext(), ++k) {
        if (control.field(0).toInt() != ayas_[k].id) {
            jalalayn_ = muyassar_ = Column();
            return;
        }
        for (int f = 1; f <= 2; ++f) {
            Column &c = f == 1 ? jalalayn_ : muyassar_;
            c.starts.push_back(c.text.size());
            const QString t = control.field(f);
            if (!t.startsWith(u' '))
                c.text += u' ';
            c.text += t;
            if (!t.endsWith(u' '))
                c.text += u' ';
        }
    }
    for (Column *c : {&jalalayn_, &muyassar_})
        c->starts.push_back(c->text.size());
    countWords(SearchTarget::Jalalayn);
    countWords(SearchTarget::Muyassar);
}

const FoldedText::Column *FoldedText::column(SearchTarget target) const
{
    if (target != SearchTarget::Quran && !tafsirsTried_ && isLoaded())
        loadTafsirs();
    const Column *c = target == SearchTarget::Jalalayn ? &jalalayn_ : target == SearchTarget::Muyassar ? &muyassar_ : nullptr;
    return c && c->starts.size() == ayas_.size() + 1 ? c : nullptr;
}

bool FoldedText::holds(SearchTarget target) const
{
    return isLoaded() && (target == SearchTarget::Quran || column(target));
}

QStringView FoldedText::padded(int k, SearchTarget target) const
{
    if (target == SearchTarget::Quran)
        return padded(k);
    const Column *c = column(target);
    if (!c)
        return {};
    return QStringView(c->text).mid(c->starts[std::size_t(k)], c->starts[std::size_t(k) + 1] - c->starts[std::size_t(k)]);
}

QStringView FoldedText::padded(int k) const
{
    const Aya &a = ayas_[std::size_t(k)];
    return QStringView(text_).mid(a.start, a.length);
}

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

std::vector<int> FoldedText::termCounts(const QString &folded, bool singleWord, SearchTarget target, int first, int last,
                                        std::vector<float> *weights) const
{
    std::vector<int> counts(ayas_.size(), 0);
    if (weights)
        weights->assign(ayas_.size(), 0.0f);
    first = std::max(first, 0);
    last = std::min(last, size());
    const Column *c = column(target);
    if (folded.isEmpty() || first >= last || (target != SearchTarget::Quran && !c))
        return counts;
    const QString &text = c ? c->text : text_;
    const auto begin = [&](int k) { return c ? c->starts[std::size_t(k)] : ayas_[std::size_t(k)].start; };
    const auto end = [&](int k) {
        return c ? c->starts[std::size_t(k) + 1] : ayas_[std::size_t(k)].start + ayas_[std::size_t(k)].length;
    };
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
            for (qsizetype at = text.indexOf(piece, begin(first)); at >= 0 && at < end(last - 1); at = text.indexOf(piece, at + 1)) {
                while (k < last && end(k) <= at)
                    ++k;
                if (k < last && at + piece.size() <= end(k))
                    holding[std::size_t(k - first)] = 1;
            }
        }
        for (int k = first; k < last; ++k) {
            const QStringView aya = QStringView(text).mid(begin(k), end(k) - begin(k));
            if (!holding.empty() ? !holding[std::size_t(k - first)] : !piece.isEmpty() && !aya.contains(piece, Qt::CaseInsensitive))
                continue;
            const QList<TextRange> hits = findTerm(aya, folded, singleWord);
            counts[std::size_t(k)] = int(hits.size());
            for (const TextRange &hit : hits)
                weigh(aya, hit, k);
        }
        return counts;
    }
    // A whole word of the aya text: from the word index.
    if (!c && singleWord && postings_.addWholeWordHits(folded, first, last, [this](int k) { return padded(k); }, counts)) {
        if (weights) // every hit is whole words
            for (int k = first; k < last; ++k)
                (*weights)[std::size_t(k)] = float(counts[std::size_t(k)]);
        return counts;
    }
    const qsizetype offset = begin(first);
    const QStringView run = QStringView(text).mid(offset, end(last - 1) - offset);
    // A row's hits are summed here and stored once the row is left: a
    // store per hit would chain every hit on the one before.
    int k = first, hits = 0, whole = 0;
    qsizetype rowEnd = end(k);
    const auto store = [&] {
        counts[std::size_t(k)] = hits;
        if (weights) // halves and wholes: exact in a float at any order
            (*weights)[std::size_t(k)] = 0.5f * float(hits - whole) + float(whole);
        hits = whole = 0;
    };
    for (const TextRange &hit : findTerm(run, folded, singleWord)) {
        const qsizetype at = hit.start + offset;
        while (k < last && rowEnd <= at) {
            store();
            if (++k < last)
                rowEnd = end(k);
        }
        if (k == last)
            break;
        if (at + hit.length <= rowEnd) {
            // Without branches: whether a hit stands alone is a coin toss.
            const qsizetype after = hit.start + hit.length;
            ++hits;
            whole += int((hit.start == 0) | (run[std::max<qsizetype>(hit.start - 1, 0)] == u' '))
                & int((after == run.size()) | (run[std::min(after, run.size() - 1)] == u' '));
        }
    }
    if (k < last)
        store();
    return counts;
}

int FoldedText::wordCount(int k, SearchTarget target) const
{
    const std::vector<int> &counted = wordCounts_[target == SearchTarget::Jalalayn ? 1 : target == SearchTarget::Muyassar ? 2 : 0];
    if (std::size_t(k) < counted.size())
        return counted[std::size_t(k)];
    const QStringView t = padded(k, target);
    int n = 0;
    for (qsizetype i = 1; i < t.size(); ++i)
        n += t[i - 1] == u' ' && t[i] != u' ';
    return n;
}

double FoldedText::meanWords(SearchTarget target) const
{
    return meanWords_[target == SearchTarget::Jalalayn ? 1 : target == SearchTarget::Muyassar ? 2 : 0];
}

bool FoldedText::holds(const QString &folded, bool singleWord) const
{
    if (folded.isEmpty())
        return false;
    if (!singleWord && !folded.contains(u'%') && !folded.contains(u'_'))
        return text_.contains(folded);
    const std::vector<int> counts = termCounts(folded, singleWord);
    return std::any_of(counts.begin(), counts.end(), [](int n) { return n > 0; });
}

std::vector<std::pair<QString, int>> FoldedText::wordCounts() const
{
    QHash<QStringView, int> counts;
    counts.reserve(20000);
    for (QStringView word : QStringView(text_).split(u' ', Qt::SkipEmptyParts))
        ++counts[word];
    std::vector<std::pair<QString, int>> out;
    out.reserve(std::size_t(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        out.emplace_back(it.key().toString(), it.value());
    return out;
}

} // namespace zarfan
