#include "makedb.h"
#include "tajweedspans.h"

#include "browse/suratables.h"
#include "data/sqlite.h"
#include "search/arabicfolding.h"
#include "search/searchstatement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>
#include <filesystem>
#include <map>
#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace zarfan::makedb {

namespace {

class Failure {
public:
    QString message;
};

struct Table {
    QString file;
    std::vector<QStringList> rows; // without the header
    std::vector<int> lineNumbers;
};

[[noreturn]] void fail(const QString &file, int line, const QString &what)
{
    throw Failure{QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(what)};
}

// Only a regular file: a pipe or device in its place would block the build.
QByteArray readRegularFile(const QString &path, const QString &name)
{
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile())
        fail(name, 0, QStringLiteral("is not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(name, 0, QStringLiteral("cannot be read: %1").arg(file.errorString()));
    return file.readAll();
}

// With a notice block, the file opens with lines starting with '#' that must
// be there and are not part of the table; line numbers count them.
Table readTable(const QString &dir, const QString &name, const QStringList &header, bool noticeBlock = false)
{
    Table table;
    table.file = name;
    const QByteArray bytes = readRegularFile(QDir(dir).filePath(name), name);
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        const QList<QByteArray> rawLines = bytes.split('\n');
        for (qsizetype i = 0; i < rawLines.size(); ++i) {
            QStringDecoder line(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
            const QString decoded = line.decode(rawLines.at(i));
            if (line.hasError())
                fail(name, int(i) + 1, QStringLiteral("is not valid UTF-8"));
        }
        fail(name, 1, QStringLiteral("is not valid UTF-8"));
    }
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    if (lines.isEmpty())
        fail(name, 1, QStringLiteral("is empty"));
    int first = 0;
    while (noticeBlock && first < lines.size() && lines.at(first).startsWith(u'#'))
        ++first;
    if (noticeBlock && first == 0)
        fail(name, 1, QStringLiteral("has lost its notice block"));
    for (int i = first; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.contains(u'\r') || line.contains(QChar(0)))
            fail(name, i + 1, QStringLiteral("holds a CR or NUL character inside a line"));
        const QStringList fields = line.split(u'\t');
        if (i == first) {
            if (fields != header)
                fail(name, i + 1, QStringLiteral("header must be: %1").arg(header.join(u' ')));
            continue;
        }
        if (fields.size() != header.size())
            fail(name, i + 1, QStringLiteral("has %1 fields instead of %2").arg(fields.size()).arg(header.size()));
        table.rows.push_back(fields);
        table.lineNumbers.push_back(i + 1);
    }
    return table;
}

int number(const Table &t, std::size_t row, int column, int low, int high, const char *what)
{
    // Plain digits only: "+7", " 7 " and "007" are not how the data writes numbers.
    static const QRegularExpression plain(QStringLiteral("^(0|[1-9][0-9]{0,8})$"));
    const QString &field = t.rows[row].at(column);
    const bool ok = plain.match(field).hasMatch();
    const int value = ok ? field.toInt() : 0;
    if (!ok || value < low || value > high)
        fail(t.file, t.lineNumbers[row],
             QStringLiteral("%1 \"%2\" is not a number from %3 to %4").arg(QString::fromLatin1(what), t.rows[row].at(column)).arg(low).arg(high));
    return value;
}

struct Aya {
    int id, sura, aya, juz, page;
    QString text, index, taf, taf2;
    QString folded, tafFolded, taf2Folded;
    QString tafClean, taf2Clean;
    QString uthmani;
    int quarter = 0, manzil = 0, ruku = 0;
    QString sajda;
};

// The words of a text: its tokens without those made only of pause marks.
// A mark inside a word is part of the word.
QStringList wordsOf(const QString &text)
{
    QStringList kept;
    for (const QString &token : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!std::all_of(token.cbegin(), token.cend(), [](QChar c) { return c.unicode() >= 0x06D6 && c.unicode() <= 0x06ED; }))
            kept.append(token);
    }
    return kept;
}

qsizetype wordCount(const QString &text) { return wordsOf(text).size(); }

