#include "browse/suratables.h"
#include "data/datacontrol.h"
#include "data/connectionstring.h"
#include "makedb.h"
#include "testutil.h"

#include <QtTest>
#include <sys/stat.h>

using namespace zarfan;

namespace {

// An invented data set in the shape of ../shared/data: the right number of
// ayas per sura with made-up words.
struct Dataset {
    QStringList quran, jalalayn, muyassar, topics, topicAyat, morphology, uthmani, divisions, lines, editions, translations, glosses, tajweed;

    Dataset()
    {
        // The printed lines: each sura's heading and basmala, then each aya's
        // three words on one line or (spread evenly) split one and two, so
        // that they fill 8 lines on pages 1 and 2 and 15 on the others.
        std::vector<int> pageOf(SuraTables::kAyaTotal + 1);
        lines << u"page\tline\tkind\tsura\tfirst\tlast"_qs;
        int linePage = 1, lineNo = 0, ayaId = 0;
        const auto put = [&](const QString &kind, int sura, const QString &first = {}, const QString &last = {}) {
            if (++lineNo > (linePage <= 2 ? 8 : 15)) {
                ++linePage;
                lineNo = 1;
            }
            lines << QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6").arg(linePage).arg(lineNo).arg(kind).arg(sura).arg(first, last);
        };
        for (int sura = 1; sura <= SuraTables::kSuraCount; ++sura) {
            put(u"sura"_qs, sura);
            if (sura != 1 && sura != 9)
                put(u"basmala"_qs, sura);
            for (int aya = 1; aya <= SuraTables::ayaCount(sura); ++aya) {
                ++ayaId;
                const QString w = QStringLiteral("%1:%2:").arg(sura).arg(aya);
                put(u"text"_qs, sura, w + u'1', w + u'1');
                pageOf[ayaId] = linePage;
                if (ayaId * 2584 / 6236 != (ayaId - 1) * 2584 / 6236) {
                    put(u"text"_qs, sura, w + u'2', w + u'3');
                } else {
                    lines.last() = lines.last().chopped(1) + u'3';
                }
            }
        }
        quran << u"id\tsura\taya\tjuz\tpage\ttext\ttext_clean"_qs;
        jalalayn << u"sura\taya\ttext"_qs;
        muyassar << u"sura\taya\ttext"_qs;
        morphology << u"# An invented notice"_qs << u"#"_qs << u"sura\taya\tword\troot\tlemma\tlemma_clean"_qs;
        uthmani << u"id\tsura\taya\ttext"_qs;
        divisions << u"id\tsura\taya\tjuz\thizb_quarter\tmanzil\truku\tsajda\tpage"_qs;
        int id = 0, ruku = 0;
        for (int sura = 1; sura <= SuraTables::kSuraCount; ++sura) {
            for (int aya = 1; aya <= SuraTables::ayaCount(sura); ++aya) {
                ++id;
                const int juz = 1 + (id - 1) * 30 / 6236;
                const int page = pageOf[id];
                quran << QStringLiteral("%1\t%2\t%3\t%4\t%5\tكَلِمَةٌ %1 ۚ وَأُخْرَى\tكلمة %1 ۚ وأخرى").arg(id).arg(sura).arg(aya).arg(juz).arg(page);
                uthmani << QStringLiteral("%1\t%2\t%3\tكَلِمَةٌ %1 ۚ وَأُخْرَىٰ").arg(id).arg(sura).arg(aya);
                // 556 rukus: one at every sura start, the rest inside the long suras.
                if (aya == 1 || (aya % 7 == 0 && ruku - sura < 556 - 114))
                    ++ruku;
                divisions << QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6\t%7\t%8\t%9")
                                 .arg(id).arg(sura).arg(aya).arg(juz).arg(1 + (id - 1) * 240 / 6236).arg(1 + (id - 1) * 7 / 6236)
                                 .arg(ruku).arg(id == 3 ? u"obligatory"_qs : QString()).arg(page);
                jalalayn << QStringLiteral("%1\t%2\tشرح %3").arg(sura).arg(aya).arg(id);
                muyassar << QStringLiteral("%1\t%2\tبيان %3").arg(sura).arg(aya).arg(id);
                // Three words: the pause mark is none of them.
                morphology << QStringLiteral("%1\t%2\t1\tكلم\tكَلِمَة\tكلمة").arg(sura).arg(aya)
                           << QStringLiteral("%1\t%2\t2\t\t\t").arg(sura).arg(aya)
                           << QStringLiteral("%1\t%2\t3\tأخر\tوَ|أُخْرَى\tو|أخرى").arg(sura).arg(aya);
            }
        }
        // Two editions, and a gloss for each of the three Uthmani words.
        editions << u"edition\tlanguage\tdirection\tlanguage_name\ttranslator\tsource"_qs
                 << u"en.one\ten\tltr\tEnglish\tOne Translator\thttps://example.org/en.one"_qs
                 << u"ur.two\tur\trtl\tاردو\tدوسرا\thttps://example.org/ur.two"_qs;
        translations << u"edition\tsura\taya\ttext"_qs;
        glosses << u"sura\taya\tword\tgloss\ttransliteration"_qs;
        for (const QString &edition : {u"en.one"_qs, u"ur.two"_qs}) {
            for (int sura = 1; sura <= SuraTables::kSuraCount; ++sura) {
                for (int aya = 1; aya <= SuraTables::ayaCount(sura); ++aya)
                    translations << QStringLiteral("%1\t%2\t%3\tWord %2:%3 Ḥā").arg(edition).arg(sura).arg(aya);
            }
        }
        for (int sura = 1; sura <= SuraTables::kSuraCount; ++sura) {
            for (int aya = 1; aya <= SuraTables::ayaCount(sura); ++aya) {
                for (int w = 1; w <= 3; ++w)
                    glosses << QStringLiteral("%1\t%2\t%3\tmeaning %3\tsound-%3").arg(sura).arg(aya).arg(w);
            }
        }
        // كَلِمَةٌ: its kaf, and the tanwin with the blank after it.
        tajweed << u"sura\taya\tstart\tend\trule"_qs << u"1\t1\t0\t1\tqalqalah"_qs << u"114\t6\t6\t8\tikhfa"_qs
                << u"114\t6\t9\t10\tmadd_2"_qs;
        topics << u"topic_no\tparent_no\tname"_qs << u"1\t0\tباب أول"_qs << u"2\t1\tفصل أول"_qs << u"3\t1\tفصل  ثان"_qs;
        topicAyat << u"topic_no\tsura\tayat"_qs << u"2\t2\t1-3,5,7-8,20-30,40,42,44,46,48,50,52,54,56"_qs << u"3\t114\t6"_qs;
    }

