#include "data/sqlite.h"
#include "data/userstore.h"
#include "memorise/memoriseprogress.h"
#include "notes/notesstore.h"
#include "testutil.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <QProcess>
#include <QtTest>

namespace {
// Starts the real program with its user data in folder, lets it run a while
// and ends it; returns what it has told the reader so far.
QString runAWhile(const QString &folder, const QString &lock)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
    env.insert(u"ZARFAN_LOCK_FILE"_qs, lock);
    env.insert(u"ZARFAN_USER_DATA"_qs, folder);
    env.insert(u"ZARFAN_MESSAGE_LOG"_qs, folder + u"/messages.txt"_qs);
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(ZARFAN_TEST_BIN_DIR) + u"/zarfan"_qs);
    if (!program.waitForStarted() || program.waitForFinished(2500))
        return u"the program did not keep running"_qs;
    program.terminate();
    program.waitForFinished(10000);
    QFile log(folder + u"/messages.txt"_qs);
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}
} // namespace

// The real program, started twice: the second copy refuses and exits.
class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void secondCopyIsRefused()
    {
        QTemporaryDir dir;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
        env.insert(u"ZARFAN_LOCK_FILE"_qs, dir.filePath(u"lock"_qs));
        env.insert(u"ZARFAN_MESSAGE_LOG"_qs, dir.filePath(u"messages.txt"_qs));
        const QString program = QStringLiteral(ZARFAN_TEST_BIN_DIR) + u"/zarfan"_qs;

        QProcess first;
        first.setProcessEnvironment(env);
        first.start(program);
        QVERIFY(first.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dir.filePath(u"lock"_qs)), 10000);

        QProcess second;
        second.setProcessEnvironment(env);
        second.start(program);
        QVERIFY(second.waitForFinished(15000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QFile log(dir.filePath(u"messages.txt"_qs));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(log.readAll()), u"زرفان|لا يمكن تشغيل أكثر من نسخة من البرنامج\n"_qs);
        QCOMPARE(first.state(), QProcess::Running);

        first.terminate();
        QVERIFY(first.waitForFinished(10000));
        // With the first copy gone, a new one starts normally.
        QProcess third;
        third.setProcessEnvironment(env);
        third.start(program);
        QVERIFY(third.waitForStarted());
        QVERIFY(!third.waitForFinished(1500));
        third.kill();
        third.waitForFinished();
    }

    // A damaged file of the reader's data is moved aside; the reader is told
    // once and the program starts all the same.
    void damagedUserDataIsMovedAside()
    {
        QTemporaryDir dir;
        QFile damaged(dir.filePath(u"user.db"_qs));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArray(3000, 'z'));
        damaged.close();
        runAWhile(dir.path(), dir.filePath(u"lock"_qs));
        const QString messages = runAWhile(dir.path(), dir.filePath(u"lock"_qs));
        QCOMPARE(messages.count(u"تعذرت قراءة ملف بياناتك"_qs), 1);
        QCOMPARE(QDir(dir.path()).entryList({u"user.db.damaged-*"_qs}).size(), 1);

        // A header SQLite calls an unsupported format is damage as well.
        QFile::remove(dir.filePath(u"messages.txt"_qs));
        {
            // The program's last writes, still in its log, go into the file first.
            sqlite3 *raw = nullptr;
            QCOMPARE(sqlite3_open(QFile::encodeName(dir.filePath(u"user.db"_qs)).constData(), &raw), SQLITE_OK);
            zarfan::sql::Database db(raw);
            QVERIFY(db.exec("PRAGMA wal_checkpoint(TRUNCATE);"));
        }
        QFile header(dir.filePath(u"user.db"_qs));
        QVERIFY(header.open(QIODevice::ReadWrite) && header.seek(47) && header.write("\x09", 1) == 1);
        header.close();
        runAWhile(dir.path(), dir.filePath(u"lock"_qs));
        QCOMPARE(runAWhile(dir.path(), dir.filePath(u"lock"_qs)).count(u"تعذرت قراءة ملف بياناتك"_qs), 1);
        QCOMPARE(QDir(dir.path()).entryList({u"user.db.damaged-*"_qs}).filter(QRegularExpression(u"\\d$"_qs)).size(), 2);
    }

    // An earlier version's file that cannot be copied before it is moved on
    // is left as it was; the reader is told once each start.
    void earlierFileWithoutACopy()
    {
        QTemporaryDir dir;
        {
            sqlite3 *raw = nullptr;
            sqlite3_open(QFile::encodeName(dir.filePath(u"user.db"_qs)).constData(), &raw);
            zarfan::sql::Database db(raw);
            QVERIFY(db.exec("CREATE TABLE chosen (line TEXT PRIMARY KEY, id TEXT NOT NULL, pos INTEGER NOT NULL);"
                            "CREATE TABLE history (text TEXT PRIMARY KEY, used INTEGER NOT NULL);"
                            "CREATE TABLE settings (key TEXT PRIMARY KEY, value BLOB);"
                            "PRAGMA user_version = 1;"));
        }
        QVERIFY(QDir(dir.path()).mkdir(u"user.db.bak-1"_qs));
        const QString messages = runAWhile(dir.path(), dir.filePath(u"lock"_qs));
        QCOMPARE(messages.count(u"تعذر حفظ نسخة منه"_qs), 1);
        QCOMPARE(QDir(dir.path()).entryList({u"user.db.damaged-*"_qs}).size(), 0);
    }

    // A FIFO named like the store stops no start: it is refused as no file,
    // the reader is told once, and the program runs.
    void fifoNamedLikeTheStore()
    {
        QTemporaryDir dir;
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(u"user.db"_qs)).constData(), 0600), 0);
        const QString messages = runAWhile(dir.path(), dir.filePath(u"lock"_qs));
        QCOMPARE(messages.count(u"ليس ملفا عاديا"_qs), 1);
        QVERIFY(QFileInfo(dir.filePath(u"user.db"_qs)).exists());
    }

    // Tables whose columns this version does not know are set aside inside
    // the file and named in one message; the rest is kept and every part of
    // the store takes changes again.
    void tablesWithWrongColumns()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"user.db"_qs);
        {
            zarfan::UserStore store;
            store.open(path);
            QVERIFY(store.addHistory(u"صبر"_qs));
            QVERIFY(store.connection().exec("DROP TABLE chosen; CREATE TABLE chosen (line TEXT, aya TEXT);"
                                            "INSERT INTO chosen VALUES ('x', '1');"
                                            "DROP TABLE notes; CREATE TABLE notes (id INTEGER PRIMARY KEY, text TEXT);"
                                            "INSERT INTO notes (text) VALUES ('خاطرة');"
                                            "DROP TABLE memorised; CREATE TABLE memorised (page INTEGER PRIMARY KEY, held INTEGER);"));
        }
        const QString messages = runAWhile(dir.path(), dir.filePath(u"lock"_qs));
        QCOMPARE(messages.count(u"نُحّيت جانبا"_qs), 1);
        for (const QString &part : {u"الآيات المختارة"_qs, u"الخواطر"_qs, u"الحفظ والمراجعة"_qs, u"chosen_mismatched"_qs})
            QVERIFY2(messages.contains(part), qPrintable(messages));
        QVERIFY2(!messages.contains(u"سجل البحث"_qs), qPrintable(messages));
        QFile::remove(dir.filePath(u"messages.txt"_qs));
        QVERIFY(runAWhile(dir.path(), dir.filePath(u"lock"_qs)).isEmpty());

        zarfan::UserStore store;
        QCOMPARE(store.open(path), zarfan::UserStore::Opened::Existing);
        QCOMPARE(store.history(), QStringList{u"صبر"_qs});
        QVERIFY(store.addChosen(u"الفاتحة : 1"_qs, u"1"_qs));
        zarfan::MemoriseProgress pages(&store);
        QVERIFY(pages.setState({1}, zarfan::PageState::Held, QDate::currentDate()));
        zarfan::Note note;
        note.range = {1, 1, 1};
        note.text = u"جديدة"_qs;
        QVERIFY(zarfan::NotesStore(store).save(note));
        for (const char *table : {"chosen_mismatched", "notes_mismatched"}) {
            zarfan::sql::Statement count(store.connection().handle(), QByteArray("SELECT count(*) FROM ") + table + ';');
            QVERIFY(count && count.step() == SQLITE_ROW && count.text(0) == u"1");
        }
    }

    // Help, version and refusals need no display: run with none at all. A
    // usage that cannot be written is not an answer given.
    void commandLine()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const QString &name : {u"DISPLAY"_qs, u"WAYLAND_DISPLAY"_qs, u"QT_QPA_PLATFORM"_qs})
            env.remove(name);
        const auto run = [&](const QStringList &arguments, const QString &output = QString()) {
            auto program = std::make_unique<QProcess>();
            program->setProcessEnvironment(env);
            if (!output.isEmpty())
                program->setStandardOutputFile(output);
            program->start(QStringLiteral(ZARFAN_TEST_BIN_DIR) + u"/zarfan"_qs, arguments);
            program->waitForFinished(15000);
            return program;
        };
        auto help = run({u"--help"_qs});
        QCOMPARE(help->exitCode(), 0);
        const QString usage = QString::fromUtf8(help->readAllStandardOutput());
        for (const QString &part : {u"الاستعمال"_qs, u"Usage"_qs, u"--version"_qs, u"ZARFAN_USER_DATA"_qs, u"ZARFAN_LOCK_FILE"_qs,
                                    u"zarfan.zf"_qs, u"user.db"_qs})
            QVERIFY2(usage.contains(part), qPrintable(part));
        auto version = run({u"--version"_qs});
        QCOMPARE(version->exitCode(), 0);
        QVERIFY(QString::fromUtf8(version->readAllStandardOutput()).startsWith(u"زرفان 3.0\nZarfan 3.0"_qs));
        // In English for one run: the usage in English alone.
        auto english = run({u"--lang"_qs, u"en"_qs, u"--help"_qs});
        QCOMPARE(english->exitCode(), 0);
        const QString inEnglish = QString::fromUtf8(english->readAllStandardOutput());
        QVERIFY2(inEnglish.startsWith(u"Usage: zarfan"_qs) && inEnglish.contains(u"ZARFAN_USER_DATA"_qs), qPrintable(inEnglish));
        QVERIFY2(!inEnglish.contains(QRegularExpression(u"[\\x{0600}-\\x{06FF}]"_qs)), qPrintable(inEnglish));
        QCOMPARE(run({u"--lang"_qs, u"fr"_qs})->exitCode(), 2);
        // Qt's own options pass; the program's answer comes all the same.
        QCOMPARE(run({u"-platform"_qs, u"offscreen"_qs, u"--version"_qs})->exitCode(), 0);

        for (const QStringList &arguments : {QStringList{u"--frobnicate"_qs}, QStringList{u"--HELP"_qs}, QStringList{u"--help=1"_qs},
                                             QStringList{u"-v"_qs}, QStringList{u"--help"_qs, u"extra"_qs}, QStringList{u"-platform"_qs}}) {
            auto unknown = run(arguments);
            const QString what = arguments.join(u' ');
            QVERIFY2(unknown->exitStatus() == QProcess::NormalExit, qPrintable(what));
            QVERIFY2(unknown->exitCode() == 2, qPrintable(what + u' ' + QString::number(unknown->exitCode())));
            QVERIFY(unknown->readAllStandardOutput().isEmpty());
            const QString told = QString::fromUtf8(unknown->readAllStandardError());
            QVERIFY2(told.contains(u"خيار غير معروف: \""_qs + arguments.last() + u'"'), qPrintable(told.left(300)));
            QVERIFY(told.endsWith(usage));
        }

        auto full = run({u"--help"_qs}, u"/dev/full"_qs);
        QCOMPARE(full->exitStatus(), QProcess::NormalExit);
        QCOMPARE(full->exitCode(), 1);
        QVERIFY(QString::fromUtf8(full->readAllStandardError()).contains(u"تعذرت كتابة"_qs));
    }

    // A pipe or a folder at the lock path: reported once, and the program runs.
    // A newer program's store: left where it is, and the reader is told.
    void thingsThatAreNotWhatTheySeem()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(u"folder-lock"_qs));
        QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath(u"pipe-lock"_qs)).constData(), 0600), 0);
        {
            sqlite3 *raw = nullptr;
            sqlite3_open(QFile::encodeName(dir.filePath(u"user.db"_qs)).constData(), &raw);
            zarfan::sql::Database db(raw);
            // As a later program writes it: with a write-ahead log.
            QVERIFY(db.exec("PRAGMA journal_mode = WAL;"
                            "CREATE TABLE chosen (line TEXT PRIMARY KEY, id TEXT, pos INTEGER); PRAGMA user_version = 99;"));
        }
        for (const QString &lock : {u"pipe-lock"_qs, u"folder-lock"_qs}) {
            QFile::remove(dir.filePath(u"messages.txt"_qs));
            const QString messages = runAWhile(dir.path(), dir.filePath(lock));
            QCOMPARE(messages.count(u"ملف القفل"_qs), 1);
            QCOMPARE(messages.count(u"إصدار أحدث"_qs), 1);
        }
        QCOMPARE(QDir(dir.path()).entryList({u"user.db*"_qs}), QStringList{u"user.db"_qs});
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "test_startup.moc"
