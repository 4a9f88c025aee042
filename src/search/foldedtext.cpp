#include "foldedtext.h"

#include "browse/suratables.h"
#include "data/datacontrol.h"
#include "searchquery.h"

#include <QHash>
#include <algorithm>

namespace zarfan {

bool FoldedText::load(DataControl &control)
{
    text_.clear();
    ayas_.clear();
    records_.clear();
    control.setRecordSource(QStringLiteral("SELECT ID, soraano, ayaano, chapterNO, pageno, AyaaFolded FROM Ayat order by ID"));
    if (!control.refresh())
        return false;
    ayas_.reserve(std::size_t(control.rowCount()));
    records_.reserve(std::size_t(control.rowCount()));
    text_.reserve(control.rowCount() * 120);
    for (; !control.eof(); control.moveNext()) {
        ResultRecord r;
        r.id = control.field(0);
        r.sura = control.field(1);
        r.aya = control.field(2);
        r.juz = control.field(3);
        r.page = control.field(4);
        const int sura = SuraTables::numberFromText(r.sura);
        if (sura == 0) {
            // The statement path reports a bad row; this one just steps aside.
            *this = FoldedText();
            return false;
        }
        r.line = SuraTables::reference(sura, r.aya);
        QString padded = control.field(5);
        // Blanks around every text keep a term from running into the next aya.
        if (!padded.startsWith(u' '))
            padded.prepend(u' ');
        if (!padded.endsWith(u' '))
            padded.append(u' ');
        ayas_.push_back({r.id.toInt(), sura, r.juz.toInt(), text_.size(), padded.size()});
        text_ += padded;
        records_.push_back(std::move(r));
    }
    return !ayas_.empty();
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
    default:
        return true;
    }
}

std::vector<int> FoldedText::termCounts(const QString &folded, bool singleWord) const
{
    std::vector<int> counts(ayas_.size(), 0);
    if (folded.isEmpty())
        return counts;
    if (folded.contains(u'%') || folded.contains(u'_')) {
        // A wildcard could run from one aya into the next: aya by aya.
        for (std::size_t k = 0; k < ayas_.size(); ++k)
            counts[k] = int(findTerm(padded(int(k)), folded, singleWord).size());
        return counts;
    }
    std::size_t k = 0;
    for (const TextRange &hit : findTerm(text_, folded, singleWord)) {
        while (k < ayas_.size() && ayas_[k].start + ayas_[k].length <= hit.start)
            ++k;
        if (k == ayas_.size())
            break;
        if (hit.start + hit.length <= ayas_[k].start + ayas_[k].length)
            ++counts[k];
    }
    return counts;
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