std::vector<Aya> readAyat(const QString &dir)
{
    const Table quran = readTable(dir, QStringLiteral("quran.tsv"),
                                  {u"id"_s, u"sura"_s, u"aya"_s, u"juz"_s, u"page"_s, u"text"_s, u"text_clean"_s});
    std::vector<Aya> ayat;
    ayat.reserve(quran.rows.size());
    int expectedSura = 1, expectedAya = 1;
    for (std::size_t r = 0; r < quran.rows.size(); ++r) {
        const int line = quran.lineNumbers[r];
        Aya a;
        a.id = number(quran, r, 0, 1, SuraTables::kAyaTotal, "id");
        a.sura = number(quran, r, 1, 1, SuraTables::kSuraCount, "sura");
        a.aya = number(quran, r, 2, 1, 286, "aya");
        a.juz = number(quran, r, 3, 1, 30, "juz");
        a.page = number(quran, r, 4, 1, 604, "page");
        if (expectedSura <= SuraTables::kSuraCount && expectedAya > SuraTables::ayaCount(expectedSura)) {
            ++expectedSura;
            expectedAya = 1;
        }
        if (a.id != int(r) + 1)
            fail(quran.file, line, QStringLiteral("id %1 out of order, expected %2").arg(a.id).arg(r + 1));
        if (a.sura != expectedSura || a.aya != expectedAya)
            fail(quran.file, line, QStringLiteral("aya %1:%2 out of order, expected %3:%4 (sura %3 has %5 ayas)")
                                       .arg(a.sura).arg(a.aya).arg(expectedSura).arg(expectedAya)
                                       .arg(SuraTables::ayaCount(expectedSura)));
        if (!ayat.empty() && (a.juz < ayat.back().juz || a.page < ayat.back().page))
            fail(quran.file, line, QStringLiteral("juz or page goes back"));
        a.text = quran.rows[r].at(5);
        a.index = searchableText(quran.rows[r].at(6));
        if (a.text.trimmed().isEmpty() || a.index.trimmed().isEmpty())
            fail(quran.file, line, QStringLiteral("empty aya text"));
        a.folded = u' ' + foldArabic(a.index) + u' ';
        // Word k of every stored form is word k of the aya: the highlight and
        // the word data rely on it.
        const qsizetype words = wordCount(a.text);
        if (wordCount(a.index) != words || wordCount(a.folded) != words)
            fail(quran.file, line, QStringLiteral("the text and the clean text differ in their number of words"));
        ayat.push_back(a);
        ++expectedAya;
    }
    if (int(ayat.size()) != SuraTables::kAyaTotal)
        fail(quran.file, int(quran.rows.size()) + 1,
             QStringLiteral("holds %1 ayas instead of %2 (sura %3 is short)").arg(ayat.size()).arg(SuraTables::kAyaTotal).arg(expectedSura));

    const auto readTafsir = [&](const QString &name, QString Aya::*target, QString Aya::*foldedTarget, QString Aya::*cleanTarget) {
        const Table t = readTable(dir, name, {u"sura"_s, u"aya"_s, u"text"_s});
        if (t.rows.size() != ayat.size())
            fail(name, int(t.rows.size()) + 1, QStringLiteral("holds %1 texts instead of %2").arg(t.rows.size()).arg(ayat.size()));
        for (std::size_t r = 0; r < t.rows.size(); ++r) {
            const int sura = number(t, r, 0, 1, SuraTables::kSuraCount, "sura");
            const int aya = number(t, r, 1, 1, 286, "aya");
            if (sura != ayat[r].sura || aya != ayat[r].aya)
                fail(name, t.lineNumbers[r], QStringLiteral("text for %1:%2 where %3:%4 belongs").arg(sura).arg(aya).arg(ayat[r].sura).arg(ayat[r].aya));
            if (t.rows[r].at(2).trimmed().isEmpty())
                fail(name, t.lineNumbers[r], QStringLiteral("empty tafsir text"));
            ayat[r].*target = t.rows[r].at(2);
            ayat[r].*foldedTarget = u' ' + foldArabic(t.rows[r].at(2)) + u' ';
            // The literal search ignores diacritics here as in the aya text.
            ayat[r].*cleanTarget = u' ' + cleanArabic(t.rows[r].at(2)) + u' ';
        }
    };
    readTafsir(QStringLiteral("tafsir-jalalayn.tsv"), &Aya::taf, &Aya::tafFolded, &Aya::tafClean);
    readTafsir(QStringLiteral("tafsir-muyassar.tsv"), &Aya::taf2, &Aya::taf2Folded, &Aya::taf2Clean);
    return ayat;
}

// A file keyed like quran.tsv: one row per aya with the same id, sura and aya.
void checkKeys(const Table &t, const std::vector<Aya> &ayat)
{
    for (std::size_t r = 0; r < t.rows.size() && r < ayat.size(); ++r) {
        const int id = number(t, r, 0, 1, SuraTables::kAyaTotal, "id");
        const int sura = number(t, r, 1, 1, SuraTables::kSuraCount, "sura");
        const int aya = number(t, r, 2, 1, 286, "aya");
        if (id != ayat[r].id || sura != ayat[r].sura || aya != ayat[r].aya)
            fail(t.file, t.lineNumbers[r], QStringLiteral("row %1 (%2:%3) where %4 (%5:%6) belongs")
                                               .arg(id).arg(sura).arg(aya).arg(ayat[r].id).arg(ayat[r].sura).arg(ayat[r].aya));
    }
    if (t.rows.size() != ayat.size())
        fail(t.file, t.lineNumbers.empty() ? 2 : t.lineNumbers.back() + 1,
             QStringLiteral("holds %1 ayas instead of %2").arg(t.rows.size()).arg(ayat.size()));
}

