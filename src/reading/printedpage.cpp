#include "printedpage.h"

#include "browse/suratables.h"
#include "search/arabicfolding.h"

#include <QHash>
#include <algorithm>

namespace zarfan {

namespace {

bool pauseMarksOnly(QStringView token)
{
    return std::all_of(token.cbegin(), token.cend(), [](QChar c) { return c.unicode() >= 0x06D6 && c.unicode() <= 0x06ED; });
}

// The words of a text with where each begins and ends (without the pause
// marks that follow it).
struct Tokens {
    QStringList words; // with their pause marks
    QList<TextRange> letters;
};

Tokens tokensOf(const QString &text)
{
    Tokens t;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        while (i < n && text[i].isSpace())
            ++i;
        const qsizetype start = i;
        while (i < n && !text[i].isSpace())
            ++i;
        if (i == start)
            break;
        const QStringView token = QStringView(text).mid(start, i - start);
        if (pauseMarksOnly(token) && !t.words.isEmpty()) {
            t.words.last() += u' ' + token.toString();
        } else if (!pauseMarksOnly(token)) {
            t.words.append(token.toString());
            t.letters.append({start, i - start});
        }
    }
    return t;
}

int firstIdOf(int sura)
{
    static const QList<int> first = [] {
        QList<int> ids(SuraTables::kSuraCount + 2, 1);
        for (int s = 1; s <= SuraTables::kSuraCount; ++s)
            ids[s + 1] = ids[s] + SuraTables::ayaCount(s);
        return ids;
    }();
    return sura >= 1 && sura <= SuraTables::kSuraCount ? first[sura] : 0;
}

} // namespace

QString PrintedLine::plainText() const
{
    if (kind != Text)
        return text;
    QStringList parts;
    for (const PrintedItem &item : items)
        parts.append(item.text);
    return parts.join(u' ');
}

QList<PageWord> PrintedPage::words() const
{
    QList<PageWord> all;
    for (const PrintedLine &line : lines) {
        for (const PrintedItem &item : line.items) {
            if (!item.endMark())
                all.append(item.word);
        }
    }
    return all;
}

QString printedEndMark(int aya) { return QChar(0x06DD) + arabicIndicNumber(aya); }

QStringList printedWords(const QString &text) { return tokensOf(text).words; }

PrintedPageReader::PrintedPageReader(const QString &connection) { dc_.setConnectionString(connection); }

