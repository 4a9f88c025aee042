#include "data/connectionstring.h"
#include "data/datacontrol.h"
#include "search/arabicfolding.h"
#include "search/ayareference.h"
#include "search/occurrences.h"
#include "search/searchstatement.h"
#include "browse/distribution.h"
#include "state/listingfill.h"
#include "browse/resultlisting.h"
#include "testutil.h"

#include <sqlite3.h>

#include <QtTest>
#include <limits>

using namespace zarfan;

namespace {
SearchOptions scope(int type, bool single = false)
{
    // The spelling as typed: the statements of the literal mode.
    SearchOptions o;
    o.searchtype = type;
    o.singleWord = single;
    o.literal = true;
    return o;
}
} // namespace

class SearchTest : public QObject {
    Q_OBJECT
private:
    std::vector<testutil::SourceAya> source;
    DataControl dc;

    // Rows the statement returns, as "sura:aya".
    QStringList run(const QString &statement)
    {
        dc.setRecordSource(statement);
        return testutil::walk(dc, {u"soraano"_qs, u"ayaano"_qs}).replaceInStrings(u"|"_qs, u":"_qs);
    }
    // The same hits computed from the source text.
    QStringList expected(const std::function<bool(const testutil::SourceAya &)> &match)
    {
        QStringList out;
        for (const auto &a : source)
            if (match(a))
                out.append(QStringLiteral("%1:%2").arg(a.sura).arg(a.aya));
        return out;
    }
    // The folding rules written again, apart from the program's.
    static QString clean(const QString &t)
    {
        static const QRegularExpression marks(u"[\u0610-\u061A\u064B-\u065F\u0670\u0640\u06D6-\u06ED]"_qs);
        return t.normalized(QString::NormalizationForm_KC).remove(marks).simplified();
    }
    static QString fold(const QString &t)
    {
        QString f = clean(t);
        // A bare hamza goes; a seat merges with the same letter beside it.
        f.remove(u'ء').replace(QRegularExpression(u"و?ؤو?"_qs), u"و"_qs).replace(QRegularExpression(u"ي?ئي?"_qs), u"ي"_qs);
        f.replace(QRegularExpression(u"[آأإٱ]"_qs), u"ا"_qs).replace(QRegularExpression(u"[ىئیے]"_qs), u"ي"_qs);
        return f.replace(u'ؤ', u'و').replace(u'ة', u'ه').replace(u'ک', u'ك');
    }
    static QString searchable(const QString &clean)
    {
        QStringList kept;
        for (const QString &t : clean.split(u' ', Qt::SkipEmptyParts))
            if (!std::all_of(t.begin(), t.end(), [](QChar c) { return c.unicode() >= 0x06D6 && c.unicode() <= 0x06ED; }))
                kept.append(t);
        return kept.join(u' ');
    }

private slots:
    void initTestCase()
    {
        source = testutil::readSource();
        QCOMPARE(int(source.size()), 6236);
        dc.setConnectionString(buildConnectionString(testutil::realDbFolder()));
    }

    void statementsAreTheLiterals()
    {
        const QString t = u"الله"_qs;
        QCOMPARE(buildSearchStatement(t, scope(0)), u"SELECT *  FROM Ayat where Ayat.AyaaIndex like '%الله%'order by ID"_qs);
        QCOMPARE(buildSearchStatement(t, scope(0, true)), u"SELECT *  FROM Ayat where Ayat.AyaaIndex like '% الله %'order by ID"_qs);
        SearchOptions o = scope(1);
        o.part = 29;
        QCOMPARE(buildSearchStatement(t, o), u"SELECT *  FROM Ayat where chapterNO = 30 And Ayat.AyaaIndex Like '%الله%'order by ID"_qs);
        o = scope(2, true);
        o.part1 = 4;
        o.part2 = 2;
        QCOMPARE(buildSearchStatement(t, o), u"SELECT *  FROM Ayat where chapterNO between 5 and 3 And Ayat.AyaaIndex Like  '% الله %'order by ID"_qs);
        o = scope(3);
        o.sora = 1;
        QCOMPARE(buildSearchStatement(t, o), u"SELECT *  FROM Ayat where soraano = 2 And Ayat.AyaaIndex Like '%الله%'order by ID"_qs);
        o = scope(4);
        o.sora2 = 113;
        QCOMPARE(buildSearchStatement(t, o), u"SELECT *  FROM Ayat where soraano between 0 and 114 And Ayat.AyaaIndex Like '%الله%'order by ID"_qs);
        // A quote is doubled: searched for, never ending the pattern.
        QCOMPARE(buildSearchStatement(u"a'b"_qs, scope(0)), u"SELECT *  FROM Ayat where Ayat.AyaaIndex like '%a''b%'order by ID"_qs);
    }