// The Uthmani text and the mushaf's divisions. The text is kept exactly as
// the file has it: it is shown, never searched.
void readMushaf(const QString &dir, std::vector<Aya> &ayat)
{
    const Table u = readTable(dir, QStringLiteral("quran-uthmani.tsv"), {u"id"_s, u"sura"_s, u"aya"_s, u"text"_s});
    checkKeys(u, ayat);
    for (std::size_t r = 0; r < u.rows.size(); ++r) {
        if (u.rows[r].at(3).trimmed().isEmpty())
            fail(u.file, u.lineNumbers[r], QStringLiteral("empty aya text"));
        ayat[r].uthmani = u.rows[r].at(3);
    }

    const Table d = readTable(dir, QStringLiteral("divisions.tsv"),
                              {u"id"_s, u"sura"_s, u"aya"_s, u"juz"_s, u"hizb_quarter"_s, u"manzil"_s, u"ruku"_s, u"sajda"_s, u"page"_s});
    checkKeys(d, ayat);
    for (std::size_t r = 0; r < d.rows.size(); ++r) {
        Aya &a = ayat[r];
        const int line = d.lineNumbers[r];
        const int juz = number(d, r, 3, 1, 30, "juz");
        a.quarter = number(d, r, 4, 1, 240, "hizb_quarter");
        a.manzil = number(d, r, 5, 1, 7, "manzil");
        a.ruku = number(d, r, 6, 1, 556, "ruku");
        const int page = number(d, r, 8, 1, 604, "page");
        if (juz != a.juz || page != a.page)
            fail(d.file, line, QStringLiteral("juz %1, page %2 where quran.tsv has juz %3, page %4").arg(juz).arg(page).arg(a.juz).arg(a.page));
        if ((a.quarter - 1) / 8 + 1 != juz)
            fail(d.file, line, QStringLiteral("hizb quarter %1 lies outside juz %2").arg(a.quarter).arg(juz));
        a.sajda = d.rows[r].at(7);
        if (!a.sajda.isEmpty() && a.sajda != u"recommended" && a.sajda != u"obligatory")
            fail(d.file, line, QStringLiteral("sajda \"%1\" is neither empty, recommended nor obligatory").arg(a.sajda));
        if (r > 0) {
            const Aya &b = ayat[r - 1];
            // Each division runs on or starts the next one.
            if (a.quarter - b.quarter > 1 || a.quarter < b.quarter || a.manzil - b.manzil > 1 || a.manzil < b.manzil
                || a.ruku - b.ruku > 1 || a.ruku < b.ruku || (a.sura != b.sura && a.ruku == b.ruku))
                fail(d.file, line, QStringLiteral("a division goes back, skips one, or a ruku spans two suras"));
        }
    }
    if (ayat.back().quarter != 240 || ayat.back().manzil != 7 || ayat.back().ruku != 556)
        fail(d.file, d.lineNumbers.back(), QStringLiteral("ends before quarter 240, manzil 7 or ruku 556"));
}

// One word's root and lemma, by its position among the aya's words without
// the pause marks.
struct Word {
    int ayaId, sura, aya, wordNo;
    QString root, lemma, lemmaClean;
};

std::vector<Word> readWords(const QString &dir, const std::vector<Aya> &ayat)
{
    const QString name = QStringLiteral("morphology.tsv");
    const Table t = readTable(dir, name, {u"sura"_s, u"aya"_s, u"word"_s, u"root"_s, u"lemma"_s, u"lemma_clean"_s}, true);
    std::vector<Word> words;
    words.reserve(t.rows.size());
    std::size_t r = 0;
    for (const Aya &a : ayat) {
        const qsizetype count = wordCount(a.text);
        for (int w = 1; w <= count; ++w, ++r) {
            if (r >= t.rows.size())
                fail(name, t.lineNumbers.empty() ? 1 : t.lineNumbers.back() + 1,
                     QStringLiteral("ends before word %1 of %2:%3").arg(w).arg(a.sura).arg(a.aya));
            const int sura = number(t, r, 0, 1, SuraTables::kSuraCount, "sura");
            const int aya = number(t, r, 1, 1, 286, "aya");
            const int word = number(t, r, 2, 1, 999, "word");
            if (sura != a.sura || aya != a.aya || word != w)
                fail(name, t.lineNumbers[r], QStringLiteral("word %1:%2:%3 where %4:%5:%6 belongs (the aya has %7 words)")
                                                 .arg(sura).arg(aya).arg(word).arg(a.sura).arg(a.aya).arg(w).arg(count));
            const QStringList &f = t.rows[r];
            if (f.at(4).count(u'|') != f.at(5).count(u'|'))
                fail(name, t.lineNumbers[r], QStringLiteral("lemma and lemma_clean differ in their parts"));
            // A root is 2 to 4 Arabic letters (or none); a lemma Arabic letters
            // and marks in parts split by '|'.
            static const QRegularExpression root(QStringLiteral("^([\\x{0621}-\\x{064A}]{2,4})?$"));
            static const QRegularExpression lemma(
                QStringLiteral("^[\\x{0621}-\\x{0655}\\x{0670}\\x{0671}\\x{06D6}-\\x{06ED}|]{0,64}$"));
            if (!root.match(f.at(3)).hasMatch())
                fail(name, t.lineNumbers[r], QStringLiteral("root \"%1\" is not 2 to 4 Arabic letters").arg(f.at(3).left(40)));
            for (int c : {4, 5}) {
                if (!lemma.match(f.at(c)).hasMatch())
                    fail(name, t.lineNumbers[r],
                         QStringLiteral("lemma \"%1\" is not up to 64 Arabic letters and marks").arg(f.at(c).left(40)));
            }
            words.push_back({a.id, sura, aya, word, f.at(3), f.at(4), f.at(5)});
        }
    }
    if (r != t.rows.size())
        fail(name, t.lineNumbers[r], QStringLiteral("has more words than the aya text"));
    return words;
}

