#include "mushafpage.h"

#include "browse/suratables.h"
#include "search/arabicfolding.h"
#include "search/vocabulary.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <vector>
#include <QCoreApplication>

namespace zarfan {

// The Uthmani words that show each imla'i word. Where both scripts have as
// many words with letters, word k is word k; elsewhere ("يا أيها" is one
// Uthmani word, "يا ابن أم" one too) the two are aligned, one to one, two or
// three to one, or one to two, by the fewest letters spelt differently.
// Pause marks are never shown for a word.
QList<QList<int>> alignWords(QStringView imlaeiText, const WordMap &imlaei, QStringView shownText, const WordMap &shown)
{
    const auto lettered = [](QStringView text, const WordMap &map, QList<int> &index, QStringList &letters) {
        for (qsizetype k = 0; k < map.display.size(); ++k) {
            // The letters as both scripts spell them alike: marks left out,
            // the forms of alef, ya and hamza made one, as a root is folded.
            const QString s = foldRoot(text.mid(map.display.at(k).start, map.display.at(k).length).toString());
            if (!s.isEmpty()) {
                index.append(int(k));
                letters.append(s);
            }
        }
    };
    QList<int> from, to;
    QStringList fromLetters, toLetters;
    lettered(imlaeiText, imlaei, from, fromLetters);
    lettered(shownText, shown, to, toLetters);
    QList<QList<int>> words(imlaei.display.size());
    const qsizetype n = from.size(), m = to.size();
    if (n == m) {
        for (qsizetype t = 0; t < n; ++t)
            words[from[t]].append(to[t]);
        return words;
    }
    constexpr int unreached = std::numeric_limits<int>::max() / 2;
    constexpr std::pair<int, int> steps[] = {{1, 1}, {2, 1}, {1, 2}, {3, 1}};
    const auto at = [m](qsizetype a, qsizetype b) { return std::size_t(a * (m + 1) + b); };
    std::vector<int> cost(std::size_t((n + 1) * (m + 1)), unreached);
    std::vector<signed char> came(cost.size(), -1);
    cost[0] = 0;
    for (qsizetype a = 0; a <= n; ++a) {
        for (qsizetype b = 0; b <= m; ++b) {
            if (cost[at(a, b)] == unreached)
                continue;
            for (int s = 0; s < int(std::size(steps)); ++s) {
                const auto [da, db] = steps[s];
                if (a + da > n || b + db > m)
                    continue;
                const QString x = fromLetters.mid(a, da).join(QString()), y = toLetters.mid(b, db).join(QString());
                const int c = cost[at(a, b)] + boundedEditDistance(x, y, int(x.size() + y.size()));
                if (c < cost[at(a + da, b + db)]) {
                    cost[at(a + da, b + db)] = c;
                    came[at(a + da, b + db)] = static_cast<signed char>(s);
                }
            }
        }
    }
    if (cost[at(n, m)] == unreached)
        return words;
    for (qsizetype a = n, b = m; a > 0 || b > 0;) {
        const auto [da, db] = steps[came[at(a, b)]];
        for (qsizetype x = a - da; x < a; ++x) {
            for (qsizetype y = b - db; y < b; ++y)
                words[from[x]].append(to[y]);
        }
        a -= da;
        b -= db;
    }
    return words;
}

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

const QString &BasmalaTexts::of(DataControl &data, Script script, int sura)
{
    const int slot = script == Script::Imlaei ? 0 : (sura == 95 || sura == 97) ? 2 : 1;
    if (texts_[slot].isEmpty()) {
        // The basmala is the text of 1:1; Tanzil gives suras 95 and 97 a
        // shadda on its first letter in the Uthmani script.
        data.setRecordSource(QStringLiteral("SELECT Ayaa, uthmani FROM Ayat JOIN Mushaf ON Mushaf.ID = Ayat.ID where Ayat.ID = 1"));
        data.refresh();
        texts_[0] = data.field(u"Ayaa").trimmed();
        texts_[1] = data.field(u"uthmani").trimmed();
        texts_[2] = texts_[1];
        if (texts_[2].size() > 2)
            texts_[2].insert(2, QChar(0x0651));
    }
    return texts_[slot];
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
                page.basmalaBlocks.append(newBlock(basmala_.of(dc_, script, a.sura)));
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
        page.text += QChar(0x00A0) + ayaEndMark(a.aya);
        a.end = page.text.size();
        page.ayas.push_back(a);
        if (const QString under = under_ ? under_(a.id) : QString(); !under.isEmpty()) {
            page.translationBlocks.append(newBlock(under));
            inRun = false;
        }
    }
    if (page.ayas.empty())
        return page;
    const PageAya &first = page.ayas.front();
    page.label = QCoreApplication::translate("zarfan::Mushafpage", "الجزء : %1    الحزب : %2    الربع : %3    السورة : %4")
                     .arg(first.juz)
                     .arg((first.quarter + 3) / 4)
                     .arg((first.quarter - 1) % 4 + 1)
                     .arg(SuraTables::name(first.sura));
    for (const PageAya &a : page.ayas) {
        if (!a.sajda.isEmpty()) {
            page.label += QStringLiteral("    ")
                + (a.sajda == u"obligatory" ? QCoreApplication::translate("zarfan::Mushafpage", "سجدة واجبة") : QCoreApplication::translate("zarfan::Mushafpage", "سجدة مستحبة"));
            break;
        }
    }
    return page;
}

} // namespace zarfan
