#include "data/settingsfile.h"
#include "data/userstore.h"
#include "data/windowplaces.h"

#include <QtTest>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#include <sys/stat.h>

using namespace zarfan;

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void format()
    {
        FontRecord f;
        f.name = u"Tahoma"_qs;
        f.size = 14;
        f.bold = true;
        QCOMPARE(formatSettings(f), QByteArray("\"Tahoma\",14,#FALSE#,#TRUE#\r\n"));
        f.size = 10.5;
        f.italic = true;
        f.bold = false;
        QCOMPARE(formatSettings(f), QByteArray("\"Tahoma\",10.5,#TRUE#,#FALSE#\r\n"));
        QCOMPARE(formatFontSize(11.25), u"11.25"_qs);
        QCOMPARE(formatFontSize(9.75), u"9.75"_qs);
    }

    void roundTripAndOneLine()
    {
        QTemporaryDir dir;
        FontRecord f;
        f.name = u"Noto Naskh Arabic"_qs;
        f.size = 16.5;
        f.italic = true;
        QVERIFY(writeSettings(dir.path(), f));
        f.size = 12;
        QVERIFY(writeSettings(dir.path(), f));
        QFile file(settingsPath(dir.path()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\"Noto Naskh Arabic\",12,#TRUE#,#FALSE#\r\n"));
        const SettingsRead r = readSettings(dir.path());
        QCOMPARE(r.name.value(), f.name);
        QCOMPARE(r.size.value(), 12.0);
        QVERIFY(r.italic);
        QVERIFY(!r.bold);
    }

    void parse_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("name");   // null: absent
        QTest::addColumn<double>("size");    // 0: absent
        QTest::addColumn<bool>("italic");
        QTest::addColumn<bool>("bold");
        QTest::newRow("full") << QByteArray("\"Amiri\",18,#FALSE#,#TRUE#\r\n") << u"Amiri"_qs << 18.0 << false << true;
        QTest::newRow("name only") << QByteArray("\"Amiri\"\r\n") << u"Amiri"_qs << 0.0 << false << false;
        QTest::newRow("bad size") << QByteArray("\"Amiri\",big,#TRUE#,#TRUE#") << u"Amiri"_qs << 0.0 << true << true;
        QTest::newRow("negative size") << QByteArray("\"Amiri\",-4,#TRUE#") << u"Amiri"_qs << 0.0 << true << false;
        QTest::newRow("extra fields and lines") << QByteArray("\"A\",9,#TRUE#,#FALSE#,x,y\r\nsecond\r\n") << u"A"_qs << 9.0 << true << false;
        QTest::newRow("comma in name") << QByteArray("\"A, B\",9") << u"A, B"_qs << 9.0 << false << false;
        QTest::newRow("empty") << QByteArray() << QString() << 0.0 << false << false;
        QTest::newRow("garbage bytes") << QByteArray("\xff\xfe\x00\x01,,,", 7) << u"\u06D2\u200F"_qs + QChar(0) + QChar(1) << 0.0 << false << false;
        QTest::newRow("windows-1256 name") << QByteArray("\"\xd3\xe1\xc7\xe3\",14,#FALSE#,#TRUE#") << u"سلام"_qs << 14.0 << false << true;
        QTest::newRow("arabic name") << QString(u"\"خط النسخ\",12,#FALSE#,#FALSE#"_qs).toUtf8() << u"خط النسخ"_qs << 12.0 << false << false;
        QTest::newRow("unclosed quote") << QByteArray("\"Amiri,12") << u"Amiri,12"_qs << 0.0 << false << false;
    }

    void parse()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, name);
        QFETCH(double, size);
        QFETCH(bool, italic);
        QFETCH(bool, bold);
        const SettingsRead r = parseSettings(content);
        QCOMPARE(r.name.has_value(), !name.isNull());
        if (!name.isNull())
            QCOMPARE(r.name.value(), name);
        QCOMPARE(r.size.has_value(), size != 0.0);
        if (size != 0.0)
            QCOMPARE(r.size.value(), size);
        QCOMPARE(r.italic, italic);
        QCOMPARE(r.bold, bold);
    }

    // A pipe in place of the file would block the start forever.
    void onlyARegularFileIsRead()
    {
        QTemporaryDir dir;
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(u"all.txt"_qs)).constData(), 0600), 0);
        QVERIFY(!readSettings(dir.path()).name);
    }

    // The reader's data: kept in order, through a kill, history capped and
    // de-duplicated, a damaged file moved aside.
    void userStore()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"sub/user.db"_qs);
        {
            UserStore store;
            QCOMPARE(store.open(path), UserStore::Opened::Fresh);
            QVERIFY(store.addChosen(u"البقرة : 255"_qs, u"262"_qs));
            QVERIFY(store.addChosen(u"الفاتحة : 1"_qs, u"1"_qs));
            QVERIFY(store.addChosen(u"الإخلاص : 1"_qs, u"6222"_qs));
            QVERIFY(store.removeChosen(u"الفاتحة : 1"_qs));
        }
        // Killed right after an add: no destructor, no close.
        const pid_t child = fork();
        if (child == 0) {
            UserStore store;
            store.open(path);
            store.addChosen(u"الناس : 6"_qs, u"6236"_qs);
            ::raise(SIGKILL);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        UserStore store;
        QCOMPARE(store.open(path), UserStore::Opened::Existing);
        const auto chosen = store.chosen();
        QCOMPARE(int(chosen.size()), 3);
        QCOMPARE(chosen[0].first, u"البقرة : 255"_qs);
        QCOMPARE(chosen[1].second, u"6222"_qs);
        QCOMPARE(chosen[2].first, u"الناس : 6"_qs);

        for (int i = 0; i < 60; ++i)
            QVERIFY(store.addHistory(QString::number(i)));
        QVERIFY(store.addHistory(u"12"_qs));
        const QStringList history = store.history();
        QCOMPARE(history.size(), UserStore::kHistoryLimit);
        QCOMPARE(history.first(), u"12"_qs);
        QCOMPARE(history.at(1), u"59"_qs);
        QCOMPARE(history.count(u"12"_qs), 1);
        QVERIFY(!history.contains(u"9"_qs));
        QVERIFY(store.clearHistory());
        QVERIFY(store.history().isEmpty());

        QTemporaryDir broken;
        const QString damaged = broken.filePath(u"user.db"_qs);
        QFile f(damaged);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(5000, '\x07'));
        f.close();
        UserStore fresh;
        QCOMPARE(fresh.open(damaged), UserStore::Opened::MovedAside);
        QVERIFY(QFile::exists(fresh.movedAsideTo()));
        QVERIFY(fresh.chosen().empty());
        QVERIFY(fresh.addChosen(u"الفاتحة : 1"_qs, u"1"_qs));
    }

    void missingFileReadsNothing()
    {
        QTemporaryDir dir;
        const SettingsRead r = readSettings(dir.path());
        QVERIFY(!r.name && !r.size && !r.italic && !r.bold);
    }

    void unwritableFolderFails()
    {
        QVERIFY(!writeSettings(u"/nonexistent/folder"_qs, FontRecord()));
    }

    // Seeded random lines: never a crash, always a bounded result.
    void randomLines()
    {
        QRandomGenerator rng(1234);
        const QByteArray alphabet("\"#,.TRUEFALS 0123456789\r\n\xd8\xa7\xff-e");
        for (int i = 0; i < 100000; ++i) {
            QByteArray line;
            const int n = int(rng.bounded(40));
            for (int k = 0; k < n; ++k)
                line += alphabet.at(int(rng.bounded(alphabet.size())));
            const SettingsRead r = parseSettings(line);
            QVERIFY(!r.size || (*r.size > 0 && *r.size <= 1638));
            QVERIFY(!r.name || r.name->size() <= line.size());
        }
    }

    // Stored places are read back, and anything else kept in their stead
    // (another shape, a size too small to be meant) is refused.
    void windowPlaces()
    {
        const QRect place(-20, 30, 700, 500);
        QCOMPARE(parsePlace(placeText(place)), place);
        for (const QByteArray &bad : {QByteArray(), QByteArray("1,2,3"), QByteArray("0,0,99,500"),
                                     QByteArray("0,0,700,-500"), QByteArray("a,b,c,d"), QByteArray("1,2,700,500,9")})
            QVERIFY2(!parsePlace(bad), bad.constData());
        QCOMPARE(parseSize(sizeText(QSize(640, 480))), QSize(640, 480));
        QCOMPARE(parseSize("9000,300"), QSize(4000, 300));
        QVERIFY(!parseSize("640,99") && !parseSize("640") && !parseSize("x,480"));
        QCOMPARE(parseTafsirShown(tafsirShownText(TafsirColumn::Jalalayn)), TafsirColumn::Jalalayn);
        QCOMPARE(parseTafsirShown(tafsirShownText(TafsirColumn::Muyassar)), TafsirColumn::Muyassar);
        QVERIFY(!parseTafsirShown(tafsirShownText(std::nullopt)) && !parseTafsirShown("other"));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "test_settings.moc"