// One printed line of a mushaf page: a run of words, a sura's heading or a
// basmala. Word numbers count the Uthmani words as wordsOf splits them.
struct PrintedLine {
    int page, line;
    QString kind;
    int sura, firstAya = 0, firstWord = 0, lastAya = 0, lastWord = 0;
};

// The printed lines of every page, checked against the Uthmani words: each
// word on exactly one line in order, each heading and basmala where its sura
// begins, and every aya's first word on the page the divisions give it.
std::vector<PrintedLine> readLines(const QString &dir, const std::vector<Aya> &ayat)
{
    const Table t = readTable(dir, QStringLiteral("mushaf-lines.tsv"),
                              {u"page"_s, u"line"_s, u"kind"_s, u"sura"_s, u"first"_s, u"last"_s});
    constexpr int kPages = 604;
    const auto linesOf = [](int page) { return page <= 2 ? 8 : 15; };
    std::vector<PrintedLine> lines;
    lines.reserve(t.rows.size());
    std::size_t ayaIndex = 0; // the aya of the next word due
    int wordNo = 1;          // the next word due within it
    int headingSura = 0;     // the sura whose heading came last
    bool basmalaDue = false;
    int expectedPage = 1, expectedLine = 1;
    static const QRegularExpression wordRef(QStringLiteral("^([1-9][0-9]{0,2}):([1-9][0-9]{0,2}):([1-9][0-9]{0,2})$"));
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        const int lineNo = t.lineNumbers[r];
        PrintedLine l;
        l.page = number(t, r, 0, 1, kPages, "page");
        l.line = number(t, r, 1, 1, 15, "line");
        l.kind = t.rows[r].at(2);
        l.sura = number(t, r, 3, 1, SuraTables::kSuraCount, "sura");
        if (expectedLine > linesOf(expectedPage)) {
            ++expectedPage;
            expectedLine = 1;
        }
        if (l.page != expectedPage || l.line != expectedLine)
            fail(t.file, lineNo, QStringLiteral("line %1 of page %2 out of order, expected line %3 of page %4 (pages 1 and 2 have 8 lines, the others 15)")
                                     .arg(l.line).arg(l.page).arg(expectedLine).arg(expectedPage));
        ++expectedLine;
        const QString &first = t.rows[r].at(4), &last = t.rows[r].at(5);
        const int due = ayaIndex < ayat.size() ? ayat[ayaIndex].sura : SuraTables::kSuraCount + 1;
        if (l.kind == u"sura") {
            if (!first.isEmpty() || !last.isEmpty())
                fail(t.file, lineNo, QStringLiteral("a heading line has no words"));
            if (wordNo != 1 || ayaIndex >= ayat.size() || ayat[ayaIndex].aya != 1 || l.sura != due || headingSura == l.sura)
                fail(t.file, lineNo, QStringLiteral("heading of sura %1 where the words of %2:%3 are due")
                                         .arg(l.sura).arg(due).arg(ayaIndex < ayat.size() ? ayat[ayaIndex].aya : 0));
            headingSura = l.sura;
            basmalaDue = l.sura != 1 && l.sura != 9;
        } else if (l.kind == u"basmala") {
            if (!first.isEmpty() || !last.isEmpty())
                fail(t.file, lineNo, QStringLiteral("a basmala line has no words"));
            if (!basmalaDue || l.sura != headingSura)
                fail(t.file, lineNo, QStringLiteral("basmala of sura %1 where none is due (one follows each heading but those of suras 1 and 9)").arg(l.sura));
            basmalaDue = false;
        } else if (l.kind == u"text") {
            int fs = 0, fa = 0, fw = 0, ls = 0, la = 0, lw = 0;
            for (const auto &[field, s, a, w] : {std::tuple{&first, &fs, &fa, &fw}, std::tuple{&last, &ls, &la, &lw}}) {
                const QRegularExpressionMatch m = wordRef.match(*field);
                if (!m.hasMatch())
                    fail(t.file, lineNo, QStringLiteral("\"%1\" is not sura:aya:word").arg(field->left(40)));
                *s = m.captured(1).toInt();
                *a = m.captured(2).toInt();
                *w = m.captured(3).toInt();
            }
            if (ayaIndex >= ayat.size())
                fail(t.file, lineNo, QStringLiteral("words after the last word of the mushaf"));
            const Aya &next = ayat[ayaIndex];
            if (basmalaDue || (next.aya == 1 && wordNo == 1 && headingSura != next.sura))
                fail(t.file, lineNo, QStringLiteral("the words of sura %1 before its heading and basmala").arg(next.sura));
            if (fs != next.sura || fa != next.aya || fw != wordNo || l.sura != fs)
                fail(t.file, lineNo, QStringLiteral("line begins at %1 (sura %2) where word %3:%4:%5 is due")
                                         .arg(first, t.rows[r].at(3)).arg(next.sura).arg(next.aya).arg(wordNo));
            if (ls != fs)
                fail(t.file, lineNo, QStringLiteral("line runs from sura %1 into sura %2").arg(fs).arg(ls));
            // Walk the words up to the last one; it must be a word of its aya.
            while (true) {
                const Aya &a = ayat[ayaIndex];
                const int count = int(wordCount(a.uthmani));
                if (a.aya == la && a.sura == ls) {
                    if (lw < wordNo || lw > count)
                        fail(t.file, lineNo, QStringLiteral("line ends at %1, outside words %2 to %3 of the aya").arg(last).arg(wordNo).arg(count));
                    if (wordNo == 1 && a.page != l.page)
                        fail(t.file, lineNo, QStringLiteral("aya %1:%2 begins on page %3, divisions.tsv gives page %4")
                                                 .arg(a.sura).arg(a.aya).arg(l.page).arg(a.page));
                    wordNo = lw + 1;
                    if (wordNo > count) {
                        ++ayaIndex;
                        wordNo = 1;
                    }
                    break;
                }
                if (wordNo == 1 && a.page != l.page)
                    fail(t.file, lineNo, QStringLiteral("aya %1:%2 begins on page %3, divisions.tsv gives page %4")
                                             .arg(a.sura).arg(a.aya).arg(l.page).arg(a.page));
                ++ayaIndex;
                wordNo = 1;
                if (ayaIndex >= ayat.size() || ayat[ayaIndex].sura != ls || ayat[ayaIndex].aya > la)
                    fail(t.file, lineNo, QStringLiteral("line ends at %1, which is not a later word of sura %2").arg(last).arg(fs));
            }
            l.firstAya = fa;
            l.firstWord = fw;
            l.lastAya = la;
            l.lastWord = lw;
        } else {
            fail(t.file, lineNo, QStringLiteral("kind \"%1\" is neither text, sura nor basmala").arg(l.kind.left(40)));
        }
        lines.push_back(l);
    }
    if (expectedPage != kPages || expectedLine != linesOf(kPages) + 1)
        fail(t.file, t.lineNumbers.empty() ? 2 : t.lineNumbers.back() + 1,
             QStringLiteral("ends at line %1 of page %2, before line %3 of page %4").arg(expectedLine - 1).arg(expectedPage).arg(linesOf(kPages)).arg(kPages));
    if (ayaIndex != ayat.size())
        fail(t.file, t.lineNumbers.back() + 1, QStringLiteral("ends before word %1 of %2:%3").arg(wordNo).arg(ayat[ayaIndex].sura).arg(ayat[ayaIndex].aya));
    return lines;
}

