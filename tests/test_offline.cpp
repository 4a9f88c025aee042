// Listening without a network, as a reader keeps it: "تنزيل للاستماع دون
// اتصال" and "التلاوات المحفوظة" through their windows, against a server on
// 127.0.0.1 that loses files or sends noise, and a disk that fills up.
#include "guitest.h"
#include "recitationtest.h"

#include "recitation/audiofile.h"
#include "recitation/downloader.h"
#include "recitation/offlinedownload.h"
#include "recitation/windows/offlinewindow.h"
#include "recitation/recitation.h"
#include "recitation/windows/recitationcommands.h"
#include "recitation/reciter.h"
#include "recitation/windows/reciterwindow.h"

#include <QMessageBox>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTableWidget>
#include <csignal>
#include <sys/resource.h>

using namespace zarfan;
using namespace rectest;

namespace {

// The main window with a recording engine and one reciter of the server.
struct Listening {
    UserFolder user;
    guitest::AppFolder app;
    MainWindow window{app.path()};
    RecitationCommands *commands = window.findChild<RecitationCommands *>();
    Recitation &recitation = commands->recitation();
    FakeEngine *engine = new FakeEngine;
    OfflineWindow *offline = nullptr;

    explicit Listening(const Reciter &reciter)
    {
        recitation.setEngine(engine);
        recitation.setReciters({reciter});
        window.show();
        commands->offline()->trigger();
        offline = window.findChild<OfflineWindow *>();
    }
    // Downloads a sura through the window and waits for the end.
    void download(int sura)
    {
        offline->scopeBox()->setCurrentIndex(int(OfflineScope::Sura));
        offline->numberBox()->setCurrentIndex(sura - 1);
        QTest::mouseClick(offline->startButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!commands->offlineDownload().isRunning(), 20000);
    }
    QString state() const { return offline->stateLabel()->text(); }
    // "التلاوات المحفوظة": each row as "whole suras|size".
    QStringList saved()
    {
        commands->saved()->trigger();
        auto *w = window.findChild<SavedRecitationsWindow *>();
        w->fill();
        QStringList rows;
        for (int row = 0; row < w->table()->rowCount(); ++row)
            rows.append(w->table()->item(row, 1)->text() + u'|' + w->table()->item(row, 2)->text());
        return rows;
    }
};

QStringList sura112() { return {u"001001.mp3"_qs, u"112001.mp3"_qs, u"112002.mp3"_qs, u"112003.mp3"_qs, u"112004.mp3"_qs}; }

} // namespace

