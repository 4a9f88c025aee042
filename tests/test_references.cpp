#include "topics/referenceparser.h"

#include "data/queries.h"
#include "search/divisionreference.h"
#include "search/searchstatement.h"

#include "data/connectionstring.h"
#include "data/datacontrol.h"
#include "testutil.h"

#include <QtTest>
#include <map>

using namespace zarfan;
using Division = DivisionReference::Division;

namespace {
// divisions.tsv read apart from the program: per aya "sura:aya", juz,
// quarter, manzil and page, in order.
struct DivisionRow {
    QString ref;
    int juz, quarter, manzil, page;
};
std::vector<DivisionRow> readDivisions()
{
    std::vector<DivisionRow> out;
    QFile file(testutil::dataDir() + u"/divisions.tsv"_qs);
    file.open(QIODevice::ReadOnly);
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    for (int i = 1; i < lines.size(); ++i) {
        const QStringList f = lines.at(i).split(u'\t');
        out.push_back({f[1] + u':' + f[2], f[3].toInt(), f[4].toInt(), f[5].toInt(), f[8].toInt()});
    }
    return out;
}
} // namespace

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

    // Each kind's first and last member and a range list what divisions.tsv
    // says; out of range gives the kind's message.
    void divisions()
    {
        const std::vector<DivisionRow> rows = readDivisions();
        QCOMPARE(rows.size(), std::size_t(6236));
        DataControl dc;
        dc.setConnectionString(buildConnectionString(testutil::realDbFolder()));
        const auto listed = [&](const QString &text) {
            const DivisionReference r = parseDivisionReference(text);
            if (r.kind != DivisionReference::Kind::Valid)
                return QStringList{r.message()};
            dc.setRecordSource(r.statement());
            return testutil::walk(dc, {u"soraano"_qs, u"ayaano"_qs}).replaceInStrings(u"|"_qs, u":"_qs);
        };
        const auto expected = [&](const std::function<int(const DivisionRow &)> &of, int from, int to) {
            QStringList out;
            for (const DivisionRow &row : rows)
                if (of(row) >= from && of(row) <= to)
                    out.append(row.ref);
            return out;
        };
        const auto page = [](const DivisionRow &r) { return r.page; };
        const auto quarter = [](const DivisionRow &r) { return r.quarter; };
        const auto hizb = [](const DivisionRow &r) { return (r.quarter + 3) / 4; };
        const auto manzil = [](const DivisionRow &r) { return r.manzil; };
        const auto juz = [](const DivisionRow &r) { return r.juz; };
        const struct {
            QString word;
            std::function<int(const DivisionRow &)> of;
            int last;
            QString message;
        } kinds[] = {{u"صفحة"_qs, page, 604, u"رقم الصفحة خارج المدى: من 1 إلى 604"_qs},
                     {u"حزب"_qs, hizb, 60, u"رقم الحزب خارج المدى: من 1 إلى 60"_qs},
                     {u"ربع"_qs, quarter, 240, u"رقم الربع خارج المدى: من 1 إلى 240"_qs},
                     {u"منزل"_qs, manzil, 7, u"رقم المنزل خارج المدى: من 1 إلى 7"_qs},
                     {u"جزء"_qs, juz, 30, u"رقم الجزء خارج المدى: من 1 إلى 30"_qs}};
        for (const auto &k : kinds) {
            QCOMPARE(listed(k.word + u" 1"_qs), expected(k.of, 1, 1));
            QCOMPARE(listed(k.word + QString::number(k.last)), expected(k.of, k.last, k.last));
            QCOMPARE(listed(k.word + u" 2-3"_qs), expected(k.of, 2, 3));
            QCOMPARE(listed(k.word + u" 0"_qs), QStringList{k.message});
            QCOMPARE(listed(k.word + u" "_qs + QString::number(k.last + 1)), QStringList{k.message});
            QCOMPARE(listed(k.word + u" 1-"_qs + QString::number(k.last + 1)), QStringList{k.message});
        }
        QCOMPARE(listed(u"صفحة ٤٠-٤٢"_qs), expected(page, 40, 42));
        QCOMPARE(listed(u"صفحه 42 - 40"_qs), expected(page, 40, 42));
        QCOMPARE(listed(u"صفحة 99999999999"_qs), QStringList{kinds[0].message});
        QCOMPARE(parseDivisionReference(u"جزء 3"_qs).statement(), query::juzOrdered(3));
        // Not a division: left to the aya references.
        for (const QString &text : {u"ص 40"_qs, u"صفحة"_qs, u"2:255"_qs, u"حزبي 3"_qs})
            QCOMPARE(parseDivisionReference(text).kind, DivisionReference::Kind::NotADivision);
        // A division's name with a malformed number gets that division's message.
        for (const QString &text : {u"صفحة -1"_qs, u"صفحة 40-"_qs, u"صفحة 4 5"_qs})
            QVERIFY(listed(text).value(0).startsWith(u"صيغة رقم الصفحة غير صحيحة"_qs));
        QVERIFY(listed(u"حزب -3"_qs).value(0).startsWith(u"صيغة رقم الحزب غير صحيحة"_qs));
        // Marks that show nothing are no part of the number.
        QCOMPARE(listed(u"صفحة 40\u200f"_qs), expected(page, 40, 40));
        QCOMPARE(listed(u"\u200fحزب\u00a05\u200e"_qs), expected(hizb, 5, 5));
    }

    // Scope 5 keeps one hizb, scope 6 a run of pages, for every kind of search.
    void divisionScopes()
    {
        const std::vector<DivisionRow> rows = readDivisions();
        DataControl dc;
        dc.setConnectionString(buildConnectionString(testutil::realDbFolder()));
        const auto run = [&](const SearchOptions &o, const QString &text) {
            dc.setRecordSource(buildSearchStatement(text, o));
            return testutil::walk(dc, {u"soraano"_qs, u"ayaano"_qs}).replaceInStrings(u"|"_qs, u":"_qs);
        };
        const auto within = [&](const QStringList &all, const std::function<bool(const DivisionRow &)> &keep) {
            QStringList out;
            for (const DivisionRow &row : rows)
                if (keep(row) && all.contains(row.ref))
                    out.append(row.ref);
            return out;
        };
        for (const WordKey key : {WordKey::Letters, WordKey::Root}) {
            for (const SearchTarget target : {SearchTarget::Quran, SearchTarget::Jalalayn}) {
                if (key == WordKey::Root && target != SearchTarget::Quran)
                    continue;
                SearchOptions o;
                o.key = key;
                o.target = target;
                const QString word = key == WordKey::Root ? u"كتب"_qs : u"الله"_qs;
                const QStringList all = run(o, word);
                o.searchtype = 5;
                o.hizb = 59;
                const QStringList inHizb = run(o, word);
                QVERIFY(!inHizb.isEmpty());
                QCOMPARE(inHizb, within(all, [](const DivisionRow &r) { return r.quarter > 236; }));
                o.searchtype = 6;
                o.page1 = 42;
                o.page2 = 40;
                QCOMPARE(run(o, word), within(all, [](const DivisionRow &r) { return r.page >= 40 && r.page <= 42; }));
            }
        }
        // No hizb chosen finds nothing, as no juz chosen does.
        SearchOptions none;
        none.searchtype = 5;
        QVERIFY(run(none, u"الله"_qs).isEmpty());
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