struct Topic {
    int number, parent;
    QString name;
};

struct TopicRef {
    int topic, sura;
    QString ayat;
};

void readTopics(const QString &dir, std::vector<Topic> &topics, std::vector<TopicRef> &refs)
{
    const Table t = readTable(dir, QStringLiteral("topics.tsv"), {u"topic_no"_s, u"parent_no"_s, u"name"_s});
    QSet<int> numbers;
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        Topic topic{number(t, r, 0, 1, 1000000, "topic_no"), number(t, r, 1, 0, 1000000, "parent_no"), t.rows[r].at(2).trimmed()};
        if (topic.name.isEmpty())
            fail(t.file, t.lineNumbers[r], QStringLiteral("empty topic name"));
        if (numbers.contains(topic.number))
            fail(t.file, t.lineNumbers[r], QStringLiteral("topic %1 listed twice").arg(topic.number));
        numbers.insert(topic.number);
        topics.push_back(topic);
    }
    QHash<int, int> parentOf;
    for (const Topic &topic : topics)
        parentOf.insert(topic.number, topic.parent);
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        if (topics[r].parent != 0 && !numbers.contains(topics[r].parent))
            fail(t.file, t.lineNumbers[r], QStringLiteral("parent topic %1 does not exist").arg(topics[r].parent));
        // A topic must reach the top: one that is its own ancestor never shows.
        int step = topics[r].parent;
        for (std::size_t hops = 0; step != 0; ++hops) {
            if (step == topics[r].number || hops > topics.size())
                fail(t.file, t.lineNumbers[r], QStringLiteral("topic %1 lies on a cycle of parents").arg(topics[r].number));
            step = parentOf.value(step, 0);
        }
    }

    const Table a = readTable(dir, QStringLiteral("topic-ayat.tsv"), {u"topic_no"_s, u"sura"_s, u"ayat"_s});
    if (a.rows.empty())
        fail(a.file, 2, QStringLiteral("holds no references"));
    for (std::size_t r = 0; r < a.rows.size(); ++r) {
        const int line = a.lineNumbers[r];
        const int topic = number(a, r, 0, 1, 1000000, "topic_no");
        const int sura = number(a, r, 1, 1, SuraTables::kSuraCount, "sura");
        if (!numbers.contains(topic))
            fail(a.file, line, QStringLiteral("topic %1 does not exist").arg(topic));
        std::vector<int> ayas;
        const QStringList items = a.rows[r].at(2).split(u',');
        for (const QString &item : items) {
            const QStringList bounds = item.split(u'-');
            bool ok1 = false, ok2 = true;
            const int from = bounds.at(0).toInt(&ok1);
            const int to = bounds.size() == 2 ? bounds.at(1).toInt(&ok2) : from;
            if (!ok1 || !ok2 || bounds.size() > 2 || from < 1 || to < from || to > SuraTables::ayaCount(sura))
                fail(a.file, line, QStringLiteral("reference \"%1\" is not inside sura %2 (1-%3)").arg(item).arg(sura).arg(SuraTables::ayaCount(sura)));
            for (int n = from; n <= to; ++n)
                ayas.push_back(n);
        }
        for (const QString &row : compactReferences(ayas))
            refs.push_back({topic, sura, row});
    }
}

