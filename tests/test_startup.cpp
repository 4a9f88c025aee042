#include "data/sqlite.h"
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
    }

    // Help and version need no display; anything else given is refused.
    void commandLine()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"DISPLAY"_qs);
        env.remove(u"WAYLAND_DISPLAY"_qs);
        env.insert(u"QT_QPA_PLATFORM"_qs, u"xcb"_qs);
        const auto run = [&](const QStringList &arguments) {
            auto program = std::make_unique<QProcess>();
            program->setProcessEnvironment(env);
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
        env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
        auto unknown = run({u"--frobnicate"_qs});
        QCOMPARE(unknown->exitStatus(), QProcess::NormalExit);
        QCOMPARE(unknown->exitCode(), 2);
        QVERIFY(unknown->readAllStandardOutput().isEmpty());
        QVERIFY(QString::fromUtf8(unknown->readAllStandardError()).endsWith(usage));
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
            QVERIFY(db.exec("CREATE TABLE chosen (line TEXT PRIMARY KEY, id TEXT, pos INTEGER); PRAGMA user_version = 9;"));
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
