#include "topics/referenceparser.h"

#include "data/connectionstring.h"
#include "data/datacontrol.h"
#include "testutil.h"

#include <QtTest>

using namespace zarfan;

class ReferencesTest : public QObject {
    Q_OBJECT
private slots:
    void workedExample()
    {
        const ResolvedReference r = resolveReference(u"1-3,7,9-10"_qs);
        QCOMPARE(r.joined, u"7,1,2,3,9,10"_qs);
        QCOMPARE(referenceQuery(r, u"2"_qs),
                 u"SELECT *  FROM Ayat where ( ayaano =  7 Or ayaano = 1 Or ayaano = 2 Or ayaano = 3 Or ayaano = 9 Or ayaano = 10 ) and soraano = 2"_qs);
    }

    void edges_data()
    {
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("joined");
        QTest::newRow("single") << u"7"_qs << u"7"_qs;
        QTest::newRow("5-5") << u"5-5"_qs << u"5"_qs;
        QTest::newRow("6-5") << u"6-5"_qs << QString();
        QTest::newRow("downward far") << u"9-2"_qs << QString();
        QTest::newRow("second hyphen") << u"3-5-9"_qs << u"3,4,5"_qs;
        QTest::newRow("eleven items") << u"1,2,3,4,5,6,7,8,9,10,11"_qs << u"1,2,3,4,5,6,7,8,9,10"_qs;
        QTest::newRow("range is tenth") << u"1,2,3,4,5,6,7,8,9,20-22,30"_qs << u"1,2,3,4,5,6,7,8,9,20,21,22"_qs;
        QTest::newRow("blanks around digits") << u" 4 , 6 - 7"_qs << u"4,6,7"_qs;
        QTest::newRow("not a number") << u"x,3"_qs << u"3"_qs;
        QTest::newRow("empty items") << u",,3,"_qs << u"3"_qs;
        QTest::newRow("empty text") << QString() << QString();
        QTest::newRow("empty bound") << u"-4,5-"_qs << QString();
        QTest::newRow("past the sura") << u"280-300"_qs << u"280,281,282,283,284,285,286"_qs;
        QTest::newRow("huge range") << u"1-32767"_qs << QString();
        QTest::newRow("zero and negative") << u"0,-3--1"_qs << QString();
    }

    void edges()
    {
        QFETCH(QString, reference);
        QFETCH(QString, joined);
        const int limit = reference == u"1-32767" ? 0 : 286;
        QCOMPARE(resolveReference(reference, limit).joined, joined);
    }

    void nothingToAskGivesNoQuery()
    {
        QVERIFY(referenceQuery(resolveReference(u"6-5"_qs), u"2"_qs).isEmpty());
        QVERIFY(referenceQuery(resolveReference(u"5"_qs), u"2; DROP"_qs).isEmpty());
        QVERIFY(referenceQuery(resolveReference(u"5"_qs), u"115"_qs).isEmpty());
    }

    // Ten overlapping ranges name thousands of ayas: each is asked for once,
    // and the statement runs.
    void overlappingRangesRun()
    {
        const ResolvedReference r = resolveReference(QStringList(10, u"1-286"_qs).join(u','), 286);
        QCOMPARE(r.numbers.size(), 2860);
        zarfan::DataControl dc;
        dc.setConnectionString(buildConnectionString(testutil::realDbFolder()));
        dc.setRecordSource(referenceQuery(r, u"2"_qs));
        QVERIFY(dc.refresh());
        QCOMPARE(dc.rowCount(), 286);
    }

    void displayLine()
    {
        QCOMPARE(referenceLine(u"البقرة"_qs, u"1-5,9,12-14"_qs), u"البقرة : (1-5 9 12-14)"_qs);
        QCOMPARE(referenceLine(u"الناس"_qs, u"7"_qs), u"الناس : (7)"_qs);
    }

    // Random reference texts: no hang, bounded output, numbers only.
    void randomReferences()
    {
        QRandomGenerator rng(7);
        const QString alphabet = u"0123456789,- x"_qs;
        const QRegularExpression number(u"^[0-9]+$"_qs);
        for (int i = 0; i < 100000; ++i) {
            QString text;
            const int n = int(rng.bounded(30));
            for (int k = 0; k < n; ++k)
                text += alphabet.at(int(rng.bounded(alphabet.size())));
            const int limit = int(rng.bounded(1, 287));
            const ResolvedReference r = resolveReference(text, limit);
            QVERIFY(r.numbers.size() <= 10 * limit);
            for (const QString &s : r.numbers) {
                QVERIFY2(number.match(s.trimmed()).hasMatch(), qPrintable(text));
                QVERIFY(s.toInt() >= 1 && s.toInt() <= limit);
            }
            const QString q = referenceQuery(r, u"2"_qs);
            QVERIFY(q.isEmpty() == r.numbers.isEmpty());
        }
    }
};

QTEST_GUILESS_MAIN(ReferencesTest)
#include "test_references.moc"