std::vector<StoredSpan> readTajweed(const QString &dir, const std::vector<Aya> &ayat)
{
    const Table t = readTable(dir, QStringLiteral("tajweed.tsv"), tajweedHeader());
    std::vector<TajweedRow> rows;
    for (std::size_t r = 0; r < t.rows.size(); ++r)
        rows.push_back({number(t, r, 0, 1, SuraTables::kSuraCount, "sura"), number(t, r, 1, 1, 286, "aya"),
                        number(t, r, 2, 0, 100000, "start"), number(t, r, 3, 0, 100000, "end"), t.rows[r].at(4), t.lineNumbers[r]});
    std::vector<QString> texts;
    for (const Aya &a : ayat)
        texts.push_back(a.uthmani);
    return checkTajweed(rows, texts, [&](int line, const QString &what) { fail(t.file, line, what); });
}

QStringList readNotices(const QString &path)
{
    const QStringList sections = splitNotices(QString::fromUtf8(readRegularFile(path, path)));
    if (sections.size() < 2)
        fail(path, 1, QStringLiteral("holds no notice sections"));
    return sections;
}

void bindValue(sql::Statement &insert, int column, int value) { insert.bind(column, qint64(value)); }
void bindValue(sql::Statement &insert, int column, const QString &value) { insert.bind(column, value); }

// One row: the values bound in column order.
template <class... Values>
void insertRow(sql::Statement &insert, const sql::Database &db, const QString &path, const Values &...values)
{
    int column = 0;
    (bindValue(insert, ++column, values), ...);
    if (!insert.execute())
        fail(path, 0, db.errorMessage());
    insert.reset();
}

