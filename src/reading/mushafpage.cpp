#include "mushafpage.h"

#include "browse/suratables.h"

#include <algorithm>

namespace zarfan {

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
        const WordMap onPage = page.script == Script::Imlaei ? imlaei : mapWords(shown, WordForm::AsStored);
        if (onPage.display.size() != imlaei.display.size())
            continue;
        for (const int k : words) {
            if (k >= 1 && k <= onPage.display.size())
                ranges.append({a.start + onPage.display.at(k - 1).start, onPage.display.at(k - 1).length});
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