    void write(const QString &dir) const
    {
        const auto put = [&](const char *name, const QStringList &fileLines) {
            QFile f(dir + u'/' + QString::fromLatin1(name));
            f.open(QIODevice::WriteOnly);
            f.write((fileLines.join(u'\n') + u'\n').toUtf8());
        };
        put("quran.tsv", quran);
        put("tafsir-jalalayn.tsv", jalalayn);
        put("tafsir-muyassar.tsv", muyassar);
        put("topics.tsv", topics);
        put("topic-ayat.tsv", topicAyat);
        put("morphology.tsv", morphology);
        put("quran-uthmani.tsv", uthmani);
        put("divisions.tsv", divisions);
        put("mushaf-lines.tsv", lines);
        put("translation-editions.tsv", editions);
        put("translations.tsv", translations);
        put("words-en.tsv", glosses);
        put("tajweed.tsv", tajweed);
    }
};

} // namespace

class MakeDbTest : public QObject {
    Q_OBJECT
private slots:
    void compactReferences()
    {
        QCOMPARE(makedb::compactReferences({5, 1, 2, 3, 9, 12, 13, 14}), QStringList({u"1-3,5,9,12-14"_qs}));
        // Runs of two stay single numbers; duplicates count once.
        QCOMPARE(makedb::compactReferences({4, 5, 5, 8}), QStringList({u"4,5,8"_qs}));
        // More than ten items go to further rows of at most ten.
        std::vector<int> odd;
        for (int n = 1; n <= 45; n += 2)
            odd.push_back(n);
        const QStringList rows = makedb::compactReferences(odd);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].split(u',').size(), 10);
        QCOMPARE(rows[2], QStringLiteral("41,43,45"));
    }

    void searchableText()
    {
        QCOMPARE(makedb::searchableText(u"ذلك الكتاب لا ريب ۛ فيه ۛ هدى للمتقين"_qs), u" ذلك الكتاب لا ريب فيه هدى للمتقين "_qs);
        QCOMPARE(makedb::searchableText(u"الم"_qs), u" الم "_qs);
        // A mark inside a word is part of the word.
        QCOMPARE(makedb::searchableText(u"كلمةۖ ۩"_qs), u" كلمةۖ "_qs);
    }

    void validDataBuilds()
    {
        QTemporaryDir dir;
        Dataset().write(dir.path());
        const QString out = dir.filePath(u"zarfan.zf"_qs);
        const auto result = makedb::build(dir.path(), out);
        QVERIFY2(result.ok, qPrintable(result.error));
        QVERIFY(!QFile::exists(out + u".part"_qs));

        testutil::ProblemCounter problems;
        DataControl dc;
        dc.setConnectionString(buildConnectionString(dir.path()));
        dc.setRecordSource(u"SELECT *  FROM Ayat where Ayat.ID like 6236"_qs);
        QVERIFY(dc.refresh());
        QCOMPARE(dc.field(u"soraano") + u':' + dc.field(u"ayaano"), u"114:6"_qs);
        QCOMPARE(dc.field(u"AyaaIndex"), u" كلمة 6236 وأخرى "_qs);
        QCOMPARE(dc.field(u"taf2"), u"بيان 6236"_qs);
        dc.setRecordSource(u"SELECT *  FROM topic_Ayat where Topic_No like 2 order by ID"_qs);
        QCOMPARE(testutil::walk(dc, {u"Sura_No"_qs, u"Ayat_No"_qs}),
                 QStringList({u"2|1-3,5,7,8,20-30,40,42,44,46,48"_qs, u"2|50,52,54,56"_qs}));
        dc.setRecordSource(u"SELECT *  FROM topics_name where Mother_Topic like '0'order by ID"_qs);
        QCOMPARE(testutil::walk(dc, {u"Topic_No"_qs, u"Mother_Topic"_qs}), QStringList({u"1|0"_qs}));
        dc.setRecordSource(u"SELECT *  FROM topics_name where Mother_Topic like 1 order by ID"_qs);
        QCOMPARE(testutil::walk(dc, {u"Topic_Name"_qs}), QStringList({u"فصل أول"_qs, u"فصل  ثان"_qs}));
        dc.setRecordSource(u"SELECT *  FROM Mushaf where ID in (3, 6236) order by ID"_qs);
        QCOMPARE(testutil::walk(dc, {u"page"_qs, u"quarter"_qs, u"manzil"_qs, u"ruku"_qs, u"sajda"_qs, u"uthmani"_qs}),
                 QStringList({u"1|1|1|1|obligatory|كَلِمَةٌ 3 ۚ وَأُخْرَىٰ"_qs, u"604|240|7|556||كَلِمَةٌ 6236 ۚ وَأُخْرَىٰ"_qs}));
        dc.setRecordSource(u"SELECT *  FROM Words where ID between 6236000 and 6236999 order by ID"_qs);
        QCOMPARE(testutil::walk(dc, {u"wordno"_qs, u"root"_qs, u"lemma"_qs, u"rootFolded"_qs, u"lemmaFolded"_qs}),
                 QStringList({u"1|كلم|كَلِمَة|كلم|كلمه"_qs, u"2||||"_qs, u"3|أخر|وَ|أُخْرَى|اخر|و"_qs, u"3|أخر|وَ|أُخْرَى|اخر|اخري"_qs}));
        dc.setRecordSource(u"SELECT * FROM TranslationEditions order by ID"_qs);
        QCOMPARE(testutil::walk(dc, {u"edition"_qs, u"direction"_qs, u"languageName"_qs}), QStringList({u"en.one|ltr|English"_qs, u"ur.two|rtl|اردو"_qs}));
        dc.setRecordSource(u"SELECT * FROM Translations where ID = 6236 order by edition"_qs);
        QCOMPARE(testutil::walk(dc, {u"text"_qs, u"folded"_qs}), QStringList(2, u"Word 114:6 Ḥā| word 114 6 ha "_qs));
        dc.setRecordSource(u"SELECT * FROM WordGlosses where ID between 6236000 and 6236999 order by ID"_qs);
        QCOMPARE(testutil::walk(dc, {u"ID"_qs, u"gloss"_qs, u"transliteration"_qs}),
                 QStringList({u"6236001|meaning 1|sound-1"_qs, u"6236002|meaning 2|sound-2"_qs, u"6236003|meaning 3|sound-3"_qs}));
        dc.setRecordSource(u"SELECT *  FROM Tajweed order by ayaId"_qs);
        QCOMPARE(testutil::walk(dc, {u"ayaId"_qs, u"spans"_qs}), QStringList({u"1|0 1 qalqalah"_qs, u"6236|6 8 ikhfa;9 10 madd_2"_qs}));
        QVERIFY(problems.messages.isEmpty());
    }

    void badInputIsRefused_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("row");     // line index in that file (0 = header)
        QTest::addColumn<QString>("line"); // replacement; empty removes the line
        QTest::addColumn<QString>("where");
        QTest::newRow("aya missing") << u"quran"_qs << 8 << QString() << u"quran.tsv:9:"_qs;
        QTest::newRow("juz 31") << u"quran"_qs << 3 << u"3\t1\t3\t31\t1\tx\tx"_qs << u"quran.tsv:4:"_qs;
        QTest::newRow("page 0") << u"quran"_qs << 3 << u"3\t1\t3\t1\t0\tx\tx"_qs << u"quran.tsv:4:"_qs;
        QTest::newRow("not a number") << u"quran"_qs << 2 << u"2\t1\tب\t1\t1\tx\tx"_qs << u"quran.tsv:3:"_qs;
        QTest::newRow("short line") << u"quran"_qs << 5 << u"5\t1\t5"_qs << u"quran.tsv:6:"_qs;
        QTest::newRow("bad header") << u"quran"_qs << 0 << u"id\tsura"_qs << u"quran.tsv:1:"_qs;
        QTest::newRow("tafsir for another aya") << u"jalalayn"_qs << 4 << u"1\t5\tشرح"_qs << u"tafsir-jalalayn.tsv:5:"_qs;
        QTest::newRow("tafsir missing") << u"muyassar"_qs << 6236 << QString() << u"tafsir-muyassar.tsv:"_qs;
        QTest::newRow("empty tafsir") << u"muyassar"_qs << 1 << u"1\t1\t "_qs << u"tafsir-muyassar.tsv:2:"_qs;
        QTest::newRow("reference outside sura") << u"topicAyat"_qs << 2 << u"3\t114\t5-7"_qs << u"topic-ayat.tsv:3:"_qs;
        QTest::newRow("reference to no topic") << u"topicAyat"_qs << 2 << u"9\t114\t1"_qs << u"topic-ayat.tsv:3:"_qs;
        QTest::newRow("missing parent") << u"topics"_qs << 3 << u"3\t7\tفصل"_qs << u"topics.tsv:4:"_qs;
        QTest::newRow("word missing") << u"morphology"_qs << 5 << QString() << u"morphology.tsv:6:"_qs;
        QTest::newRow("word of another aya") << u"morphology"_qs << 4 << u"1\t2\t2\t\t\t"_qs << u"morphology.tsv:5:"_qs;
        QTest::newRow("extra word") << u"morphology"_qs << 18710 << u"114\t6\t3\t\t\t\n114\t6\t4\t\t\t"_qs << u"morphology.tsv:18712:"_qs;
        QTest::newRow("notice lost") << u"morphology"_qs << 0 << u"sura\taya\tword\troot\tlemma\tlemma_clean"_qs << u"morphology.tsv:"_qs;
        QTest::newRow("own parent") << u"topics"_qs << 2 << u"2\t2\tفصل"_qs << u"topics.tsv:3:"_qs;
        QTest::newRow("parent cycle") << u"topics"_qs << 1 << u"1\t3\tباب"_qs << u"topics.tsv:2:"_qs;
        QTest::newRow("uthmani aya missing") << u"uthmani"_qs << 7 << QString() << u"quran-uthmani.tsv:8:"_qs;
        QTest::newRow("uthmani short") << u"uthmani"_qs << 6236 << QString() << u"quran-uthmani.tsv:"_qs;
        QTest::newRow("uthmani empty") << u"uthmani"_qs << 2 << u"2\t1\t2\t "_qs << u"quran-uthmani.tsv:3:"_qs;
        // Line 3 of divisions.tsv, aya 1:2, with its juz, quarter, manzil, ruku, sajda and page.
        const struct { const char *name, *fields; } divisions[] = {
            {"divisions other page", "1\t1\t1\t1\t\t2"}, {"quarter skipped", "1\t3\t1\t1\t\t1"},
            {"quarter outside juz", "1\t9\t1\t1\t\t1"}, {"unknown sajda", "1\t1\t1\t1\tyes\t1"},
            {"manzil 8", "1\t1\t8\t1\t\t1"}};
        for (const auto &d : divisions)
            QTest::newRow(d.name) << u"divisions"_qs << 2 << u"2\t1\t2\t"_qs + QString::fromLatin1(d.fields) << u"divisions.tsv:3:"_qs;
        QTest::newRow("CR in a field") << u"quran"_qs << 3 << u"3\t1\t3\t1\t1\tx\ry\tx"_qs << u"quran.tsv:4:"_qs;
        QTest::newRow("root of five letters") << u"morphology"_qs << 3 << u"1\t1\t1\tكلمات\tكَلِمَة\tكلمة"_qs << u"morphology.tsv:4:"_qs;
        QTest::newRow("blank root") << u"morphology"_qs << 3 << u"1\t1\t1\t   \tكَلِمَة\tكلمة"_qs << u"morphology.tsv:4:"_qs;
        QTest::newRow("Latin and SQL in a root") << u"morphology"_qs << 3 << u"1\t1\t1\tk';\tكَلِمَة\tكلمة"_qs << u"morphology.tsv:4:"_qs;
        QTest::newRow("Latin lemma") << u"morphology"_qs << 5 << u"1\t1\t3\tأخر\tx\tو|أخرى"_qs << u"morphology.tsv:6:"_qs;
        QTest::newRow("long lemma") << u"morphology"_qs << 5 << u"1\t1\t3\tأخر\tوَ\t"_qs + QString(65, u'ك') << u"morphology.tsv:6:"_qs;
        QTest::newRow("number with sign") << u"morphology"_qs << 3 << u"1\t+1\t1\tكلم\tكَلِمَة\tكلمة"_qs << u"morphology.tsv:4:"_qs;
        QTest::newRow("number with blanks") << u"morphology"_qs << 3 << u"1\t1\t 1 \tكلم\tكَلِمَة\tكلمة"_qs << u"morphology.tsv:4:"_qs;
        QTest::newRow("number with zeros") << u"quran"_qs << 3 << u"3\t1\t003\t1\t1\tx\tx"_qs << u"quran.tsv:4:"_qs;
        // The printed lines: row 1 is sura 1's heading, row 2 holds 1:1:1-1:1:3, row 3 1:2:1-1:2:3.
        QTest::newRow("printed line missing") << u"lines"_qs << 5 << QString() << u"mushaf-lines.tsv:6:"_qs;
        QTest::newRow("page 0") << u"lines"_qs << 1 << u"0\t1\tsura\t1\t\t"_qs << u"mushaf-lines.tsv:2:"_qs;
        QTest::newRow("unknown kind") << u"lines"_qs << 1 << u"1\t1\ttitle\t1\t\t"_qs << u"mushaf-lines.tsv:2:"_qs;
        QTest::newRow("basmala of sura 1") << u"lines"_qs << 1 << u"1\t1\tbasmala\t1\t\t"_qs << u"mushaf-lines.tsv:2:"_qs;
        QTest::newRow("words before heading") << u"lines"_qs << 1 << u"1\t1\ttext\t1\t1:1:1\t1:1:3"_qs << u"mushaf-lines.tsv:2:"_qs;
        QTest::newRow("word twice") << u"lines"_qs << 3 << u"1\t3\ttext\t1\t1:1:3\t1:2:3"_qs << u"mushaf-lines.tsv:4:"_qs;
        QTest::newRow("word skipped") << u"lines"_qs << 3 << u"1\t3\ttext\t1\t1:2:2\t1:2:3"_qs << u"mushaf-lines.tsv:4:"_qs;
        QTest::newRow("word beyond the aya") << u"lines"_qs << 2 << u"1\t2\ttext\t1\t1:1:1\t1:1:4"_qs << u"mushaf-lines.tsv:3:"_qs;
        QTest::newRow("malformed word") << u"lines"_qs << 2 << u"1\t2\ttext\t1\t1:1\t1:1:3"_qs << u"mushaf-lines.tsv:3:"_qs;
        QTest::newRow("printed lines short") << u"lines"_qs << 9046 << QString() << u"mushaf-lines.tsv:"_qs;
        QTest::newRow("edition twice") << u"editions"_qs << 2 << u"en.one\ten\tltr\tEnglish\tX\thttps://example.org"_qs << u"translation-editions.tsv:3:"_qs;
        QTest::newRow("edition direction") << u"editions"_qs << 1 << u"en.one\ten\tup\tEnglish\tX\thttps://example.org"_qs << u"translation-editions.tsv:2:"_qs;
        QTest::newRow("translation missing") << u"translations"_qs << 7 << QString() << u"translations.tsv:8:"_qs;
        QTest::newRow("translation of no edition") << u"translations"_qs << 6237 << u"xx.none\t1\t1\tx"_qs << u"translations.tsv:6238:"_qs;
        QTest::newRow("translation empty") << u"translations"_qs << 3 << u"en.one\t1\t3\t "_qs << u"translations.tsv:4:"_qs;
        QTest::newRow("gloss missing") << u"glosses"_qs << 4 << QString() << u"words-en.tsv:5:"_qs;
        QTest::newRow("gloss empty") << u"glosses"_qs << 2 << u"1\t1\t2\t\tsound"_qs << u"words-en.tsv:3:"_qs;
        // The Uthmani text of 114:6 is 26 letters and marks long.
        QTest::newRow("span past its aya") << u"tajweed"_qs << 2 << u"114\t6\t24\t27\tikhfa"_qs << u"tajweed.tsv:3:"_qs;
        QTest::newRow("empty span") << u"tajweed"_qs << 1 << u"1\t1\t3\t3\tmadd_2"_qs << u"tajweed.tsv:2:"_qs;
        QTest::newRow("no such aya") << u"tajweed"_qs << 1 << u"1\t8\t0\t1\tmadd_2"_qs << u"tajweed.tsv:2:"_qs;
        QTest::newRow("spans out of order") << u"tajweed"_qs << 3 << u"1\t2\t0\t1\tmadd_2"_qs << u"tajweed.tsv:4:"_qs;
        QTest::newRow("unknown rule") << u"tajweed"_qs << 2 << u"114\t6\t6\t8\tikhfaa"_qs << u"tajweed.tsv:3:"_qs;
        QTest::newRow("NUL in a field") << u"jalalayn"_qs << 2 << u"1\t2\tشرح"_qs + QChar(0) << u"tafsir-jalalayn.tsv:3:"_qs;
    }

    void badInputIsRefused()
    {
        QFETCH(QString, file);
        QFETCH(int, row);
        QFETCH(QString, line);
        QFETCH(QString, where);
        Dataset data;
        QStringList *lines = file == u"quran" ? &data.quran
            : file == u"jalalayn"             ? &data.jalalayn
            : file == u"muyassar"             ? &data.muyassar
            : file == u"topics"               ? &data.topics
            : file == u"morphology"           ? &data.morphology
            : file == u"uthmani"              ? &data.uthmani
            : file == u"divisions"            ? &data.divisions
            : file == u"lines"                ? &data.lines
            : file == u"editions"             ? &data.editions
            : file == u"translations"         ? &data.translations
            : file == u"glosses"              ? &data.glosses
            : file == u"tajweed"              ? &data.tajweed
                                              : &data.topicAyat;
        if (line.isNull())
            lines->removeAt(row);
        else
            (*lines)[row] = line;
        QTemporaryDir dir;
        data.write(dir.path());
        const QString out = dir.filePath(u"zarfan.zf"_qs);
        const auto result = makedb::build(dir.path(), out);
        QVERIFY(!result.ok);
        QVERIFY2(result.error.startsWith(where), qPrintable(result.error));
        QVERIFY(!QFile::exists(out));
        QVERIFY(!QFile::exists(out + u".part"_qs));
    }

    // Faults that only raw files can hold.
    void badFilesAreRefused()
    {
        QTemporaryDir dir;
        Dataset data;
        data.topicAyat = data.topicAyat.mid(0, 1);
        data.write(dir.path());
        auto result = makedb::build(dir.path(), dir.filePath(u"zarfan.zf"_qs));
        QVERIFY2(result.error.startsWith(u"topic-ayat.tsv:2:"_qs), qPrintable(result.error));

        Dataset().write(dir.path());
        QFile f(dir.filePath(u"tafsir-muyassar.tsv"_qs));
        QVERIFY(f.open(QIODevice::ReadWrite));
        QByteArray bytes = f.readAll();
        const qsizetype third = bytes.indexOf('\n', bytes.indexOf('\n') + 1) + 1; // start of line 3
        bytes.insert(third + 6, "\xff\xfe");
        f.seek(0);
        f.write(bytes);
        f.close();
        result = makedb::build(dir.path(), dir.filePath(u"zarfan.zf"_qs));
        QVERIFY2(result.error.startsWith(u"tafsir-muyassar.tsv:3:"_qs), qPrintable(result.error));

        // A pipe in place of a file would block the build for ever.
        Dataset().write(dir.path());
        const QString morphology = dir.filePath(u"morphology.tsv"_qs);
        QVERIFY(QFile::remove(morphology));
        QCOMPARE(::mkfifo(QFile::encodeName(morphology).constData(), 0600), 0);
        result = makedb::build(dir.path(), dir.filePath(u"zarfan.zf"_qs));
        QCOMPARE(result.error, u"morphology.tsv:0: is not a regular file"_qs);
    }

    // A failed build leaves an earlier database untouched.
    void failedBuildKeepsOldDatabase()
    {
        QTemporaryDir dir;
        Dataset data;
        data.write(dir.path());
        const QString out = dir.filePath(u"zarfan.zf"_qs);
        QVERIFY(makedb::build(dir.path(), out).ok);
        const QByteArray before = [&] { QFile f(out); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        data.quran.removeLast();
        data.write(dir.path());
        QVERIFY(!makedb::build(dir.path(), out).ok);
        QFile f(out);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }

    // The notices file that is installed, the database's notice table and the
    // data files agree: each file is named, each required notice is there.
    void noticesAgree()
    {
        QFile file(makedb::defaultNoticesPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        const QStringList sections = makedb::splitNotices(text);
        DataControl dc;
        dc.setConnectionString(buildConnectionString(testutil::realDbFolder()));
        dc.setRecordSource(u"SELECT *  FROM data_notice order by ID"_qs);
        QCOMPARE(testutil::walk(dc, {u"Notice"_qs}), sections);
        for (const QString &name : QDir(testutil::dataDir()).entryList({u"*.tsv"_qs}, QDir::Files)) {
            if (name != u"topic-ayat-entries.tsv") // an audit trail, not read by the build
                QVERIFY2(text.contains(name), qPrintable(name));
        }
        QFile morphology(testutil::dataDir() + u"/morphology.tsv"_qs);
        QVERIFY(morphology.open(QIODevice::ReadOnly));
        QStringList block;
        while (!morphology.atEnd()) {
            const QString line = QString::fromUtf8(morphology.readLine()).chopped(1);
            if (!line.startsWith(u'#'))
                break;
            block.append(line);
        }
        QCOMPARE(block.size(), 31);
        QVERIFY(text.contains(block.join(u'\n')));
        // Tanzil's terms ask for its block unchanged: each text's block, byte
        // for byte as the data's README quotes it (Simple Clean's differs from
        // Simple's in its title line only).
        QFile readme(testutil::dataDir() + u"/README.md"_qs);
        QVERIFY(readme.open(QIODevice::ReadOnly));
        const QString quoted = QString::fromUtf8(readme.readAll());
        const QString head = u"```\n# PLEASE DO NOT REMOVE OR CHANGE THIS COPYRIGHT BLOCK\n"_qs;
        QStringList tanzil;
        for (qsizetype at = quoted.indexOf(head); at >= 0; at = quoted.indexOf(head, at + 1)) {
            const QString quote = quoted.mid(at + 4, quoted.indexOf(u"```"_qs, at + 4) - at - 4);
            if (quote.contains(u"Tanzil Quran Text (Simple, Version 1.1)"_qs))
                tanzil << quote << QString(quote).replace(u"(Simple, Version"_qs, u"(Simple Clean, Version"_qs);
            else if (quote.contains(u"Tanzil Quran Text"_qs))
                tanzil << quote;
        }
        QCOMPARE(tanzil.size(), 3);
        for (const QString &quote : tanzil)
            QVERIFY2(text.contains(quote), qPrintable(quote.section(u'\n', 3, 3)));
        for (const char *required : {"CHANGING IT IS NOT ALLOWED", "tanzil.net", "http://corpus.quran.com",
                                     "Creative Commons Attribution 3.0", "non-commercial", "licence are unknown",
                                     "GNU General Public License",
                                     "Line layout of the Madani mushaf (1405 H print, King Fahd Complex), as published by Quran.com"})
            QVERIFY2(text.contains(QString::fromLatin1(required)), required);
    }

    void missingFolder()
    {
        const auto result = makedb::build(u"/nonexistent/folder"_qs, QDir::temp().filePath(u"never.zf"_qs));
        QVERIFY(!result.ok);
        QVERIFY(result.error.startsWith(u"quran.tsv:0:"_qs));
    }
};

QTEST_GUILESS_MAIN(MakeDbTest)
#include "test_makedb.moc"