void write(const QString &path, const QString &password, const std::vector<Aya> &ayat,
           const std::vector<Topic> &topics, const std::vector<TopicRef> &refs, const QStringList &notices,
           const std::vector<Word> &words, const std::vector<PrintedLine> &printedLines,
           const std::vector<StoredSpan> &tajweed)
{
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    sql::Database db(raw);
    if (rc != SQLITE_OK)
        fail(path, 0, db.errorMessage());
    QString quoted = password;
    quoted.replace(u'\'', QStringLiteral("''"));
    const auto exec = [&](const QByteArray &sql) {
        if (!db.exec(sql))
            fail(path, 0, db.errorMessage());
    };
    exec("PRAGMA key = '" + quoted.toUtf8() + "';");
    exec("PRAGMA journal_mode = OFF;");
    exec("BEGIN;");
    // The searched aya columns come first: a scan reaches them without
    // reading through the long tafsir texts.
    exec("CREATE TABLE Ayat (ID INTEGER PRIMARY KEY, soraano INTEGER NOT NULL, ayaano INTEGER NOT NULL, "
         "chapterNO INTEGER NOT NULL, pageno INTEGER NOT NULL, AyaaIndex TEXT NOT NULL, AyaaFolded TEXT NOT NULL, "
         "Ayaa TEXT NOT NULL, taf TEXT NOT NULL, taf2 TEXT NOT NULL, tafFolded TEXT NOT NULL, taf2Folded TEXT NOT NULL, "
         "tafClean TEXT NOT NULL, taf2Clean TEXT NOT NULL);");
    exec("CREATE TABLE topics_name (ID INTEGER PRIMARY KEY, Topic_No INTEGER NOT NULL, "
         "Topic_Name TEXT NOT NULL, Mother_Topic TEXT NOT NULL, Topic_NameFolded TEXT NOT NULL);");
    exec("CREATE TABLE topic_Ayat (ID INTEGER PRIMARY KEY, Topic_No INTEGER NOT NULL, "
         "Sura_No TEXT NOT NULL, Ayat_No TEXT NOT NULL);");
    // The printed mushaf's text and divisions, for the reading window; a
    // page is read through its index.
    exec("CREATE TABLE Mushaf (ID INTEGER PRIMARY KEY, page INTEGER NOT NULL, quarter INTEGER NOT NULL, "
         "manzil INTEGER NOT NULL, ruku INTEGER NOT NULL, sajda TEXT NOT NULL, uthmani TEXT NOT NULL);");
    exec("CREATE INDEX MushafPage ON Mushaf (page, ID);");
    // The printed lines of each page: a text line runs over the Uthmani
    // words firstAya:firstWord to lastAya:lastWord of its sura.
    exec("CREATE TABLE MushafLines (page INTEGER NOT NULL, line INTEGER NOT NULL, kind TEXT NOT NULL, "
         "sura INTEGER NOT NULL, firstAya INTEGER NOT NULL, firstWord INTEGER NOT NULL, lastAya INTEGER NOT NULL, "
         "lastWord INTEGER NOT NULL, PRIMARY KEY (page, line)) WITHOUT ROWID;");
    exec("CREATE TABLE data_notice (ID INTEGER PRIMARY KEY, Notice TEXT NOT NULL);");
    // One row per word and lemma part (a word of several lemmas has a row for
    // each, the whole lemma in every one), keyed by wordRowId. The rows are kept in root
    // order, so a root search reads one run of them and needs no index of
    // its own; a lemma search reads the table through (a few milliseconds).
    // That keeps the file small.
    exec("CREATE TABLE Words (ID INTEGER NOT NULL, soraano INTEGER NOT NULL, ayaano INTEGER NOT NULL, "
         "wordno INTEGER NOT NULL, root TEXT NOT NULL, lemma TEXT NOT NULL, rootFolded TEXT NOT NULL, "
         "lemmaFolded TEXT NOT NULL, PRIMARY KEY (rootFolded, ID)) WITHOUT ROWID;");

    sql::Statement insAya(raw, "INSERT INTO Ayat VALUES (?,?,?,?,?,?,?,?,?,?,?,?,?,?);");
    for (const Aya &a : ayat)
        insertRow(insAya, db, path, a.id, a.sura, a.aya, a.juz, a.page, a.index, a.folded, a.text, a.taf, a.taf2,
                  a.tafFolded, a.taf2Folded, a.tafClean, a.taf2Clean);
    sql::Statement insMushaf(raw, "INSERT INTO Mushaf VALUES (?,?,?,?,?,?,?);");
    for (const Aya &a : ayat)
        insertRow(insMushaf, db, path, a.id, a.page, a.quarter, a.manzil, a.ruku, a.sajda, a.uthmani);
    sql::Statement insLine(raw, "INSERT INTO MushafLines VALUES (?,?,?,?,?,?,?,?);");
    for (const PrintedLine &l : printedLines)
        insertRow(insLine, db, path, l.page, l.line, l.kind, l.sura, l.firstAya, l.firstWord, l.lastAya, l.lastWord);
    sql::Statement insTopic(raw, "INSERT INTO topics_name VALUES (?,?,?,?,?);");
    qint64 id = 0;
    for (const Topic &t : topics) {
        insTopic.bind(1, ++id);
        insTopic.bind(2, qint64(t.number));
        insTopic.bind(3, t.name);
        insTopic.bind(4, QString::number(t.parent));
        insTopic.bind(5, foldArabic(t.name));
        if (!insTopic.execute())
            fail(path, 0, db.errorMessage());
        insTopic.reset();
    }
    sql::Statement insRef(raw, "INSERT INTO topic_Ayat VALUES (?,?,?,?);");
    id = 0;
    for (const TopicRef &r : refs) {
        insRef.bind(1, ++id);
        insRef.bind(2, qint64(r.topic));
        insRef.bind(3, QString::number(r.sura));
        insRef.bind(4, r.ayat);
        if (!insRef.execute())
            fail(path, 0, db.errorMessage());
        insRef.reset();
    }
    // Rows go in in key order, so that the pages fill up.
    struct WordRow {
        QString rootFolded;
        qint64 id;
        const Word *word;
        QString lemmaFolded;
    };
    std::vector<WordRow> wordRows;
    wordRows.reserve(words.size() + words.size() / 100);
    for (const Word &w : words) {
        const QStringList parts = w.lemmaClean.split(u'|');
        for (qsizetype part = 0; part < parts.size(); ++part)
            wordRows.push_back({foldRoot(w.root), wordRowId(w.ayaId, w.wordNo, int(part)), &w, foldArabic(parts.at(part))});
    }
    // The engine's order of text keys: by their UTF-8 bytes.
    std::sort(wordRows.begin(), wordRows.end(), [](const WordRow &a, const WordRow &b) {
        const QByteArray ka = a.rootFolded.toUtf8(), kb = b.rootFolded.toUtf8();
        return ka != kb ? ka < kb : a.id < b.id;
    });
    sql::Statement insWord(raw, "INSERT INTO Words VALUES (?,?,?,?,?,?,?,?);");
    for (const WordRow &row : wordRows) {
        insWord.bind(1, row.id);
        insWord.bind(2, qint64(row.word->sura));
        insWord.bind(3, qint64(row.word->aya));
        insWord.bind(4, qint64(row.word->wordNo));
        insWord.bind(5, row.word->root);
        insWord.bind(6, row.word->lemma);
        insWord.bind(7, row.rootFolded);
        insWord.bind(8, row.lemmaFolded);
        if (!insWord.execute())
            fail(path, 0, db.errorMessage());
        insWord.reset();
    }
    if (!writeTajweed(raw, tajweed))
        fail(path, 0, db.errorMessage());
    sql::Statement insNotice(raw, "INSERT INTO data_notice (Notice) VALUES (?);");
    for (const QString &notice : notices) {
        insNotice.bind(1, notice);
        if (!insNotice.execute())
            fail(path, 0, db.errorMessage());
        insNotice.reset();
    }
    exec("COMMIT;");
}

} // namespace