class TestOffline : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        initResources();
        clearRecitationCache();
    }
    void cleanup() { clearRecitationCache(); }

    // A sura comes with its basmala (aya 1:1, which the listed reciters'
    // servers give in place of a file of its own); the end says "اكتمل",
    // also when all was there already; sizes are in Arabic units; with the
    // server gone the sura is heard from the cache, the basmala first.
    void basmalaKeptWithItsSura()
    {
        auto server = std::make_unique<Server>();
        const Reciter good{u"قريب"_qs, server->url(u"good/{sura}{aya}.mp3"_qs)};
        Listening l(good);
        guitest::MessageLog log;
        l.download(112);
        QCOMPARE(filesIn(reciterCacheFolder(good)), sura112());
        QVERIFY2(l.state().contains(u"اكتمل"_qs) && l.state().contains(u"5 من 5"_qs), qPrintable(l.state()));
        QVERIFY2(l.state().contains(u"ك.ب"_qs), qPrintable(l.state()));
        server->requests.clear();
        l.download(112);
        QVERIFY(server->requests.isEmpty());
        QVERIFY2(l.state().contains(u"اكتمل"_qs), qPrintable(l.state()));
        const QString kilobytes = QLocale().toString(5 * server->mp3.size() / 1024.0, 'f', 1);
        QCOMPARE(l.saved(), QStringList{u"1 من 114|"_qs + kilobytes + u" ك.ب"_qs});

        server.reset(); // the network is gone
        l.offline->close();
        l.window.findChild<SavedRecitationsWindow *>()->close();
        l.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&l.window));
        auto *search = guitest::child<QLineEdit>(&l.window, "searcht");
        search->setText(u"112:1"_qs);
        QTest::keyClick(search, Qt::Key_Return);
        QTRY_COMPARE(l.window.listing().count(), 1);
        auto *list = guitest::child<QListView>(&l.window, "suraayaalist");
        list->setCurrentIndex(l.window.listing().index(0));
        QTest::keyClick(list, Qt::Key_F5);
        QCOMPARE(l.engine->played, QStringList{u"001001.mp3"_qs});
        l.engine->end();
        QCOMPARE(l.engine->played, (QStringList{u"001001.mp3"_qs, u"112001.mp3"_qs}));
        QVERIFY2(log.lines().isEmpty(), qPrintable(log.lines().join(u'\n')));
    }

    // A file missing on the server is skipped and told once; the rest comes,
    // and the next run asks only for what is still missing.
    void missingFileSkipped()
    {
        Server server;
        const Reciter good{u"قريب"_qs, server.url(u"good/{sura}{aya}.mp3"_qs)};
        Listening l(good);
        guitest::MessageLog log;
        server.gone.insert("/good/112002.mp3");
        l.download(112);
        QCOMPARE(filesIn(reciterCacheFolder(good)).size(), 4);
        QVERIFY2(log.messages() == 1, qPrintable(log.lines().join(u"\n"_qs)));
        QVERIFY2(log.lines().join(u"\n"_qs).contains(u"الإخلاص : 2"_qs), qPrintable(log.lines().first()));
        QVERIFY2(!l.state().contains(u"اكتمل"_qs), qPrintable(l.state()));
        server.gone.clear();
        server.requests.clear();
        l.download(112);
        QCOMPARE(server.requests, QList<QByteArray>{"/good/112002.mp3"});
        QVERIFY2(l.state().contains(u"اكتمل"_qs), qPrintable(l.state()));
        QVERIFY2(log.messages() == 1, qPrintable(log.lines().join(u"\n"_qs)));
    }

    // A disk that fills up: no file that is not whole is kept or counted,
    // the reader is told, and once there is room the same click fetches
    // what is missing.
    void fullDisk()
    {
        Server server;
        const Reciter good{u"قريب"_qs, server.url(u"good/{sura}{aya}.mp3"_qs)};
        Listening l(good);
        guitest::MessageLog log;
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit before{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &before), 0);
        rlimit full = before;
        full.rlim_cur = 1000; // every file written stops short here
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &full), 0);
        auto restore = qScopeGuard([&before] { setrlimit(RLIMIT_FSIZE, &before); });
        l.download(112);
        restore.dismiss();
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &before), 0);
        QVERIFY2(!l.state().contains(u"اكتمل"_qs), qPrintable(l.state()));
        QVERIFY2(log.messages() == 1, qPrintable(log.lines().join(u"\n"_qs)));
        QVERIFY2(log.lines().join(u'\n').contains(u"القرص"_qs), qPrintable(log.lines().join(u'\n')));
        QCOMPARE(filesIn(reciterCacheFolder(good)), QStringList());
        QCOMPARE(l.saved(), QStringList());

        l.download(112);
        QVERIFY2(l.state().contains(u"اكتمل"_qs), qPrintable(l.state()));
        QCOMPARE(filesIn(reciterCacheFolder(good)), sura112());
        for (const QString &f : sura112())
            QVERIFY(isWholeMp3File(QDir(reciterCacheFolder(good)).filePath(f)));
    }

    // Bytes that only begin like an MP3 are not kept; a cached file that is
    // not whole is not counted and is fetched again.
    void onlyWholeFilesCount()
    {
        Server server;
        QTemporaryDir cache;
        RecitationDownloader down;
        QSignalSpy bad(&down, &RecitationDownloader::failed);
        down.fetch(QUrl(server.url(u"garbled/x"_qs)), cache.filePath(u"001001.mp3"_qs));
        QVERIFY(bad.wait(20000));
        QVERIFY2(arabicFirst(bad.last().at(1).toString()), qPrintable(bad.last().at(1).toString()));
        QVERIFY(filesIn(cache.path()).isEmpty());

        const Reciter good{u"قريب"_qs, server.url(u"good/{sura}{aya}.mp3"_qs)};
        Listening l(good);
        l.download(112);
        const QDir folder(reciterCacheFolder(good));
        writeFile(folder.filePath(u"112003.mp3"_qs), server.mp3.left(10) + QByteArray(3000, '\x55'));
        writeFile(folder.filePath(u"112004.mp3"_qs), server.mp3.left(1000));
        QCOMPARE(l.saved().value(0).section(u'|', 0, 0), u"0 من 114"_qs);
        server.requests.clear();
        l.download(112);
        std::sort(server.requests.begin(), server.requests.end());
        QCOMPARE(server.requests, (QList<QByteArray>{"/good/112003.mp3", "/good/112004.mp3"}));
        QCOMPARE(l.saved().value(0).section(u'|', 0, 0), u"1 من 114"_qs);
    }

    // The program's cache folder a link elsewhere: nothing is downloaded
    // through it, listed in it or deleted from it, and the reader is told.
    void linkedCacheRefused()
    {
        Server server;
        const Reciter good{u"قريب"_qs, server.url(u"good/{sura}{aya}.mp3"_qs)};
        Listening l(good);
        QTemporaryDir elsewhere;
        const QString readers = elsewhere.filePath(u"recitations/0123456789abcdef/001001.mp3"_qs);
        writeFile(readers, server.mp3);
        const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
        QDir(cache).removeRecursively();
        QDir().mkpath(QFileInfo(cache).absolutePath());
        QVERIFY(QFile::link(elsewhere.path(), cache));
        auto unlink = qScopeGuard([cache] { QFile::remove(cache); });
        guitest::MessageLog log;
        l.download(112);
        QVERIFY(server.requests.isEmpty());
        QVERIFY2(log.messages() == 1, qPrintable(log.lines().join(u"\n"_qs)));
        QVERIFY2(log.lines().first().contains(u"رابط"_qs), qPrintable(log.lines().first()));
        QCOMPARE(l.saved(), QStringList());
        QVERIFY(!clearRecitationCache() || QFileInfo::exists(readers));
        QVERIFY(QFileInfo::exists(readers));
        QCOMPARE(filesIn(QFileInfo(readers).absolutePath()), QStringList{u"001001.mp3"_qs});
    }

    // Placeholders after '#' never reach the server: every aya would fetch
    // the same file. The sources window refuses such an address.
    void placeholdersOnlyInPathOrQuery()
    {
        UserFolder user;
        guitest::AppFolder app;
        MainWindow window(app.path());
        auto *commands = window.findChild<RecitationCommands *>();
        commands->sources()->trigger();
        auto *sources = window.findChild<ReciterWindow *>();
        guitest::MessageLog log;
        for (const QString &address : {u"https://a.org/data/{sura}.mp3#{aya}"_qs, u"https://a.org/data/#{sura}{aya}.mp3"_qs,
                                       u"https://a.org/x.mp3?s={sura}#{aya}"_qs}) {
            sources->nameEdit()->setText(u"مجرب"_qs);
            sources->sourceEdit()->setText(address);
            QTest::mouseClick(guitest::child<QPushButton>(sources, "addReciter"), Qt::LeftButton);
            QVERIFY2(commands->recitation().reciters().isEmpty(), qPrintable(address));
        }
        QVERIFY2(log.messages() == 3, qPrintable(log.lines().join(u"\n"_qs)));
        QVERIFY2(log.lines().first().contains(u"#"_qs), qPrintable(log.lines().first()));
        sources->sourceEdit()->setText(u"https://a.org/data/{sura}.mp3?aya={aya}"_qs);
        QTest::mouseClick(guitest::child<QPushButton>(sources, "addReciter"), Qt::LeftButton);
        QCOMPARE(commands->recitation().reciters().size(), 1);
    }
};

QTEST_MAIN(TestOffline)
#include "test_offline.moc"