    void trimBlanksOnly()
    {
        QCOMPARE(trimBlanks(u"  نور  "_qs), u"نور"_qs);
        QCOMPARE(trimBlanks(u"\tنور "_qs), u"\tنور"_qs);
        QCOMPARE(trimBlanks(u"   "_qs), QString());
    }

    void substringAndSingleWordMatchTheSource()
    {
        const QString word = u"الله"_qs;
        QCOMPARE(run(buildSearchStatement(word, scope(0))), expected([&](const auto &a) { return a.clean.contains(word); }));
        const auto single = expected([&](const auto &a) { return (u' ' + searchable(a.clean) + u' ').contains(u' ' + word + u' '); });
        QCOMPARE(run(buildSearchStatement(word, scope(0, true))), single);
        // A phrase across a pause mark, and words at the edges of an aya.
        QCOMPARE(run(buildSearchStatement(u"لا ريب فيه"_qs, scope(0))).first(), u"2:2"_qs);
        QVERIFY(run(buildSearchStatement(u"العالمين"_qs, scope(0, true))).contains(u"1:2"_qs));
        QVERIFY(run(buildSearchStatement(u"بسم"_qs, scope(0, true))).contains(u"1:1"_qs));
        // Diacritics pasted into the text are cleaned away before the search.
        QCOMPARE(run(buildSearchStatement(u"اللَّهِ"_qs, scope(0))), run(buildSearchStatement(u"الله"_qs, scope(0))));
    }

    void scopesNarrow()
    {
        const QString word = u"الله"_qs;
        SearchOptions o = scope(1);
        o.part = 29;
        QCOMPARE(run(buildSearchStatement(word, o)), expected([&](const auto &a) { return a.juz == 30 && a.clean.contains(word); }));
        o = scope(2);
        o.part1 = 1;
        o.part2 = 3;
        QCOMPARE(run(buildSearchStatement(word, o)), expected([&](const auto &a) { return a.juz >= 2 && a.juz <= 4 && a.clean.contains(word); }));
        o = scope(3);
        o.sora = 2;
        QCOMPARE(run(buildSearchStatement(word, o)), expected([&](const auto &a) { return a.sura == 3 && a.clean.contains(word); }));
        o = scope(4);
        o.sora1 = 9;
        o.sora2 = 11;
        QCOMPARE(run(buildSearchStatement(word, o)), expected([&](const auto &a) { return a.sura >= 10 && a.sura <= 12 && a.clean.contains(word); }));
        // Unselected combo box: juz 0, no hits. Reversed range: no hits.
        QVERIFY(run(buildSearchStatement(word, scope(1))).isEmpty());
        QVERIFY(run(buildSearchStatement(word, scope(3))).isEmpty());
        o = scope(2);
        o.part1 = 4;
        o.part2 = 2;
        QVERIFY(run(buildSearchStatement(word, o)).isEmpty());
        // A range with no first selection runs from 0.
        o = scope(4);
        o.sora2 = 0;
        QCOMPARE(run(buildSearchStatement(word, o)), expected([&](const auto &a) { return a.sura == 1 && a.clean.contains(word); }));
    }

