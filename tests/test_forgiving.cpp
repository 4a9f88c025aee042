#include "state/listingfill.h"
#include "browse/resultlisting.h"
#include "browse/suratables.h"
#include "data/connectionstring.h"
#include "data/datacontrol.h"
#include "state/readingstate.h"
#include "search/arabicfolding.h"
#include "search/completions.h"
#include "state/searchmemory.h"
#include "search/foldedtext.h"
#include "search/memorysearch.h"
#include "search/searchquery.h"
#include "search/vocabulary.h"
#include "search/wordkeyindex.h"
#include "search/wordpostings.h"
#include "search/compacttext.h"
#include "forgivingfixture.h"
#include "testutil.h"

#include <QtTest>
#include <QRegularExpression>
#include <cmath>

using namespace zarfan;
using forgiving::defaultMode;


class ForgivingTest : public QObject, forgiving::Fixture {
    Q_OBJECT
private slots:
    void initTestCase() { loadData(); }

    void vocabularyCountsTheSourceWords()
    {
        // Counted again from the source file, word by word.
        QHash<QString, int> expected;
        for (const testutil::SourceAya &a : testutil::readSource())
            for (const QString &w : foldArabic(a.clean).split(u' ', Qt::SkipEmptyParts))
                ++expected[w];
        QCOMPARE(words.size(), expected.size());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(words.count(it.key()), it.value());
        // The offers for a prefix: its words, most frequent first.
        const auto offered = words.withPrefix(u"الصا");
        QCOMPARE(int(offered.size()), 10);
        for (std::size_t i = 0; i < offered.size(); ++i) {
            QVERIFY(offered[i].word.startsWith(u"الصا"));
            QCOMPARE(offered[i].count, expected.value(offered[i].word));
            if (i > 0)
                QVERIFY(offered[i - 1].count >= offered[i].count);
        }
    }

    void correctionsOfTypos()
    {
        QVERIFY(words.contains(u"الجنه"_qs));
        const QStringList near = words.corrections(u"الجته"_qs);
        QVERIFY(!near.isEmpty() && near.size() <= 5);
        QVERIFY(near.contains(u"الجنه"_qs));
        QVERIFY(words.corrections(u"جته"_qs).isEmpty());     // three letters
        QVERIFY(words.corrections(u"الجنه"_qs).isEmpty());   // a known word
        for (const QString &w : near)
            QCOMPARE(boundedEditDistance(u"الجته", w, 1), 1);
        // A phrase: the correction that lists ayas.
        const auto lists = [&](const QString &phrase) { return !answerFromMemory(phrase, defaultMode(), folded, &keys).rows.empty(); };
        QVERIFY(!lists(u"يا ايهي الذين"_qs));
        QCOMPARE(words.phraseCorrections(u"يا ايهي الذين"_qs, lists).value(0), u"يا ايها الذين"_qs);
        // Roots the same way.
        const Vocabulary roots(keys.keyCounts(WordKey::Root));
        QVERIFY(roots.contains(u"صبر"_qs));
        QVERIFY(roots.corrections(u"صبز"_qs).isEmpty());
        QVERIFY(Vocabulary(keys.keyCounts(WordKey::Lemma)).corrections(u"كتابب"_qs).contains(u"كتاب"_qs));
    }