QStringList compactReferences(std::vector<int> ayas, int itemsPerRow)
{
    std::sort(ayas.begin(), ayas.end());
    ayas.erase(std::unique(ayas.begin(), ayas.end()), ayas.end());
    QStringList items;
    for (std::size_t i = 0; i < ayas.size();) {
        std::size_t j = i;
        while (j + 1 < ayas.size() && ayas[j + 1] == ayas[j] + 1)
            ++j;
        if (j - i >= 2) {
            items.append(QStringLiteral("%1-%2").arg(ayas[i]).arg(ayas[j]));
        } else {
            for (std::size_t k = i; k <= j; ++k)
                items.append(QString::number(ayas[k]));
        }
        i = j + 1;
    }
    QStringList rows;
    for (qsizetype i = 0; i < items.size(); i += itemsPerRow)
        rows.append(items.mid(i, itemsPerRow).join(u','));
    return rows;
}

QString searchableText(const QString &clean) { return u' ' + wordsOf(clean).join(u' ') + u' '; }

QString defaultNoticesPath() { return QStringLiteral(ZARFAN_NOTICES_FILE); }

QStringList splitNotices(const QString &text)
{
    QStringList sections;
    QString current;
    for (const QString &line : text.split(u'\n')) {
        if (line.size() >= 20 && line.count(u'=') == line.size()) {
            sections.append(current.trimmed());
            current.clear();
        } else {
            current += line + u'\n';
        }
    }
    sections.append(current.trimmed());
    return sections;
}

Result build(const QString &dataDir, const QString &outPath, const QString &noticesPath, const QString &password)
{
    Result result;
    const QString temp = outPath + QStringLiteral(".part");
    QFile::remove(temp);
    try {
        std::vector<Aya> ayat = readAyat(dataDir);
        readMushaf(dataDir, ayat);
        const std::vector<PrintedLine> printedLines = readLines(dataDir, ayat);
        std::vector<Topic> topics;
        std::vector<TopicRef> refs;
        readTopics(dataDir, topics, refs);
        const std::vector<Word> words = readWords(dataDir, ayat);
        const std::vector<StoredSpan> tajweed = readTajweed(dataDir, ayat);
        const QStringList notices = readNotices(noticesPath);
        write(temp, password, ayat, topics, refs, notices, words, printedLines, tajweed);
        std::error_code ec;
        std::filesystem::rename(QFile::encodeName(temp).toStdString(), QFile::encodeName(outPath).toStdString(), ec);
        if (ec)
            fail(outPath, 0, QStringLiteral("cannot be replaced: %1").arg(QString::fromStdString(ec.message())));
        result.ok = true;
    } catch (const Failure &f) {
        QFile::remove(temp);
        result.error = f.message;
    }
    return result;
}

} // namespace zarfan::makedb
