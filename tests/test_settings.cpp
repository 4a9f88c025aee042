#include "state/readingstate.h"
#include "ui/windowplaces.h"
#include "data/settingsfile.h"
#include "data/userstore.h"
#include "notes/notesstore.h"
#include "ui/messages.h"

#include <QtTest>
#include <csignal>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>
#include <sys/stat.h>

using namespace zarfan;

namespace {
// What `dd if=/dev/urandom bs=4096 seek=page count=1 conv=notrunc` does.
void damagePage(const QString &path, int page)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.seek(qint64(page) * 4096));
    QRandomGenerator rng(7);
    QByteArray noise(4096, Qt::Uninitialized);
    rng.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    file.write(noise);
}

// Runs f in a child process as a reader without root's rights (as nobody
// when run as root); f's result is the child's exit code.
int asReader(const std::function<int()> &f)
{
    const pid_t child = fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            _exit(9);
        _exit(f());
    }
    int status = -1;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}
// A file as the program wrote it before notes and lists.
void writeVersionOne(const QString &path)
{
    sqlite3 *raw = nullptr;
    QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &raw), SQLITE_OK);
    sql::Database old(raw);
    QVERIFY(old.exec("PRAGMA journal_mode = WAL;"
                     "CREATE TABLE chosen (line TEXT PRIMARY KEY, id TEXT NOT NULL, pos INTEGER NOT NULL);"
                     "CREATE TABLE history (text TEXT PRIMARY KEY, used INTEGER NOT NULL);"
                     "CREATE TABLE settings (key TEXT PRIMARY KEY, value BLOB);"
                     "INSERT INTO chosen VALUES ('الإخلاص : 2', '6223', 1);"
                     "PRAGMA user_version = 1;"));
}

