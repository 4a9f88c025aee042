#include "ui/messages.h"
#include "guitest.h"
#include "topics/windows/topicwindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

using namespace zarfan;

// Broken databases: each gives a clear message, empty listings and no crash.
class BrokenDatabaseTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        initResources();
    }

    void corpus_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        QTest::newRow("missing") << u"missing"_qs << u"لم يتم العثور"_qs;
        QTest::newRow("wrong password") << u"password"_qs << u"تعذر فتح"_qs;
        QTest::newRow("truncated") << u"truncated"_qs << u"zarfan.zf"_qs;
        QTest::newRow("table missing") << u"table"_qs << u"ناقصة أو تالفة"_qs;
        QTest::newRow("column missing") << u"column"_qs << u"ناقصة أو تالفة"_qs;
        QTest::newRow("older database") << u"older"_qs << u"ناقصة أو تالفة"_qs;
        QTest::newRow("without the mushaf") << u"mushaf"_qs << u"ناقصة أو تالفة"_qs;
        QTest::newRow("without the printed lines") << u"lines"_qs << u"ناقصة أو تالفة"_qs;
        QTest::newRow("non-numeric sura") << u"sura"_qs << u"رقم سورة غير صالح"_qs;
    }

    void corpus()
    {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"zarfan.zf"_qs);
        QByteArray sql = testutil::miniSql();
        if (kind == u"table")
            sql += "DROP TABLE topics_name;";
        if (kind == u"column")
            sql += "ALTER TABLE Ayat RENAME TO Old; CREATE TABLE Ayat AS SELECT ID, soraano, ayaano, chapterNO, Ayaa, AyaaIndex, taf, taf2 FROM Old; DROP TABLE Old;";
        if (kind == u"older")
            sql += "ALTER TABLE Ayat RENAME TO Old; CREATE TABLE Ayat AS SELECT ID, soraano, ayaano, chapterNO, pageno, Ayaa, AyaaIndex, taf, taf2 FROM Old; DROP TABLE Old;";
        if (kind == u"mushaf")
            sql += "DROP TABLE Mushaf;";
        if (kind == u"lines")
            sql += "DROP TABLE MushafLines;";
        if (kind == u"sura")
            sql += "UPDATE Ayat SET soraano = 'x' WHERE ID = 1;";
        if (kind == u"password")
            QVERIFY(testutil::makeDatabase(path, sql, "other-password"));
        else if (kind != u"missing")
            QVERIFY(testutil::makeDatabase(path, sql));
        if (kind == u"truncated") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.resize(f.size() / 2));
        }

        guitest::MessageLog log;
        forgetReportedProblems();
        closeSharedConnections();
        programState() = ProgramState();
        MainWindow w(dir.path());
        setProblemReporter([&w](const QString &m) { showMessage(&w, m); });
        w.show();
        w.findChild<QLineEdit *>(u"searcht"_qs)->setText(u"ا"_qs);
        w.runSearch();
        QCOMPARE(w.listing().count(), 0);
        QCOMPARE(w.findChild<QLabel *>(u"score"_qs)->text(), u"0"_qs);
        w.openTopics();
        QVERIFY(w.topicWindow());
        if (kind != u"sura")
            QCOMPARE(w.topicWindow()->findChild<QListWidget *>(u"mainlist"_qs)->count(), 0);
        w.state().produceListing({u"SELECT *  FROM Ayat where Ayat.soraano like 1 order by ID"_qs, qint16(0), ReadingState::Guard::AlsoFullsearch});
        const QStringList messages = log.lines();
        QVERIFY2(!messages.isEmpty(), qPrintable(kind));
        QVERIFY2(messages.first().contains(says), qPrintable(messages.join(u'\n')));
        // Told once per problem, not once per query.
        QCOMPARE(messages.size(), QSet<QString>(messages.begin(), messages.end()).size());
        setProblemReporter({});
    }
};

QTEST_MAIN(BrokenDatabaseTest)
#include "test_brokendb.moc"