    void wholeWordsWithTheirPrefixes_data()
    {
        QTest::addColumn<QString>("needle");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("matched");
        QTest::newRow("bare") << u"الصبر"_qs << u" الصبر "_qs << u"الصبر"_qs;
        QTest::newRow("waw") << u"قارون"_qs << u" وقارون "_qs << u"وقارون"_qs;
        QTest::newRow("fa") << u"قارون"_qs << u" فقارون "_qs << u"فقارون"_qs;
        QTest::newRow("ba") << u"الصبر"_qs << u" بالصبر "_qs << u"بالصبر"_qs;
        QTest::newRow("kaf") << u"الصبر"_qs << u" كالصبر "_qs << u"كالصبر"_qs;
        QTest::newRow("lam") << u"موسى"_qs << u" لموسي "_qs << u"لموسي"_qs;
        QTest::newRow("waw ba") << u"الصبر"_qs << u" وبالصبر "_qs << u"وبالصبر"_qs;
        QTest::newRow("fa kaf") << u"الصبر"_qs << u" فكالصبر "_qs << u"فكالصبر"_qs;
        QTest::newRow("waw lam") << u"موسى"_qs << u" ولموسي "_qs << u"ولموسي"_qs;
        QTest::newRow("lam al: allah") << u"الله"_qs << u" لله "_qs << u"لله"_qs;
        QTest::newRow("lam al: fa") << u"الله"_qs << u" فلله "_qs << u"فلله"_qs;
        QTest::newRow("lam al") << u"الصابرين"_qs << u" وللصابرين "_qs << u"وللصابرين"_qs;
        // What must not match.
        QTest::newRow("longer word") << u"الصبر"_qs << u" الصبري "_qs << QString();
        QTest::newRow("other letters before") << u"بر"_qs << u" صبر "_qs << QString();
        QTest::newRow("order of prefixes") << u"الصبر"_qs << u" بوالصبر "_qs << QString();
        QTest::newRow("two prepositions") << u"الصبر"_qs << u" لبالصبر "_qs << QString();
        QTest::newRow("lam al after ba") << u"الله"_qs << u" بلله "_qs << QString();
        QTest::newRow("lam al without al") << u"صابرين"_qs << u" للصابرين "_qs << QString();
    }
    void wholeWordsWithTheirPrefixes()
    {
        QFETCH(QString, needle);
        QFETCH(QString, text);
        QFETCH(QString, matched);
        const QList<TextRange> found = findTerm(text, foldArabic(needle), true);
        if (matched.isEmpty()) {
            QVERIFY(found.isEmpty());
            return;
        }
        QCOMPARE(found.size(), 1);
        QCOMPARE(text.mid(found[0].start, found[0].length), matched);
        // The mark covers the whole written word.
        QCOMPARE(termRanges(text, {foldArabic(needle)}, true).value(0), (TextRange{1, matched.size()}));
    }

    // A whole word answered by the word index counts, row by row and in a
    // run of rows, what the scan counts: every twentieth word of the text, bare
    // of the letters a prefix could be, and phrases of two and three words.
    void wordIndexAnswersAsTheScan()
    {
        QStringList texts;
        for (int k = 0; k < folded.size(); ++k)
            texts.append(folded.padded(k));
        const WordPostings built = WordPostings::build(texts);
        const QByteArray bytes = built.toBytes();
        QVERIFY(!WordPostings::fromBytes(bytes.chopped(1)));
        std::optional<WordPostings> read = WordPostings::fromBytes(bytes);
        QVERIFY(read && read->toBytes() == bytes);
        FoldedText indexed = folded;
        QVERIFY(indexed.setPostings(std::move(*read)));
        // Made from other texts: refused.
        FoldedText other = folded;
        texts[7] = u" x "_qs;
        QVERIFY(!other.setPostings(WordPostings::build(texts)));

        auto known = folded.wordCounts();
        std::sort(known.begin(), known.end());
        QStringList needles;
        for (std::size_t i = 0; i < known.size(); i += 20) {
            const QString &w = known[i].first;
            needles << w << w.mid(1) << w.mid(2);
        }
        for (int k = 0; k < folded.size(); k += 61) {
            const QStringList ayaWords = folded.padded(k).split(u' ', Qt::SkipEmptyParts);
            needles << ayaWords.mid(0, 2).join(u' ') << ayaWords.mid(1, 3).join(u' ') << ayaWords.value(0).mid(1) + u' ' + ayaWords.value(1);
        }
        needles << u"الله الله"_qs << u"الله  الله"_qs;
        needles.removeAll(QString());
        for (const auto &[first, last] : {std::pair(0, folded.size()), std::pair(1000, 3000)}) {
            for (const QString &needle : needles) {
                std::vector<float> scanned, fromIndex;
                const std::vector<int> expected = folded.termCounts(needle, true, SearchTarget::Quran, first, last, &scanned);
                if (indexed.termCounts(needle, true, SearchTarget::Quran, first, last, &fromIndex) != expected || fromIndex != scanned)
                    QFAIL(qPrintable(needle));
            }
        }
    }

