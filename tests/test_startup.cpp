#include "testutil.h"

#include <QProcess>
#include <QtTest>

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
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"QT_QPA_PLATFORM"_qs, u"offscreen"_qs);
        env.insert(u"ZARFAN_LOCK_FILE"_qs, dir.filePath(u"lock"_qs));
        env.insert(u"ZARFAN_USER_DATA"_qs, dir.path());
        env.insert(u"ZARFAN_MESSAGE_LOG"_qs, dir.filePath(u"messages.txt"_qs));
        const auto runOnce = [&] {
            QProcess program;
            program.setProcessEnvironment(env);
            program.start(QStringLiteral(ZARFAN_TEST_BIN_DIR) + u"/zarfan"_qs);
            QVERIFY(program.waitForStarted());
            QVERIFY(!program.waitForFinished(2500));
            program.terminate();
            QVERIFY(program.waitForFinished(10000));
        };
        runOnce();
        runOnce();
        QFile log(dir.filePath(u"messages.txt"_qs));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString messages = QString::fromUtf8(log.readAll());
        QCOMPARE(messages.count(u"تعذرت قراءة ملف بياناتك"_qs), 1);
        QCOMPARE(QDir(dir.path()).entryList({u"user.db.damaged-*"_qs}).size(), 1);
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "test_startup.moc"