QByteArray versionOf(const QString &path)
{
    sqlite3 *raw = nullptr;
    sqlite3_open_v2(QFile::encodeName(path).constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
    sql::Database db(raw);
    sql::Statement s(raw, "PRAGMA user_version;");
    return s && s.step() == SQLITE_ROW ? s.text(0).toUtf8() : QByteArray();
}
} // namespace

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

        // A damaged page past the first is found at opening.
        store.setValue(u"k"_qs, QByteArray(9000, 'k'));
        store = UserStore();
        damagePage(path, 1);
        UserStore fresh;
        QCOMPARE(fresh.open(path), UserStore::Opened::MovedAside);
        QVERIFY(QFile::exists(fresh.movedAsideTo()));
        QVERIFY(fresh.chosen().empty());
        QVERIFY(fresh.addChosen(u"الفاتحة : 1"_qs, u"1"_qs));

        // Damaged again at once: kept beside the first, under a name of its own.
        fresh.setValue(u"k"_qs, QByteArray(9000, 'k'));
        const QString first = fresh.movedAsideTo();
        fresh = UserStore();
        damagePage(path, 1);
        UserStore third;
        QCOMPARE(third.open(path), UserStore::Opened::MovedAside);
        QVERIFY(third.movedAsideTo() != first && QFile::exists(third.movedAsideTo()) && QFile::exists(first));
    }

    // Damage met after a good opening: moved aside once, the work done again
    // on a fresh file, the chosen list as shown kept in it.
    void damageMetLater()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"user.db"_qs);
        UserStore store;
        QCOMPARE(store.open(path), UserStore::Opened::Fresh);
        ReadingState state(dir.path());
        state.setUserStore(&store);
        state.addChosen(u"البقرة : 255"_qs, u"262"_qs, u"x"_qs);
        const QDate today = QDate::currentDate();
        QVERIFY(state.khatma().start({KhatmaSchedule::By::Days, 30, 10, today}, today).isEmpty());
        QSignalSpy told(&state, &ReadingState::userDataMovedAside);
        {
            // Another writer grows the file so that the store reads it anew.
            sqlite3 *raw = nullptr;
            QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &raw), SQLITE_OK);
            sql::Database other(raw);
            QVERIFY(other.exec("INSERT INTO settings VALUES ('filler', zeroblob(40000));"
                               "PRAGMA wal_checkpoint(TRUNCATE);"));
        }
        for (int page = 1; page < 8; ++page)
            damagePage(path, page);
        QVERIFY(store.value(u"filler"_qs).isEmpty());
        QCOMPARE(told.size(), 1);
        QVERIFY(QFile::exists(store.movedAsideTo()));
        // What is shown was kept: no word of an empty list.
        const QString message = userDataDamagedWhileRunning(told.first().first().toString());
        QVERIFY(message.contains(store.movedAsideTo()) && !message.contains(u"فارغة"_qs));
        QVERIFY(store.addHistory(u"الحمد"_qs));
        QCOMPARE(told.size(), 1);
        UserStore again;
        QCOMPARE(again.open(path), UserStore::Opened::Existing);
        QCOMPARE(int(again.chosen().size()), 1);
        QCOMPARE(again.history(), QStringList{u"الحمد"_qs});
        KhatmaTracker plan;
        plan.load(&again);
        QVERIFY(plan.active());
        QCOMPARE(plan.schedule()->startPage, 10);
    }

    // A header SQLite reads as no file of its own (schema format 9, every bit
    // flipped) is damage: moved aside once, a fresh file made. A file of this
    // version that lost its notes or lists is given them again, all else kept.
    void damagedHeaderAndLostTables()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"user.db"_qs);
        const auto spoil = [&](const std::function<void(QByteArray &)> &how) {
            {
                UserStore store;
                QVERIFY(store.open(path) != UserStore::Opened::Unavailable);
                QVERIFY(store.addChosen(u"الفاتحة : 1"_qs, u"1"_qs));
            }
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QByteArray bytes = file.readAll();
            how(bytes);
            QVERIFY(file.seek(0));
            QCOMPARE(file.write(bytes), qint64(bytes.size()));
        };
        for (const auto &how : std::vector<std::function<void(QByteArray &)>>{
                 [](QByteArray &b) { b[47] = 9; },
                 [](QByteArray &b) {
                     for (char &c : b)
                         c = char(~c);
                 }}) {
            spoil(how);
            UserStore store;
            QCOMPARE(store.open(path), UserStore::Opened::MovedAside);
            QVERIFY(QFileInfo(store.movedAsideTo()).isFile());
            QVERIFY(store.chosen().empty());
            QVERIFY(store.addChosen(u"الناس : 1"_qs, u"6231"_qs));
            store = UserStore();
            QCOMPARE(store.open(path), UserStore::Opened::Existing);
            QCOMPARE(int(store.chosen().size()), 1);
            store = UserStore();
            QFile::remove(path);
        }
        const auto setAside = [&] { return QDir(dir.path()).entryList({u"user.db.damaged-*"_qs}).filter(QRegularExpression(u"\\d$"_qs)).size(); };
        QCOMPARE(setAside(), 2);

        {
            UserStore store;
            QCOMPARE(store.open(path), UserStore::Opened::Fresh);
            QVERIFY(store.addChosen(u"البقرة : 255"_qs, u"262"_qs) && store.addHistory(u"الكرسي"_qs));
            QVERIFY(store.connection().exec("DROP TABLE notes; DROP TABLE lists;"));
        }
        UserStore store;
        QCOMPARE(store.open(path), UserStore::Opened::Existing);
        QCOMPARE(int(store.chosen().size()), 1);
        QCOMPARE(store.history(), QStringList{u"الكرسي"_qs});
        NotesStore notes(store);
        QVERIFY(notes.createList(u"درس"_qs) != 0);
        Note n;
        n.range = {1, 1, 1};
        n.text = u"x"_qs;
        QVERIFY(notes.save(n));
        QCOMPARE(setAside(), 2);
    }

    // An earlier version's file whose copy cannot be made (a folder in the
    // copy's place, a path too long for it) is not moved on: it is read as
    // it stands and the reader is told why.
    void earlierFileWithoutACopy()
    {
        QTemporaryDir dir;
        QString folder = dir.path();
        while (folder.size() < 502 - 8)
            folder += u'/' + QString(std::min<qsizetype>(100, 502 - 8 - folder.size() - 1), u'd');
        QVERIFY(QDir().mkpath(folder));
        const QString longPath = folder + u"/user.db"_qs;
        QCOMPARE(longPath.size(), 502);
        const QString folderInTheWay = dir.filePath(u"user.db"_qs);
        QVERIFY(QDir(dir.path()).mkdir(u"user.db.bak-1"_qs));
        for (const QString &path : {folderInTheWay, longPath}) {
            writeVersionOne(path);
            UserStore store;
            QCOMPARE(store.open(path), UserStore::Opened::NotBackedUp);
            QVERIFY(store.isReadOnly());
            QCOMPARE(int(store.chosen().size()), 1);
            QVERIFY(!store.addChosen(u"الناس : 1"_qs, u"6231"_qs));
            QVERIFY(userDataNotice(store, UserStore::Opened::NotBackedUp).contains(store.backupPath()));
            store = UserStore();
            QCOMPARE(versionOf(path), QByteArray("1"));
        }
    }

    // A newer program's file stays as it is; what can be read is shown.
    // Over-long history entries are no searches and are not offered.
    void newerFileIsLeftAlone()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"user.db"_qs);
        {
            UserStore store;
            store.open(path);
            store.addChosen(u"الفاتحة : 1"_qs, u"1"_qs);
            store.addHistory(u"رحمة"_qs);
            QVERIFY(!store.addHistory(QString(UserStore::kSearchTextLimit + 1, u'ر')));
        }
        {
            sqlite3 *raw = nullptr;
            sqlite3_open(QFile::encodeName(path).constData(), &raw);
            sql::Database db(raw);
            QVERIFY(db.exec("INSERT INTO history VALUES (replace(hex(zeroblob(500000)), '0', 'x'), 99);"
                            "PRAGMA user_version = 9;"));
        }
        UserStore store;
        QCOMPARE(store.open(path), UserStore::Opened::Newer);
        QCOMPARE(int(store.chosen().size()), 1);
        QCOMPARE(store.history(), QStringList{u"رحمة"_qs});
        QVERIFY(!store.addChosen(u"الناس : 1"_qs, u"6231"_qs));
        QVERIFY(!store.setValue(u"k"_qs, "v"));
        QVERIFY(QDir(dir.path()).entryList({u"*damaged*"_qs}).isEmpty());
    }

    // A folder the reader cannot write: the file is read as it stands.
    void readOnlyFolderShowsTheFile()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther));
        const QString path = dir.filePath(u"user.db"_qs);
        {
            UserStore store;
            store.open(path);
            store.addChosen(u"الإخلاص : 1"_qs, u"6222"_qs);
        }
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0555) == 0);
        const int result = asReader([&] {
            UserStore store;
            if (store.open(path) != UserStore::Opened::ReadOnly)
                return 1;
            return store.chosen().size() != 1 || store.addChosen(u"الناس : 1"_qs, u"6231"_qs) ? 2 : 0;
        });
        ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
        QCOMPARE(result, 0);
        QVERIFY(QDir(dir.path()).entryList({u"*damaged*"_qs}).isEmpty());
    }

    void windowPlaces_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("used");
        QTest::newRow("fits") << QByteArray("30,40,700,500") << true;
        QTest::newRow("second screen") << QByteArray("1300,100,500,400") << true;
        QTest::newRow("bigger than the screen") << QByteArray("2000,0,2800,1900") << false;
        QTest::newRow("huge") << QByteArray("0,0,65535,65535") << false;
        QTest::newRow("title bar above the screen") << QByteArray("30,-20,700,500") << false;
        QTest::newRow("across two screens") << QByteArray("1000,40,700,500") << false;
        QTest::newRow("overflowing numbers") << QByteArray("2147483647,0,700,500") << false;
        QTest::newRow("not plain numbers") << QByteArray("+30, 40,700,500") << false;
        QTest::newRow("too small") << QByteArray("30,40,20,500") << false;
        QTest::newRow("three numbers") << QByteArray("30,40,700") << false;
    }

    // Two screens side by side, 1280x1024 and 1024x768.
    void windowPlaces()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, used);
        const QList<QRect> screens{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1024, 768)};
        QCOMPARE(fittingPlace(stored, screens).has_value(), used);
        if (used)
            QCOMPARE(placeText(*fittingPlace(stored, screens)), stored);
        const QList<QRect> one{QRect(0, 0, 1280, 1024)};
        QCOMPARE(fittingSize("420,380", one).value_or(QSize()), QSize(420, 380));
        for (const char *bad : {"65535,65535", "420,-380", "420 ,380", "420"})
            QVERIFY(!fittingSize(bad, one));
    }

    void missingFileReadsNothing()
    {
        QTemporaryDir dir;
        const SettingsRead r = readSettings(dir.path());
        QVERIFY(!r.name && !r.size && !r.italic && !r.bold);
    }

    // A program folder the reader cannot write: the reader's copy is made and
    // read first from then on; the one beside the program is left as it was.
    void readOnlyProgramFolder()
    {
        QTemporaryDir app, user;
        FontRecord f;
        f.name = u"Amiri"_qs;
        QVERIFY(writeSettings(app.path(), f, user.filePath(u"sub"_qs)));
        QVERIFY(!QFile::exists(settingsPath(user.filePath(u"sub"_qs))));
        QVERIFY(::chmod(QFile::encodeName(user.path()).constData(), 0777) == 0);
        QVERIFY(::chmod(QFile::encodeName(app.path()).constData(), 0555) == 0);
        QCOMPARE(asReader([&] {
                     FontRecord mine;
                     mine.name = u"Noto Naskh Arabic"_qs;
                     return writeSettings(app.path(), mine, user.filePath(u"sub"_qs))
                             && readSettings(app.path(), user.filePath(u"sub"_qs)).name == mine.name
                             && readSettings(app.path(), user.path()).name == u"Amiri"_qs
                         ? 0
                         : 1;
                 }),
                 0);
        ::chmod(QFile::encodeName(app.path()).constData(), 0700);
        QVERIFY(!writeSettings(u"/nonexistent/folder"_qs, f, u"/dev/null/none"_qs));
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
    void placeTextsReadBack()
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