    // The texts held one byte a letter count, in every text and mode, what
    // each aya's own text counts: plain letters (found in the bytes), whole
    // words, wildcards, and needles with a letter the texts have no byte for.
    void compactTextAnswersAsEachAyaAlone()
    {
        // A row with a character outside the byte code keeps the texts wide.
        for (const QString &odd : {u" \u0642\u0627\u0644 1 "_qs, u" caf\u00e9 "_qs}) {
            CompactText t;
            const QStringList rows{u" \u0628\u0633\u0645 "_qs, odd};
            for (const QString &r : rows)
                t.append(r);
            t.finish();
            QCOMPARE(t.isNarrow(), !odd.contains(u'\u00e9'));
            QCOMPARE(t.row(1), odd);
            QCOMPARE(t.fingerprint(), WordPostings::fingerprint(rows.join(QString())));
        }
        const QStringList needles{u"ا"_qs, u"الله"_qs, u"ه و"_qs, u"قال"_qs, u"يا ايها"_qs, u"اما"_qs, u"1"_qs, u"قال%موسي"_qs, u"ر_ك"_qs,
                                  u"%ن"_qs, u"a"_qs, u"\u00e9"_qs, u"\u0660"_qs, u"\u06d6"_qs, u"بالصبر"_qs};
        for (const SearchTarget target : {SearchTarget::Quran, SearchTarget::Jalalayn, SearchTarget::Muyassar}) {
            QStringList texts;
            for (int k = 0; k < folded.size(); ++k)
                texts.append(folded.padded(k, target));
            for (const bool single : {false, true}) {
                for (const QString &needle : needles) {
                    std::vector<float> weights;
                    const std::vector<int> counts = folded.termCounts(needle, single, target, 100, 5000, &weights);
                    for (int k = 0; k < folded.size(); ++k) {
                        const QList<TextRange> hits = k >= 100 && k < 5000 ? findTerm(texts[k], needle, single) : QList<TextRange>();
                        float weight = 0;
                        for (const TextRange &h : hits)
                            weight += (h.start == 0 || texts[k][h.start - 1] == u' ') && (h.start + h.length == texts[k].size() || texts[k][h.start + h.length] == u' ') ? 1.0f : 0.5f;
                        if (counts[std::size_t(k)] != hits.size() || weights[std::size_t(k)] != weight)
                            QFAIL(qPrintable(QStringLiteral("%1 in text %2, row %3").arg(needle).arg(int(target)).arg(k)));
                    }
                }
            }
        }
    }

    void prefixedWordsInTheData()
    {
        // The text never writes الصبر bare: 2:45 "واستعينوا بالصبر" and 2:153
        // "استعينوا بالصبر" are found through the prefix.
        const SearchOptions single = defaultMode(0, true);
        const QSet<QString> patience = ids(u"الصبر"_qs, single);
        QVERIFY(patience.contains(u"52"_qs) && patience.contains(u"160"_qs));
        QVERIFY(!words.contains(u"الصبر"_qs));
        // Every aya of the exact word is still there.
        const QSet<QString> prefixed = ids(u"الله"_qs, single);
        dc.setRecordSource(buildSearchStatement(u"الله"_qs, single));
        const QStringList exact = testutil::walk(dc, {u"ID"_qs});
        QVERIFY(!exact.isEmpty());
        for (const QString &id : exact)
            QVERIFY(prefixed.contains(id));
        QVERIFY(prefixed.size() > exact.size());
        QVERIFY(prefixed.contains(u"2"_qs) && !exact.contains(u"2"_qs)); // 1:2 الحمد لله
    }