PrintedPage PrintedPageReader::page(int number, Script script)
{
    PrintedPage page;
    page.number = clampPage(number);
    page.script = script;
    page.textPage.number = page.number;
    page.textPage.script = script;

    struct Row {
        PrintedLine::Kind kind;
        int sura, firstAya, firstWord, lastAya, lastWord;
    };
    QList<Row> rows;
    dc_.setRecordSource(QStringLiteral("SELECT kind, sura, firstAya, firstWord, lastAya, lastWord FROM MushafLines "
                                       "where page = %1 order by line").arg(page.number));
    if (!dc_.refresh())
        return page;
    for (; !dc_.eof(); dc_.moveNext()) {
        const QString kind = dc_.field(u"kind");
        Row r{kind == u"sura" ? PrintedLine::Heading : kind == u"basmala" ? PrintedLine::Basmala : PrintedLine::Text,
              dc_.field(u"sura").toInt(), dc_.field(u"firstAya").toInt(), dc_.field(u"firstWord").toInt(),
              dc_.field(u"lastAya").toInt(), dc_.field(u"lastWord").toInt()};
        if (r.sura < 1 || r.sura > SuraTables::kSuraCount)
            return page;
        rows.append(r);
    }
    int firstId = 0, lastId = 0;
    for (const Row &r : rows) {
        if (r.kind != PrintedLine::Text)
            continue;
        if (!firstId)
            firstId = firstIdOf(r.sura) + r.firstAya - 1;
        lastId = firstIdOf(r.sura) + r.lastAya - 1;
    }
    if (!firstId || lastId < firstId)
        return page;

    dc_.setRecordSource(QStringLiteral("SELECT Mushaf.ID, soraano, ayaano, chapterNO, quarter, sajda, Ayaa, uthmani, "
                                       "(SELECT quarter FROM Mushaf AS p where p.ID = Mushaf.ID - 1) AS before "
                                       "FROM Mushaf JOIN Ayat ON Ayat.ID = Mushaf.ID where Mushaf.ID between %1 and %2 "
                                       "order by Mushaf.ID").arg(firstId).arg(lastId));
    if (!dc_.refresh())
        return page;
    struct Aya {
        PageAya info;
        QString uthmani;
        bool quarterStarts = false;
    };
    QList<Aya> ayas;
    for (; !dc_.eof(); dc_.moveNext()) {
        Aya a;
        a.info.id = dc_.field(u"ID").toInt();
        a.info.sura = dc_.field(u"soraano").toInt();
        a.info.aya = dc_.field(u"ayaano").toInt();
        a.info.juz = dc_.field(u"chapterNO").toInt();
        a.info.quarter = dc_.field(u"quarter").toInt();
        a.info.sajda = dc_.field(u"sajda");
        a.info.imlaei = dc_.field(u"Ayaa").trimmed();
        a.uthmani = dc_.field(u"uthmani").trimmed();
        a.quarterStarts = a.info.id > 1 && dc_.field(u"before").toInt() != a.info.quarter;
        ayas.append(a);
    }
    if (ayas.size() != lastId - firstId + 1)
        return page;

    // The line of each Uthmani word on this page; words before the page
    // (of an aya begun on the page before) have none.
    QHash<int, QList<int>> lineOfWord; // aya ID -> line index per word
    for (const Aya &a : ayas)
        lineOfWord.insert(a.info.id, QList<int>(printedWords(a.uthmani).size(), -1));
    for (int j = 0; j < rows.size(); ++j) {
        const Row &r = rows[j];
        if (r.kind != PrintedLine::Text)
            continue;
        for (int aya = r.firstAya; aya <= r.lastAya; ++aya) {
            QList<int> &words = lineOfWord[firstIdOf(r.sura) + aya - 1];
            const int from = aya == r.firstAya ? r.firstWord : 1;
            const int to = aya == r.lastAya ? r.lastWord : int(words.size());
            for (int w = from; w <= to && w <= words.size(); ++w)
                words[w - 1] = j;
        }
    }

    for (const Row &r : rows) {
        PrintedLine line;
        line.kind = r.kind;
        line.sura = r.sura;
        if (r.kind == PrintedLine::Heading)
            line.text = QStringLiteral("سورة ") + SuraTables::name(r.sura);
        else if (r.kind == PrintedLine::Basmala)
            line.text = basmala_.of(dc_, script, r.sura);
        page.lines.append(line);
    }
    for (const Aya &a : ayas) {
        const QList<int> &uthmaniLines = lineOfWord.value(a.info.id);
        if (uthmaniLines.isEmpty())
            continue;
        const int markLine = uthmaniLines.last();
        const Tokens uthmani = tokensOf(a.uthmani);
        const auto put = [&](int line, const PrintedItem &item) {
            if (line >= 0 && line < page.lines.size())
                page.lines[line].items.append(item);
        };
        QStringList shownWords;
        QString shownText;
        if (script == Script::Uthmani) {
            shownWords = uthmani.words;
            shownText = a.uthmani;
            for (int k = 0; k < uthmani.words.size(); ++k)
                put(uthmaniLines[k], {{a.info.sura, a.info.aya, k + 1}, a.info.id, uthmani.words[k], int(uthmani.letters[k].start)});
        } else {
            // Each imla'i word on the line of the first Uthmani word that
            // shows it; one that none shows stays with the word before it.
            const Tokens imlaei = tokensOf(a.info.imlaei);
            shownWords = imlaei.words;
            shownText = a.info.imlaei;
            WordMap from, to;
            from.display = imlaei.letters;
            to.display = uthmani.letters;
            const QList<QList<int>> aligned = alignWords(a.info.imlaei, from, a.uthmani, to);
            int line = uthmaniLines.first();
            for (int k = 0; k < imlaei.words.size(); ++k) {
                if (k < aligned.size() && !aligned[k].isEmpty())
                    line = std::max(line, uthmaniLines.value(aligned[k].first(), line));
                put(std::min(line, markLine), {{a.info.sura, a.info.aya, k + 1}, a.info.id, imlaei.words[k]});
            }
        }
        put(markLine, {{a.info.sura, a.info.aya, 0}, a.info.id, printedEndMark(a.info.aya)});
        if (a.quarterStarts && uthmaniLines.first() >= 0)
            page.lines[uthmaniLines.first()].quarterStarts = true;
        if (a.info.aya == SuraTables::ayaCount(a.info.sura) && markLine >= 0)
            page.lines[markLine].lastOfSura = true;

        PageAya info = a.info;
        MushafPage &text = page.textPage;
        if (!text.text.isEmpty())
            text.text += u' ';
        info.start = text.text.size();
        text.text += shownText;
        info.wordsEnd = text.text.size();
        text.text += QChar(0x00A0) + ayaEndMark(info.aya);
        info.end = text.text.size();
        text.ayas.push_back(info);
    }
    for (const Aya &a : ayas) {
        if (lineOfWord.value(a.info.id).contains(0) || rows.first().kind != PrintedLine::Text) {
            page.juz = a.info.juz;
            break;
        }
    }
    if (!page.juz)
        page.juz = ayas.first().info.juz;
    page.sura = rows.first().sura;
    return page;
}

QList<PageWord> matchedWords(const PrintedPage &page, const QList<TextRange> &ranges)
{
    QList<PageWord> words;
    for (const TextRange &r : ranges) {
        const PageAya *a = page.textPage.ayaAt(r.start);
        if (!a || r.start >= a->wordsEnd)
            continue;
        const Tokens tokens = tokensOf(page.textPage.text.mid(a->start, a->wordsEnd - a->start));
        const qsizetype at = r.start - a->start;
        for (int k = 0; k < tokens.letters.size(); ++k) {
            const TextRange &w = tokens.letters[k];
            if (at >= w.start && at < w.start + w.length) {
                const PageWord word{a->sura, a->aya, k + 1};
                if (!words.contains(word))
                    words.append(word);
                break;
            }
        }
    }
    return words;
}

} // namespace zarfan
