#include "mushafpage.h"

#include "browse/suratables.h"

#include <algorithm>

namespace zarfan {

namespace {
// Letters only, not the tatweel; a superscript alef stands for the alef the
// imla'i text writes.
int letterCount(QStringView word)
{
    return int(std::count_if(word.begin(), word.end(), [](QChar c) {
        return (c.isLetter() && c != QChar(0x0640)) || c == QChar(0x0670);
    }));
}

// Where the two scripts split an aya into different words ("يا أيها" is one
// Uthmani word), imla'i word k is shown as the Uthmani words that hold most
// of its letters, by their place among the aya's letters. Pause marks hold
// none and are never marked.
QList<QList<int>> alignWords(QStringView imlaeiText, const WordMap &imlaei, QStringView shownText, const WordMap &shown)
{
    const auto spans = [](QStringView text, const WordMap &map) {
        QList<std::pair<double, double>> out;
        QList<int> counts;
        int total = 0;
        for (const TextRange &w : map.display) {
            counts.append(letterCount(text.mid(w.start, w.length)));
            total += counts.last();
        }
        int at = 0;
        for (const int n : counts) {
            out.append({double(at) / std::max(total, 1), double(at + n) / std::max(total, 1)});
            at += n;
        }
        return out;
    };
    const auto from = spans(imlaeiText, imlaei);
    const auto to = spans(shownText, shown);
    bool sameSplits = from.size() == to.size();
    for (qsizetype k = 0; sameSplits && k < from.size(); ++k)
        sameSplits = (from[k].first == from[k].second) == (to[k].first == to[k].second);
    QList<QList<int>> words(from.size());
    for (qsizetype k = 0; k < from.size(); ++k) {
        if (sameSplits) {
            words[k].append(int(k));
            continue;
        }
        for (qsizetype j = 0; j < to.size(); ++j) {
            const double overlap = std::min(from[k].second, to[j].second) - std::max(from[k].first, to[j].first);
            const double shorter = std::min(from[k].second - from[k].first, to[j].second - to[j].first);
            if (shorter > 0 && overlap > shorter / 2)
                words[k].append(int(j));
        }
    }
    return words;
}
} // namespace

const PageAya *MushafPage::ayaAt(qsizetype position) const
{
    for (const PageAya &a : ayas) {
        if (position >= a.start && position < a.end)
            return &a;
    }
    return nullptr;
}

const PageAya *MushafPage::find(int id) const
{
    for (const PageAya &a : ayas) {
        if (a.id == id)
            return &a;
    }
    return nullptr;
}

QList<TextRange> matchedRanges(const MushafPage &page, const SearchMatch &match, const WordsByAya &wordsOfRootOrLemma)
{
    QList<TextRange> ranges;
    if (match.target != SearchTarget::Quran && match.key == WordKey::Letters)
        return ranges;
    for (const PageAya &a : page.ayas) {
        const QStringView shown = QStringView(page.text).mid(a.start, a.wordsEnd - a.start);
        const WordMap imlaei = mapWords(a.imlaei, WordForm::Cleaned);
        QList<int> words; // numbers, from 1
        if (match.key != WordKey::Letters) {
            words = wordsOfRootOrLemma.value(a.id);
        } else {
            for (const TextRange &hit : highlightRanges(a.imlaei, match)) {
                for (int k = 0; k < imlaei.display.size(); ++k) {
                    const TextRange &w = imlaei.display.at(k);
                    if (w.start < hit.start + hit.length && hit.start < w.start + w.length)
                        words.append(k + 1);
                }
            }
        }
        if (words.isEmpty())
            continue;
        const bool uthmani = page.script == Script::Uthmani;
        const WordMap onPage = uthmani ? mapWords(shown, WordForm::AsStored) : imlaei;
        const QList<QList<int>> shownWords = uthmani ? alignWords(a.imlaei, imlaei, shown, onPage) : QList<QList<int>>();
        for (const int k : words) {
            if (k < 1 || k > imlaei.display.size())
                continue;
            for (const int j : uthmani ? shownWords.at(k - 1) : QList<int>{k - 1})
                ranges.append({a.start + onPage.display.at(j).start, onPage.display.at(j).length});
        }
    }
    return ranges;
}

QString ayaEndMark(int aya) { return QStringLiteral("﴿") + arabicIndicNumber(aya) + QStringLiteral("﴾"); }


int clampPage(int page) { return std::clamp(page, MushafPage::kFirst, MushafPage::kLast); }

MushafReader::MushafReader(const QString &connection) { dc_.setConnectionString(connection); }

const QString &MushafReader::basmala(Script script, int sura)
{
    const int slot = script == Script::Imlaei ? 0 : (sura == 95 || sura == 97) ? 2 : 1;
    if (basmala_[slot].isEmpty()) {
        // The basmala is the text of 1:1; Tanzil gives suras 95 and 97 a
        // shadda on its first letter in the Uthmani script.
        dc_.setRecordSource(QStringLiteral("SELECT Ayaa, uthmani FROM Ayat JOIN Mushaf ON Mushaf.ID = Ayat.ID where Ayat.ID = 1"));
        dc_.refresh();
        basmala_[0] = dc_.field(u"Ayaa").trimmed();
        basmala_[1] = dc_.field(u"uthmani").trimmed();
        basmala_[2] = basmala_[1];
        if (basmala_[2].size() > 2)
            basmala_[2].insert(2, QChar(0x0651));
    }
    return basmala_[slot];
}

int MushafReader::pageOf(int ayaId)
{
    dc_.setRecordSource(QStringLiteral("SELECT page FROM Mushaf where ID = %1").arg(ayaId));
    dc_.refresh();
    return dc_.field(u"page").toInt();
}

MushafPage MushafReader::page(int number, Script script)
{
    MushafPage page;
    page.number = clampPage(number);
    page.script = script;
    const QString textColumn = script == Script::Uthmani ? QStringLiteral("uthmani") : QStringLiteral("Ayaa");
    dc_.setRecordSource(QStringLiteral("SELECT Mushaf.ID, soraano, ayaano, chapterNO, quarter, sajda, Ayaa, %1 AS words "
                                       "FROM Mushaf JOIN Ayat ON Ayat.ID = Mushaf.ID where page = %2 order by Mushaf.ID")
                            .arg(textColumn)
                            .arg(page.number));
    if (!dc_.refresh())
        return page;
    struct Row {
        PageAya aya;
        QString words;
    };
    std::vector<Row> rows;
    const int cId = dc_.column(u"ID"), cSura = dc_.column(u"soraano"), cAya = dc_.column(u"ayaano");
    const int cJuz = dc_.column(u"chapterNO"), cQuarter = dc_.column(u"quarter"), cSajda = dc_.column(u"sajda");
    const int cWords = dc_.column(u"words"), cImlaei = dc_.column(u"Ayaa");
    for (; !dc_.eof(); dc_.moveNext()) {
        Row row;
        row.aya.id = dc_.field(cId).toInt();
        row.aya.sura = dc_.field(cSura).toInt();
        row.aya.aya = dc_.field(cAya).toInt();
        row.aya.juz = dc_.field(cJuz).toInt();
        row.aya.quarter = dc_.field(cQuarter).toInt();
        row.aya.sajda = dc_.field(cSajda);
        row.words = dc_.field(cWords).trimmed();
        row.aya.imlaei = dc_.field(cImlaei).trimmed();
        if (row.aya.sura >= 1 && row.aya.sura <= SuraTables::kSuraCount)
            rows.push_back(std::move(row));
    }

    int block = 0;
    const auto newBlock = [&](const QString &line) {
        if (!page.text.isEmpty())
            page.text += u'\n';
        page.text += line;
        return block++;
    };
    bool inRun = false;
    for (Row &row : rows) {
        PageAya &a = row.aya;
        if (a.aya == 1) {
            page.headingBlocks.append(newBlock(QStringLiteral("سورة ") + SuraTables::name(a.sura)));
            if (a.sura != 1 && a.sura != 9)
                page.basmalaBlocks.append(newBlock(basmala(script, a.sura)));
            inRun = false;
        }
        if (!inRun) {
            newBlock(QString());
            inRun = true;
        } else {
            page.text += u' ';
        }
        // The sign of the sajda ends the aya in both texts; it stays if a
        // text should come without it.
        if (!a.sajda.isEmpty() && !row.words.endsWith(QChar(0x06E9)))
            row.words += QStringLiteral(" ۩");
        a.start = page.text.size();
        page.text += row.words;
        a.wordsEnd = page.text.size();
        page.text += u' ' + ayaEndMark(a.aya);
        a.end = page.text.size();
        page.ayas.push_back(a);
    }
    if (page.ayas.empty())
        return page;
    const PageAya &first = page.ayas.front();
    page.label = QStringLiteral("الجزء : %1    الحزب : %2    الربع : %3    السورة : %4")
                     .arg(first.juz)
                     .arg((first.quarter + 3) / 4)
                     .arg((first.quarter - 1) % 4 + 1)
                     .arg(SuraTables::name(first.sura));
    for (const PageAya &a : page.ayas) {
        if (!a.sajda.isEmpty()) {
            page.label += QStringLiteral("    ")
                + (a.sajda == u"obligatory" ? QStringLiteral("سجدة واجبة") : QStringLiteral("سجدة مستحبة"));
            break;
        }
    }
    return page;
}

} // namespace zarfan