    void memoryAnswersAsTheStatements_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("single");
        QTest::newRow("الله") << u"الله"_qs << 0 << 0 << 0 << false;
        QTest::newRow("every alef in juz 30") << u"ا"_qs << 1 << 0 << 0 << false;
        QTest::newRow("hamza-less in a juz range") << u"امنوا"_qs << 2 << 0 << 0 << false;
        QTest::newRow("phrase in a sura") << u"يا ايها"_qs << 3 << 0 << 0 << false;
        QTest::newRow("phrase in a sura range") << u"قال موسى"_qs << 4 << 0 << 0 << false;
        QTest::newRow("in hizb 1") << u"الله"_qs << 5 << 0 << 0 << false;
        QTest::newRow("in pages 100-300") << u"موسى"_qs << 6 << 0 << 0 << false;
        QTest::newRow("root in a sura") << u"أمن"_qs << 3 << 1 << 0 << false;
        QTest::newRow("root in hizb 1") << u"أمن"_qs << 5 << 1 << 0 << false;
        QTest::newRow("lemma") << u"كتاب"_qs << 0 << 2 << 0 << false;
        QTest::newRow("lemma in pages 100-300") << u"كتاب"_qs << 6 << 2 << 0 << false;
        QTest::newRow("wildcard") << u"قال%موسى"_qs << 0 << 0 << 0 << false;
        QTest::newRow("one character") << u"ر_ك"_qs << 3 << 0 << 0 << false;
        QTest::newRow("every aya") << u"%"_qs << 0 << 0 << 0 << false;
        QTest::newRow("تفسير الجلالين") << u"الله"_qs << 0 << 0 << 1 << false;
        QTest::newRow("تفسير الجلالين in hizb 1") << u"الصلاة"_qs << 5 << 0 << 1 << false;
        QTest::newRow("التفسير الميسر") << u"الصلاة"_qs << 0 << 0 << 2 << false;
        QTest::newRow("التفسير الميسر in pages 100-300") << u"موسى"_qs << 6 << 0 << 2 << false;
        // Every scope of either tafsir, a root and a lemma in the rest, hamza on any seat.
        QTest::newRow("تفسير الجلالين in juz 30") << u"ا"_qs << 1 << 0 << 1 << false;
        QTest::newRow("تفسير الجلالين in a juz range") << u"الجنة"_qs << 2 << 0 << 1 << false;
        QTest::newRow("التفسير الميسر in a sura") << u"الله"_qs << 3 << 0 << 2 << false;
        QTest::newRow("التفسير الميسر in a sura range") << u"قال%موسى"_qs << 4 << 0 << 2 << false;
        QTest::newRow("التفسير الميسر in hizb 1") << u"شيء"_qs << 5 << 0 << 2 << false;
        QTest::newRow("root in a juz range") << u"أمن"_qs << 2 << 1 << 0 << false;
        QTest::newRow("lemma in a sura range") << u"كتاب"_qs << 4 << 2 << 0 << false;
        QTest::newRow("hamza on another seat") << u"يؤوده"_qs << 0 << 0 << 0 << false;
        // Single words, by the word index in the aya text and by the scan in a tafsir.
        QTest::newRow("single word") << u"الله"_qs << 0 << 0 << 0 << true;
        QTest::newRow("single word in juz 30") << u"الذين"_qs << 1 << 0 << 0 << true;
        QTest::newRow("single word phrase in a sura") << u"يا ايها"_qs << 3 << 0 << 0 << true;
        QTest::newRow("single word in hizb 1") << u"الله"_qs << 5 << 0 << 0 << true;
        QTest::newRow("single word in pages 100-300") << u"موسى"_qs << 6 << 0 << 0 << true;
        QTest::newRow("single word, تفسير الجلالين in a juz range") << u"الجنة"_qs << 2 << 0 << 1 << true;
        QTest::newRow("single word, التفسير الميسر in a sura range") << u"الصلاة"_qs << 4 << 0 << 2 << true;
    }
    void memoryAnswersAsTheStatements()
    {
        QFETCH(QString, text);
        QFETCH(int, type);
        QFETCH(int, key);
        QFETCH(int, target);
        QFETCH(bool, single);
        SearchOptions o = defaultMode(type, single);
        o.part = 29;
        o.part1 = 0, o.part2 = 2;
        o.sora = 1;
        o.sora1 = 1, o.sora2 = 19;
        o.hizb = 0;
        o.page1 = 300, o.page2 = 100;
        o.key = WordKey(key);
        o.target = SearchTarget(target);
        const QStringList expected = fromStatement(text, o);
        QVERIFY(!expected.isEmpty());
        QCOMPARE(answerFromMemory(text, o, folded, &keys).status, SearchAnswer::Status::Answered);
        if (!single) {
            QCOMPARE(fromMemory(text, o), expected);
            return;
        }
        // A whole word counts with the letters written before it (و ف, ب ك
        // ل), where a statement finds the form it is given alone: the ayas
        // and hits are those of every form's statement, summed.
        const QString searched = searchedText(text, o);
        const QString rest = searched.mid(searched.indexOf(u' ') < 0 ? searched.size() : searched.indexOf(u' '));
        QMap<int, int> hits;
        for (const QString &form : wholeWordForms(searched))
            for (const QString &row : fromStatement(form + rest, o))
                hits[row.section(u':', 0, 0).toInt()] += row.section(u':', 1).toInt();
        QStringList wanted;
        for (auto it = hits.cbegin(); it != hits.cend(); ++it)
            wanted.append(QString::number(it.key()) + u':' + QString::number(it.value()));
        QCOMPARE(fromMemory(text, o), wanted);
        QCOMPARE(fromMemory(text, o, &indexed()), wanted);
    }

    // The hizb and page scopes take the prefixes and the operators as the
    // others do: the answers are the whole text's kept to the ayas the data
    // puts in the scope.
    void prefixesAndOperatorsInEveryScope()
    {
        const auto idsOf = [&](const QString &statement) {
            dc.setRecordSource(statement);
            const QStringList rows = testutil::walk(dc, {u"ID"_qs});
            return QSet<QString>(rows.begin(), rows.end());
        };
        const auto at = [&](int sura, int aya) {
            return idsOf(QStringLiteral("SELECT ID FROM Ayat where soraano = %1 and ayaano = %2").arg(sura).arg(aya)).values().value(0);
        };
        const QSet<QString> hizb1 = idsOf(u"SELECT ID FROM Mushaf where quarter between 1 and 4"_qs);
        const QSet<QString> pages = idsOf(u"SELECT ID FROM Ayat where pageno between 100 and 300"_qs);
        QVERIFY(!hizb1.isEmpty() && !pages.isEmpty());
        for (const bool single : {true, false}) {
            SearchOptions hizb = defaultMode(5, single), run = defaultMode(6, single), every = defaultMode(6, single);
            hizb.hizb = 0;
            run.page1 = 100, run.page2 = 300;
            for (const QString &text : {u"الله"_qs, u"الصبر"_qs, u"موسى | هارون"_qs, u"الصلاة + الزكاة"_qs, u"الجنة - النار"_qs}) {
                const QSet<QString> whole = ids(text, defaultMode(0, single));
                QCOMPARE(ids(text, hizb), whole & hizb1);
                QCOMPARE(ids(text, run), whole & pages);
                QCOMPARE(ids(text, every), whole);
            }
        }
        SearchOptions hizb = defaultMode(5, true), every = defaultMode(6, true), run = defaultMode(6);
        hizb.hizb = 0;
        run.page1 = 100, run.page2 = 300;
        const QSet<QString> god = ids(u"الله"_qs, hizb);
        for (const QString &id : {at(1, 2), at(2, 8), at(2, 19), at(2, 22), at(2, 28), at(2, 62), at(2, 72)})
            QVERIFY2(god.contains(id), qPrintable(id));
        QCOMPARE(ids(u"الصبر"_qs, every), (QSet<QString>{at(2, 45), at(2, 153), at(90, 17), at(103, 3)}));
        QCOMPARE(ids(u"موسى | هارون"_qs, run).size(), 45);
        hizb.singleWord = false;
        QCOMPARE(ids(u"الصلاة + الزكاة"_qs, hizb), QSet<QString>{at(2, 43)});
        // Wildcards as the statements bound them: a hostile run of "_" is
        // left to their time limit.
        QCOMPARE(answerFromMemory(QString(3000, u'_') + u"ش"_qs, defaultMode(), folded, &keys).status,
                 SearchAnswer::Status::NotInMemory);
        // Too many terms are malformed, however they are joined.
        QStringList many(kSearchTermLimit + 1, u"الله"_qs);
        QCOMPARE(answerFromMemory(many.join(u" + "_qs), defaultMode(), folded, &keys).status, SearchAnswer::Status::Malformed);
        QCOMPARE(answerFromMemory(many.mid(1).join(u" | "_qs), defaultMode(), folded, &keys).status, SearchAnswer::Status::Answered);
        // Marks that show nothing and other blanks around an operator.
        const QSet<QString> both = ids(u"الصلاة + الزكاة"_qs);
        for (const QString &text : {u"الصلاة \u200f+ الزكاة"_qs, u"الصلاة\u00a0+\u00a0الزكاة"_qs, u"الصلاة\t+\tالزكاة"_qs,
                                    u"الصلاة \u200e+\u200e الزكاة"_qs})
            QCOMPARE(ids(text), both);
    }

    // By relevance on a fixture of known texts: BM25 over the folded words
    // (k1 1.2, b 0.75), a hit inside a word half a whole one, ties in order.
    void relevanceOnAFixture()
    {
        QTemporaryDir dir;
        const QByteArray texts = QStringLiteral(
            "UPDATE Ayat SET AyaaFolded = CASE ID WHEN 1 THEN ' نهر نهر ماء ' WHEN 2 THEN ' نهر ماء ماء ماء ماء ماء ' "
            "WHEN 3 THEN ' والنهر جار ' WHEN 4 THEN ' جبل عال ' WHEN 5 THEN ' نهر الصباح ' WHEN 6 THEN ' شمس بحر ' "
            "ELSE ' بحر شمس ' END;").toUtf8();
        QVERIFY(testutil::makeDatabase(dir.filePath(u"zarfan.zf"_qs), testutil::miniSql() + texts));
        DataControl mini;
        mini.setConnectionString(buildConnectionString(dir.path()));
        FoldedText small;
        QVERIFY(small.load(mini));
        QCOMPARE(small.size(), 7);
        SearchOptions o = defaultMode();
        o.byRelevance = true;
        const SearchAnswer river = answerFromMemory(u"نهر"_qs, o, small, nullptr);
        // Four of seven ayas hold it; 19 words, 19/7 an aya.
        const double idf = std::log(1 + (7 - 4 + 0.5) / (4 + 0.5)), mean = 19.0 / 7;
        const auto bm25 = [&](double tf, double length) { return idf * tf * 2.2 / (tf + 1.2 * (0.25 + 0.75 * length / mean)); };
        QList<int> order;
        for (const int row : river.rows)
            order.append(small.id(row));
        QCOMPARE(order, (QList<int>{1, 5, 3, 2}));
        const std::vector<double> scores{bm25(2, 3), bm25(1, 2), bm25(0.5, 2), bm25(1, 6)};
        QCOMPARE(river.scores.size(), scores.size());
        for (std::size_t i = 0; i < scores.size(); ++i)
            QVERIFY2(std::abs(river.scores[i] - scores[i]) < 1e-9, qPrintable(QString::number(river.scores[i])));
        QCOMPARE(river.hits, (std::vector<int>{2, 1, 1, 1}));
        // Equal scores keep the mushaf's order; the mushaf order is the default.
        QCOMPARE(answerFromMemory(u"شمس"_qs, o, small, nullptr).rows, (std::vector<int>{5, 6}));
        QCOMPARE(answerFromMemory(u"نهر"_qs, defaultMode(), small, nullptr).rows, (std::vector<int>{0, 1, 2, 4}));
        // A phrase outweighs a word met alone.
        const SearchAnswer phrase = answerFromMemory(u"نهر ماء | شمس"_qs, o, small, nullptr);
        QCOMPARE(small.id(phrase.rows.front()), 1);
    }

    void operators()
    {
        const QSet<QString> prayer = ids(u"الصلاه"_qs), alms = ids(u"الزكاه"_qs);
        QCOMPARE(ids(u"الصلاة + الزكاة"_qs), prayer & alms);
        QCOMPARE(ids(u"موسى | هارون"_qs), ids(u"موسى"_qs) | ids(u"هارون"_qs));
        QCOMPARE(ids(u"الجنة - النار"_qs), ids(u"الجنة"_qs) - ids(u"النار"_qs));
        QCOMPARE(ids(u"(الصبر | الصابرين) + الصلاة"_qs), (ids(u"الصبر"_qs) | ids(u"الصابرين"_qs)) & prayer);
        // Left to right without parentheses; a phrase stays a phrase.
        QCOMPARE(ids(u"الصبر | الصابرين + الصلاة"_qs), (ids(u"الصبر"_qs) | ids(u"الصابرين"_qs)) & prayer);
        QCOMPARE(ids(u"الجنة + الصلاة | يا ايها"_qs), (ids(u"الجنة"_qs) & prayer) | ids(u"يا ايها"_qs));
        // Counts cover the terms not after " - ".
        const SearchAnswer both = answerFromMemory(u"الجنة - النار"_qs, defaultMode(), folded, &keys);
        QCOMPARE(both.terms, QStringList{u"الجنه"_qs});
        const QStringList either = fromMemory(u"موسى | هارون"_qs, defaultMode());
        const int row = folded.indexOfId(either.value(0).section(u':', 0, 0).toInt());
        QCOMPARE(either.value(0).section(u':', 1).toInt(),
                 int(findTerm(folded.padded(row), u"موسي", false).size() + findTerm(folded.padded(row), u"هارون", false).size()));
        // By root and lemma as well.
        SearchOptions root = defaultMode();
        root.key = WordKey::Root;
        QCOMPARE(ids(u"صبر + صلو"_qs, root), ids(u"صبر"_qs, root) & ids(u"صلو"_qs, root));
        QVERIFY(!ids(u"صبر + صلو"_qs, root).isEmpty());
    }

    void malformedCombinations()
    {
        for (const QString &text : {u"الجنة +"_qs, u"- الجنة"_qs, u"الجنة + | النار"_qs, u"() + الجنة"_qs, u"(الجنة) (النار) + الصبر"_qs}) {
            QVERIFY2(!parseSearchQuery(text), qPrintable(text));
            QCOMPARE(answerFromMemory(text, defaultMode(), folded, &keys).status, SearchAnswer::Status::Malformed);
        }
        // Without operators a text means what it always meant, parentheses
        // or hyphens inside words included.
        QVERIFY(!hasSearchOperators(u"(الجنة)"_qs));
        QVERIFY(!hasSearchOperators(u"الجنة-النار"_qs));
        QVERIFY(parseSearchQuery(u"((الجنة))"_qs));
        // Parentheses read as meant: an open group closes at the end, a
        // stray ")" goes.
        for (const QString &text : {u"(الجنة | النار"_qs, u"الجنة | النار)"_qs})
            QCOMPARE(ids(text), ids(u"الجنة | النار"_qs));
        QCOMPARE(parseSearchQuery(u"(يا ايها | الذين) - امنوا"_qs)->shownTerms(), (QStringList{u"يا ايها"_qs, u"الذين"_qs}));
    }

    void completionOffersHistoryThenWords()
    {
        const QStringList history = {u"الصلاة والزكاة"_qs, u"الصبر"_qs, u"موسى"_qs};
        const QList<CompletionOffer> offers = completionOffers(u"الصلاه وال"_qs, history, words);
        QVERIFY(offers.size() > 1);
        QCOMPARE(offers[0].completed, u"الصلاة والزكاة"_qs);
        QVERIFY(offers[0].fromHistory);
        QCOMPARE(offers.size(), 11);
        // Then the words that start with the last typed word, most frequent
        // first, each with its count; choosing one replaces that word.
        const auto best = words.withPrefix(u"وال");
        QCOMPARE(offers[1].shown, best[0].word + u"  "_qs + arabicIndicNumber(best[0].count));
        QCOMPARE(offers[1].completed, u"الصلاه "_qs + best[0].word);
        QCOMPARE(arabicIndicNumber(15), u"١٥"_qs);
        QVERIFY(completionOffers(u"الصلاه "_qs, {}, words).isEmpty());
    }

    // Words are shown as the text writes them, with the folded word's count;
    // places are offered by name or number; long misspelt texts stay cheap.
    void writtenFormsAndPlaces()
    {
        SearchMemory memory;
        QVERIFY(memory.load(dc.connectionString()));
        const Vocabulary &known = memory.words();
        QCOMPARE(known.written(u"الصلاه"_qs), u"الصلاة"_qs);
        QCOMPARE(known.written(u"المومنين"_qs), u"المؤمنين"_qs);
        QCOMPARE(known.written(u"الملايكه"_qs), u"الملائكة"_qs);
        const QList<CompletionOffer> offers = completionOffers(u"الملاي"_qs, {}, known);
        QVERIFY(std::any_of(offers.begin(), offers.end(), [&](const CompletionOffer &o) {
            return o.shown == u"الملائكة  "_qs + arabicIndicNumber(known.count(u"الملايكه"_qs)) && o.completed == u"الملائكة"_qs;
        }));
        QVERIFY(memory.didYouMean(u"المومنبن"_qs, defaultMode()).contains(u"المؤمنين"_qs));
        QVERIFY(memory.didYouMean(u"يا ايهي الذبن امنوا"_qs, defaultMode()).contains(u"يا أيها الذين آمنوا"_qs));

        const auto place = [](const QString &typed) {
            const QList<CompletionOffer> found = placeOffers(typed);
            return found.isEmpty() ? QString() : found.at(0).completed;
        };
        for (const QString &typed : {u"بقره"_qs, u"البقرة"_qs, u"سورة البقرة"_qs, u"سوره بقر"_qs})
            QCOMPARE(place(typed), u"سورة البقرة"_qs);
        QCOMPARE(place(u"جزء 30"_qs), u"جزء 30"_qs);
        QCOMPARE(place(u"جزء عم"_qs), u"جزء 30"_qs);
        QCOMPARE(place(u"صفحه ٥٠"_qs), u"صفحة 50"_qs);
        QCOMPARE(place(u"حزب 5"_qs), u"حزب 5"_qs);
        for (const QString &typed : {u"الصلاة"_qs, u"صفحة 700"_qs, u"يا ايها"_qs})
            QCOMPARE(place(typed), QString());

        // A long misspelt text: no phrase proposal past a bounded length, and
        // the work grows with the text, not its square (a hang guard only).
        QElapsedTimer clock;
        clock.start();
        const QString misspelt = QStringList(5400, u"الجته"_qs).join(u' ');
        QVERIFY(memory.didYouMean(misspelt, defaultMode()).isEmpty());
        QVERIFY(memory.didYouMean(QStringList(Vocabulary::kPhraseWords + 1, u"الجته"_qs).join(u' '), defaultMode()).isEmpty());
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
    }
};

QTEST_MAIN(ForgivingTest)
#include "test_forgiving.moc"