    void awkwardTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("hits"); // -1: any number, but the statement must run
        QTest::newRow("quote") << u"'"_qs << 0;
        QTest::newRow("two quotes") << u"''"_qs << 0;
        QTest::newRow("semicolon") << u"; DROP TABLE Ayat"_qs << 0;
        QTest::newRow("comment") << u"--"_qs << 0;
        QTest::newRow("percent") << u"%"_qs << 6236;
        QTest::newRow("underscore") << u"_"_qs << 6236;
        QTest::newRow("quote and word") << u"الله' or 1=1 --"_qs << 0;
        QTest::newRow("long") << QString(10000, u'ب') << 0;
    }

    void awkwardTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, hits);
        dc.setRecordSource(buildSearchStatement(text, scope(0)));
        QVERIFY(dc.refresh());
        QCOMPARE(dc.rowCount(), hits);
        // The database is still whole after every one of them.
        dc.setRecordSource(u"SELECT *  FROM Ayat where Ayat.soraano like 114"_qs);
        QVERIFY(dc.refresh());
        QCOMPARE(dc.rowCount(), 6);
    }

    void foldingRules()
    {
        QCOMPARE(foldArabic(u"آمنوا أإٱ"_qs), u"امنوا ااا"_qs);
        QCOMPARE(foldArabic(u"مؤمن ى ئ ة"_qs), u"مومن ي ي ه"_qs);
        QCOMPARE(foldArabic(u"  یک\u00A0\tے  "_qs), u"يك ي"_qs);
        // Diacritics, tatweel and Quranic marks go; a token of them alone too.
        QCOMPARE(foldArabic(u"بِسْمِ ٱللَّهِ ـ الرَّحْمَٰنِ ۚ"_qs), u"بسم الله الرحمن"_qs);
        // Presentation forms and the lam-alef ligature become plain letters.
        QCOMPARE(foldArabic(u"\uFEFB\uFEB3\uFE8E"_qs), u"لاسا"_qs);
        // A madda typed as its own mark composes first, then folds.
        QCOMPARE(foldArabic(u"ا\u0653من"_qs), u"امن"_qs);
        // The literal mode only cleans: the letters stay as typed.
        QCOMPARE(cleanArabic(u" آمَنُوا  ة ى "_qs), u"آمنوا ة ى"_qs);
        QCOMPARE(cleanArabic(u"\uFEFB"_qs), u"لا"_qs);
        // The marks a pasted text carries unseen go in every mode.
        const QString invisible = u"\u200bال\u200cصم\u200d\u200e\u200fد\u061c\u202a\u202b\u202c\u202d\u202e\u2066\u2067\u2068\u2069\ufeff"_qs;
        QCOMPARE(cleanArabic(invisible), u"الصمد"_qs);
        QCOMPARE(foldArabic(invisible), u"الصمد"_qs);
        QCOMPARE(foldRoot(u"\u200fصمد"_qs), u"صمد"_qs);
    }

    // Hits of typical spellings in both modes, against the rules written
    // again here and applied to the source text.
    void foldedAndLiteralSearchesMatchTheSource()
    {
        const QStringList words = {u"امنوا"_qs, u"الاخرة"_qs, u"مومن"_qs, u"يا ايها"_qs, u"الرَّحْمَٰنِ الرَّحِيمِ"_qs,
                                   u"الهدی"_qs, u"الرحمن"_qs};
        QHash<QString, qsizetype> counts;
        for (const QString &word : words) {
            for (const bool literal : {false, true}) {
                SearchOptions o;
                o.literal = literal;
                const QString typed = literal ? clean(word) : fold(word);
                const QStringList want = expected([&](const auto &a) {
                    const QString text = searchable(a.clean);
                    return (literal ? text : fold(text)).contains(typed);
                });
                QCOMPARE(run(buildSearchStatement(word, o)), want);
                counts[word + (literal ? u"|literal"_qs : QString())] = want.size();
            }
        }
        QVERIFY(counts[u"امنوا"_qs] > counts[u"امنوا|literal"_qs]);
        QVERIFY(counts[u"يا ايها"_qs] > 100 && counts[u"يا ايها|literal"_qs] == 0);
        QVERIFY(counts[u"الرَّحْمَٰنِ الرَّحِيمِ|literal"_qs] > 0);
        QVERIFY(counts[u"الهدی"_qs] > 0);
        QCOMPARE(counts[u"الرحمن"_qs], counts[u"الرحمن|literal"_qs]);
        // The literal statement is the plain one on the cleaned text.
        QCOMPARE(buildSearchStatement(u"الرَّحِيمِ"_qs, scope(3)),
                 u"SELECT *  FROM Ayat where soraano = 0 And Ayat.AyaaIndex Like '%الرحيم%'order by ID"_qs);
    }

    void occurrences()
    {
        const auto find = [](const QString &text, const QString &needle, bool single = false) {
            QStringList out;
            for (const TextRange &r : findOccurrences(text, needle, single))
                out.append(text.mid(r.start, r.length));
            return out;
        };
        const QString t = u" قال الله والله الله اعلم "_qs;
        QCOMPARE(find(t, u"الله"_qs), QStringList({u"الله"_qs, u"الله"_qs, u"الله"_qs}));
        // Single word: blanks on both sides, shared by neighbouring words.
        QCOMPARE(find(t, u"الله"_qs, true), QStringList({u"الله"_qs, u"الله"_qs}));
        QCOMPARE(findOccurrences(u" ب ب ب "_qs, u"ب", true).size(), 3);
        // % is the shortest run; _ one character; matches never overlap.
        QCOMPARE(find(t, u"ا%ه"_qs), QStringList({u"ال الله"_qs, u"الله"_qs, u"الله"_qs}));
        QCOMPARE(find(t, u"ا_له"_qs), QStringList({u"الله"_qs, u"الله"_qs, u"الله"_qs}));
        QCOMPARE(find(u" اااا "_qs, u"اا"_qs).size(), 2);
        // The letters before a wildcard, seen again after a start that failed;
        // a cased head matches either case.
        QCOMPARE(find(u" قال هو قال موسى قالوا "_qs, u"قال%موسى"_qs, true), QStringList({u"قال هو قال موسى"_qs}));
        QCOMPARE(find(u" قالوا قال موسى "_qs, u"قال_"_qs), QStringList({u"قالو"_qs, u"قال "_qs}));
        QCOMPARE(find(u" ab AB aXb "_qs, u"a%b"_qs), QStringList({u"ab"_qs, u"AB"_qs, u"aXb"_qs}));
        // A match across two words.
        QCOMPARE(find(t, u"له والل"_qs), QStringList({u"له والل"_qs}));
        QVERIFY(findOccurrences(t, u"%%", false).isEmpty());
        // A pattern of only % matches the empty text: each aya counts once.
        QCOMPARE(countOccurrences(t, SearchMatch{u"%"_qs}), 1);
        QCOMPARE(OccurrenceCounter(SearchMatch{u"%%"_qs}).count(t.toStdString()), 1);
        // A long run of % counts as one does; only a hang is guarded here.
        const QString row = QString(u"شرح كلمة "_qs).repeated(200);
        QElapsedTimer clock;
        clock.start();
        const int hostile = OccurrenceCounter(SearchMatch{u"_"_qs + QString(20000, u'%') + u"ش"_qs}).count(row.toStdString());
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(hostile, countOccurrences(row, SearchMatch{u"_%ش"_qs}));
        QCOMPARE(hostile, 199);
        // Alternating wildcards before a letter the row lacks: every start
        // could walk to the end.
        clock.restart();
        QCOMPARE(OccurrenceCounter(SearchMatch{QString(u"_%"_qs).repeated(300) + u"ظ"_qs}).count(row.toStdString()), 0);
        QCOMPARE(OccurrenceCounter(SearchMatch{QString(u"_%"_qs).repeated(300) + u"ش"_qs}).count(row.toStdString()), 5);
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));

        // Highlighted words of a shown aya: the pause marks are no words of the
        // search column, and a match across one marks the words on each side.
        const QString shown = u"ذَٰلِكَ الْكِتَابُ لَا رَيْبَ ۛ فِيهِ ۛ هُدًى"_qs;
        SearchMatch sought{u"ريب في"_qs};
        QList<TextRange> marked = highlightRanges(shown, sought);
        QCOMPARE(marked.size(), 2);
        QCOMPARE(shown.mid(marked[0].start, marked[0].length), u"رَيْبَ"_qs);
        QCOMPARE(shown.mid(marked[1].start, marked[1].length), u"فِيهِ"_qs);
        sought = SearchMatch{u"هدي"_qs};
        marked = highlightRanges(shown, sought);
        QCOMPARE(marked.size(), 1);
        QCOMPARE(shown.mid(marked[0].start, marked[0].length), u"هُدًى"_qs);
        sought.literal = true; // as typed, هدي is not هدى
        QVERIFY(highlightRanges(shown, sought).isEmpty());
    }

    // Occurrences counted by the fill equal what the source gives, counted
    // here without the program's matcher.
    void occurrenceCountsMatchTheSource()
    {
        ResultListing listing;
        for (const QString &word : {u"الله"_qs, u"رب"_qs, u"ه"_qs, u"من"_qs}) {
            const bool single = word == u"من";
            SearchOptions o;
            o.literal = true;
            o.singleWord = single;
            dc.setRecordSource(buildSearchStatement(word, o));
            EventYield yield(1000000);
            const SearchMatch sought{word, single, true};
            fillListing(dc, listing, yield, &sought);
            qsizetype expectedCount = 0;
            for (const auto &a : source)
                expectedCount += single ? searchable(a.clean).split(u' ').count(word) : searchable(a.clean).count(word);
            int counted = 0;
            for (int k = 0; k < listing.count(); ++k)
                counted += listing.at(k).hits;
            QCOMPARE(counted, int(expectedCount));
            const auto rows = distribution(listing, false);
            int ayas = 0, hits = 0;
            for (const auto &row : rows) {
                ayas += row.ayas;
                hits += row.occurrences;
                QCOMPARE(listing.at(row.firstLine).sura.toInt(), row.key);
            }
            QCOMPARE(ayas, listing.count());
            QCOMPARE(hits, counted);
        }
    }

    // Hits in each tafsir, folded and as typed, against the tafsir files.
    void tafsirSearches()
    {
        for (const auto &[file, target] : {std::pair{u"tafsir-jalalayn.tsv"_qs, SearchTarget::Jalalayn},
                                           std::pair{u"tafsir-muyassar.tsv"_qs, SearchTarget::Muyassar}}) {
            QFile f(testutil::dataDir() + u'/' + file);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QStringList rows = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts).mid(1);
            QCOMPARE(rows.size(), 6236);
            // Literal: the tafsir's diacritics ignored, as in the aya text.
            for (const QString &word : {u"الجنة"_qs, u"مؤمن"_qs, u"الله"_qs}) {
                for (const bool literal : {false, true}) {
                    SearchOptions o;
                    o.target = target;
                    o.literal = literal;
                    QStringList want;
                    for (const QString &row : rows) {
                        const QStringList fields = row.split(u'\t');
                        if ((literal ? clean(fields[2]) : fold(fields[2])).contains(literal ? clean(word) : fold(word)))
                            want.append(fields[0] + u':' + fields[1]);
                    }
                    QVERIFY(!want.isEmpty());
                    QCOMPARE(run(buildSearchStatement(word, o)), want);
                }
            }
        }
    }

    // Root and lemma searches against morphology.tsv read here.
    void rootsAndLemmas()
    {
        QFile file(testutil::dataDir() + u"/morphology.tsv"_qs);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QHash<QString, QStringList> byRoot, byLemma, byExactLemma; // key -> "sura:aya", scripture order, once each
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
            const QStringList f = line.split(u'\t');
            if (line.startsWith(u'#') || f.size() != 6 || f[0] == u"sura")
                continue;
            const QString at = f[0] + u':' + f[1];
            const auto add = [&](QStringList &list) {
                if (list.isEmpty() || list.last() != at)
                    list.append(at);
            };
            if (!f[3].isEmpty())
                add(byRoot[f[3]]);
            for (const QString &lemma : f[5].split(u'|', Qt::SkipEmptyParts))
                add(byLemma[lemma]);
            for (const QString &lemma : f[4].split(u'|', Qt::SkipEmptyParts))
                add(byExactLemma[lemma]);
        }
        SearchOptions o;
        o.key = WordKey::Root;
        QCOMPARE(run(buildSearchStatement(u"كتب"_qs, o)), byRoot[u"كتب"_qs]);
        QCOMPARE(byRoot[u"كتب"_qs].size(), 279);
        // Typed without its hamza, with blanks between the letters.
        QCOMPARE(run(buildSearchStatement(u"ا م ن"_qs, o)), byRoot[u"أمن"_qs]);
        QVERIFY(run(buildSearchStatement(u"ظظظ"_qs, o)).isEmpty());
        // Every hamza form is the same letter of a root.
        QCOMPARE(run(buildSearchStatement(u"شيء"_qs, o)), byRoot[u"شيأ"_qs]);
        QCOMPARE(run(buildSearchStatement(u"سوء"_qs, o)), byRoot[u"سوأ"_qs]);
        QCOMPARE(run(buildSearchStatement(u"بئر"_qs, o)), byRoot[u"بأر"_qs]);
        o.key = WordKey::Lemma;
        QCOMPARE(run(buildSearchStatement(u"كتاب"_qs, o)), byLemma[u"كتاب"_qs]);
        // A superscript alef, as a tool tip shows the lemma, is an alef; a
        // lemma spelt without one is still found.
        QCOMPARE(run(buildSearchStatement(u"كِتَٰب"_qs, o)), byLemma[u"كتاب"_qs]);
        QCOMPARE(run(buildSearchStatement(u"صَلَوٰة"_qs, o)), byLemma[u"صلاة"_qs]);
        QCOMPARE(run(buildSearchStatement(u"ذَٰلِك"_qs, o)), byLemma[u"ذلك"_qs]);
        QCOMPARE(run(buildSearchStatement(u"رحمن"_qs, o)), byLemma[u"رحمن"_qs]);
        // A word's own lemma as written: not the others that fold alike, and
        // found as either part of a word of two lemmas.
        o.key = WordKey::ExactLemma;
        QCOMPARE(run(buildSearchStatement(u"عَلِيّ"_qs, o)), byExactLemma[u"عَلِيّ"_qs]);
        QCOMPARE(byExactLemma[u"عَلِيّ"_qs].size(), 11);
        QCOMPARE(run(buildSearchStatement(u"مَا"_qs, o)), byExactLemma[u"مَا"_qs]);
        // The scope narrows a root search as any search.
        o.key = WordKey::Root;
        o.searchtype = 3;
        o.sora = 1;
        QStringList inSura2;
        for (const QString &at : byRoot[u"كتب"_qs])
            if (at.startsWith(u"2:"))
                inSura2.append(at);
        QCOMPARE(run(buildSearchStatement(u"كتب"_qs, o)), inSura2);
    }

    void ayaReferences()
    {
        const auto ref = [](const QString &text) {
            const AyaReference r = parseAyaReference(text);
            return r.kind == AyaReference::Kind::Valid ? QStringLiteral("%1:%2-%3").arg(r.sura).arg(r.from).arg(r.to) : r.message();
        };
        for (const QString &text : {u"2:255"_qs, u" 2 : 255 "_qs, u"٢:٢٥٥"_qs, u"2/255"_qs, u"البقرة 255"_qs,
                                    u"بقره: 255"_qs, u"سورة البقرة 255"_qs})
            QCOMPARE(ref(text), u"2:255-255"_qs);
        QCOMPARE(ref(u"2:255-257"_qs), u"2:255-257"_qs);
        QCOMPARE(ref(u"2:257-255"_qs), u"2:255-257"_qs);
        QCOMPARE(ref(u"البقرة: 255-257"_qs), u"2:255-257"_qs);
        QCOMPARE(ref(u"112"_qs), u"112:1-4"_qs);
        QCOMPARE(ref(u"ص 3"_qs), u"38:3-3"_qs);
        QCOMPARE(ref(u"آل عمران 7"_qs), u"3:7-7"_qs);
        QCOMPARE(ref(u"115"_qs), u"رقم السورة خارج المدى: من 1 إلى 114"_qs);
        QCOMPARE(ref(u"0:1"_qs), u"رقم السورة خارج المدى: من 1 إلى 114"_qs);
        QCOMPARE(ref(u"1:8"_qs), u"رقم الآية خارج المدى: آيات هذه السورة من 1 إلى 7"_qs);
        QCOMPARE(ref(u"2:0-3"_qs), u"رقم الآية خارج المدى: آيات هذه السورة من 1 إلى 286"_qs);
        QCOMPARE(ref(u"99999999999:1"_qs), u"رقم السورة خارج المدى: من 1 إلى 114"_qs);
        QVERIFY(ref(u"فلان 5"_qs).startsWith(u"لم يتم التعرف"_qs));
        QVERIFY(ref(u"2:5:6"_qs).startsWith(u"لم يتم التعرف"_qs));
        // Leading zeros are the number they write; invisible marks are dropped.
        QCOMPARE(ref(u"2:0000255"_qs), u"2:255-255"_qs);
        QCOMPARE(ref(u"2:255-0000257"_qs), u"2:255-257"_qs);
        QCOMPARE(ref(u"\u200f2:255\u200e"_qs), u"2:255-255"_qs);
        QCOMPARE(ref(u"2:00000001234567"_qs), u"رقم الآية خارج المدى: آيات هذه السورة من 1 إلى 286"_qs);
        // Linear in the text: a run of blanks four times as long costs far
        // less than the sixteen times a quadratic parse would (the fastest
        // of three runs each, so that load evens out).
        bool told = true;
        const auto fastest = [&](int blanks) {
            qint64 best = std::numeric_limits<qint64>::max();
            for (int run = 0; run < 3; ++run) {
                QElapsedTimer clock;
                clock.start();
                told = told && ref(u"ب"_qs + QString(blanks, u' ') + u"1"_qs).startsWith(u"لم يتم التعرف"_qs)
                    && ref(u"1"_qs + QString(blanks, u' ') + u"ب"_qs).startsWith(u"لم يتم التعرف"_qs);
                best = std::min(best, clock.nsecsElapsed());
            }
            return best;
        };
        const qint64 shortRun = fastest(8000), longRun = fastest(32000);
        QVERIFY(told);
        QVERIFY2(longRun < 10 * shortRun + 2000000, qPrintable(QStringLiteral("%1 %2").arg(shortRun).arg(longRun)));
        QCOMPARE(parseAyaReference(u"الله"_qs).kind, AyaReference::Kind::NotAReference);
        const AyaReference r = parseAyaReference(u"2:255-257"_qs);
        QCOMPARE(run(r.statement()), QStringList({u"2:255"_qs, u"2:256"_qs, u"2:257"_qs}));
    }

    // The program's LIKE agrees with the engine's own on seeded random
    // patterns and texts (the engine's is kept on a plain connection).
    void likeAgreesWithTheEngine()
    {
        sqlite3 *raw = nullptr;
        QCOMPARE(sqlite3_open(":memory:", &raw), SQLITE_OK);
        sql::Database db(raw);
        sql::Statement like(raw, "SELECT ?1 LIKE ?2;");
        QRandomGenerator rng(7);
        const QString patternChars = u"%_الa B"_qs, textChars = u"الAb "_qs;
        for (int i = 0; i < 50000; ++i) {
            QString pattern, text;
            for (int k = int(rng.bounded(9)); k > 0; --k)
                pattern += patternChars.at(int(rng.bounded(patternChars.size())));
            for (int k = int(rng.bounded(12)); k > 0; --k)
                text += textChars.at(int(rng.bounded(textChars.size())));
            like.bind(1, text);
            like.bind(2, pattern);
            QCOMPARE(like.step(), SQLITE_ROW);
            const bool engine = like.text(0) == u"1";
            like.reset();
            QVERIFY2(sqlLike(pattern.toUtf8(), text.toUtf8()) == engine, qPrintable(pattern + u" / "_qs + text));
        }
    }

    // Seeded random texts: the statement always keeps its quotes balanced,
    // so the pattern can never end early.
    void randomTextsKeepThePatternClosed()
    {
        QRandomGenerator rng(42);
        const QString alphabet = u"'\"%_;- ابت\\()"_qs;
        for (int i = 0; i < 100000; ++i) {
            QString text;
            const int n = int(rng.bounded(24));
            for (int k = 0; k < n; ++k)
                text += alphabet.at(int(rng.bounded(alphabet.size())));
            SearchOptions o = scope(int(rng.bounded(5)), rng.bounded(2) == 1);
            o.part = o.part1 = o.part2 = int(rng.bounded(31)) - 1;
            o.sora = o.sora1 = o.sora2 = int(rng.bounded(115)) - 1;
            const QString s = buildSearchStatement(text, o);
            QVERIFY(s.count(u'\'') % 2 == 0);
            const qsizetype open = s.indexOf(u'\'');
            QVERIFY(s.mid(open).startsWith(u"'%"_qs));
            QVERIFY(s.endsWith(u"%'order by ID"_qs));
            QVERIFY(s.size() < 200 + 2 * text.size());
        }
    }
};

QTEST_GUILESS_MAIN(SearchTest)
#include "test_search.moc"
