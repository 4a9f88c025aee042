#include "guitest.h"
#include "recitationtest.h"

#include "data/connectionstring.h"
#include "data/userstore.h"
#include "recitation/downloader.h"
#include "recitation/offlinedownload.h"
#include "recitation/windows/offlinewindow.h"
#include "recitation/windows/playerbar.h"
#include "recitation/playerengine.h"
#include "recitation/recitation.h"
#include "recitation/windows/recitationcommands.h"
#include "recitation/playlist.h"
#include "recitation/reciter.h"
#include "recitation/windows/reciterwindow.h"

#include <QMessageBox>
#include <QPushButton>
#include <QListWidget>

#include <QAudioDecoder>
#include <QListView>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QLineEdit>
#include <QComboBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QScopeGuard>
#include <QTableWidget>
#include <QToolButton>

using namespace zarfan;

using namespace rectest;
// The recitation tests that go through the windows.
class RecitationWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { startRecitationTests(); }

    // A local reciter played through the menu's key: the text follows each
    // aya, repeats and basmala come in order, and a new search goes on playing.
    void followThroughTheEngine()
    {
        QTemporaryDir folder;
        for (const char *name : {"000000.mp3", "001007.mp3", "002001.mp3", "002002.mp3"}) {
            QFile f(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("ID3");
        }
        guitest::AppFolder app;
        MainWindow window(app.path());
        auto *commands = window.findChild<RecitationCommands *>();
        QVERIFY(commands);
        Recitation &recitation = commands->recitation();
        auto *engine = new FakeEngine;
        recitation.setEngine(engine);
        recitation.setReciters({{u"محلي"_qs, folder.path()}});
        recitation.setAyaRepeat(2);
        recitation.setRange(RangeKind::Chosen);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *search = guitest::child<QLineEdit>(&window, "searcht");
        auto *list = guitest::child<QListView>(&window, "suraayaalist");
        auto *text = guitest::child<QPlainTextEdit>(&window, "Text1");
        search->setText(u"1:7"_qs);
        QTest::keyClick(search, Qt::Key_Return);
        QTRY_COMPARE(window.listing().count(), 1);
        // The listing is 1:7 only; 2:1 and 2:2 come from the chosen list.
        window.state().chosenList().hideadd = QStringList{u"7"_qs, u"8"_qs, u"9"_qs};
        QTest::keyClick(list, Qt::Key_F5);
        QCOMPARE(engine->played, QStringList{u"001007.mp3"_qs});
        QCOMPARE(commands->playPause()->text(), u"إيقاف مؤقت"_qs);
        engine->end();
        QCOMPARE(engine->played.size(), 2);
        engine->end(); // the basmala of sura 2, then 2:1 shown though not listed
        QCOMPARE(engine->played.last(), u"000000.mp3"_qs);
        QTest::keyClick(list, Qt::Key_F7); // during the basmala: the aya it opens
        QCOMPARE(engine->played.last(), u"002001.mp3"_qs);
        QVERIFY(text->toPlainText().contains(u"[البقرة : 1]"_qs));
        QCOMPARE(window.listing().count(), 1);
        // A new search does not stop a range other than the listing.
        search->setText(u"2:1-2"_qs);
        QTest::keyClick(search, Qt::Key_Return);
        QTRY_COMPARE(window.listing().count(), 2);
        QCOMPARE(recitation.state(), Recitation::State::Playing);
        engine->end();
        engine->end();
        QCOMPARE(engine->played.last(), u"002002.mp3"_qs);
        QCOMPARE(list->currentIndex().row(), 1);
        QVERIFY(text->toPlainText().contains(u"[البقرة : 2]"_qs));
        engine->end();
        engine->end();
        QCOMPARE(recitation.state(), Recitation::State::Stopped);
        QCOMPARE(engine->played.size(), 7);
        QCOMPARE(commands->playPause()->text(), u"تشغيل"_qs);

        // The listing range, from the shown aya 2:1, stops when a search
        // replaces the listing.
        recitation.setRange(RangeKind::Listing);
        list->setCurrentIndex(window.listing().index(0));
        QTest::keyClick(list, Qt::Key_F5);
        QCOMPARE(recitation.state(), Recitation::State::Playing);
        QCOMPARE(engine->played.last(), u"000000.mp3"_qs);
        search->setText(u"1:1"_qs);
        QTest::keyClick(search, Qt::Key_Return);
        QTRY_COMPARE(window.listing().count(), 1);
        QCOMPARE(recitation.state(), Recitation::State::Stopped);

        // Without an audio output the reader is told once.
        guitest::MessageLog log;
        engine->output = false;
        QTest::keyClick(list, Qt::Key_F5);
        QTest::keyClick(list, Qt::Key_F5);
        QCOMPARE(log.lines().size(), 1);
        QCOMPARE(recitation.state(), Recitation::State::Stopped);
    }

    // The sources window refuses what cannot be used, naming it; the saved
    // files are deleted after the reader confirms their size.
    void sourcesAndSavedFiles()
    {
        guitest::AppFolder app;
        MainWindow window(app.path());
        auto *commands = window.findChild<RecitationCommands *>();
        QVERIFY(commands);
        commands->sources()->trigger();
        auto *sources = window.findChild<ReciterWindow *>();
        QVERIFY(sources);
        guitest::MessageLog log;
        sources->nameEdit()->setText(u"قارئ"_qs);
        QTest::keyClicks(sources->sourceEdit(), u"https://example.org/{sura}.mp3"_qs);
        QTest::mouseClick(guitest::child<QPushButton>(sources, "addReciter"), Qt::LeftButton);
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().contains(u"{aya}"_qs));
        QVERIFY(commands->recitation().reciters().isEmpty());
        QTemporaryDir folder;
        sources->sourceEdit()->setText(folder.path());
        QTest::mouseClick(guitest::child<QPushButton>(sources, "addReciter"), Qt::LeftButton);
        QCOMPARE(commands->recitation().reciters(), (QList<Reciter>{{u"قارئ"_qs, folder.path()}}));
        QCOMPARE(sources->list()->count(), 1);

        QDir().mkpath(recitationCacheRoot() + u"/x"_qs);
        QFile f(recitationCacheRoot() + u"/x/001001.mp3"_qs);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(3000, 'x'));
        f.close();
        QString asked;
        guitest::whenModal([&](QWidget *box) {
            asked = static_cast<QMessageBox *>(box)->text();
            QTest::keyClick(box, Qt::Key_Escape);
        });
        commands->clearCache()->trigger();
        QVERIFY2(asked.contains(sizeText(3000)), qPrintable(asked));
        QVERIFY(f.exists());
        guitest::whenModal([](QWidget *box) {
            QTest::mouseClick(static_cast<QMessageBox *>(box)->button(QMessageBox::Yes), Qt::LeftButton);
        });
        commands->clearCache()->trigger();
        QVERIFY(!f.exists());
    }

    // The well-known reciters come from the program's data file, each folder
    // agreed on by two listings; a new reader's player bar leads to them, and
    // editing the chosen reciter keeps it chosen.
    void readyReciters()
    {
        UserFolder user;
        guitest::AppFolder app;
        MainWindow window(app.path());
        auto *commands = window.findChild<RecitationCommands *>();
        QVERIFY(commands);
        QFile data(u":/reciters.json"_qs);
        QVERIFY(data.open(QIODevice::ReadOnly));
        const QJsonArray entries = QJsonDocument::fromJson(data.readAll()).object().value(u"reciters"_qs).toArray();
        const QList<Reciter> known = knownReciters();
        QVERIFY(known.size() >= 10);
        QCOMPARE(known.size(), entries.size());
        int teaching = -1;
        for (int k = 0; k < entries.size(); ++k) {
            const QJsonArray listings = entries.at(k).toObject().value(u"listings"_qs).toArray();
            QVERIFY2(listings.size() >= 2 && listings.at(0) != listings.at(1), qPrintable(known.at(k).name));
            // Each an address: a page, or a repository and the path of a file in it.
            static const QRegularExpression address(u"^(https://\\S+|[\\w.-]+/[\\w.-]+: \\S+)$"_qs);
            for (const QJsonValue &listing : listings)
                QVERIFY2(address.match(listing.toString()).hasMatch(), qPrintable(listing.toString()));
            QVERIFY(known.at(k).source.startsWith(u"https://everyayah.com/data/"_qs));
            QVERIFY(known.at(k).isRemote());
            if (known.at(k).name.contains(u"المعلم"_qs))
                teaching = k;
        }
        QVERIFY(teaching >= 0);

        PlayerBar bar(*commands);
        bar.show();
        QVERIFY(bar.noReciterLine()->isVisible());
        QVERIFY(!bar.reciterBox()->isVisible());
        const auto pick = [](int row) {
            guitest::whenModal([row](QWidget *dialog) {
                auto *list = guitest::child<QListWidget>(dialog, "knownReciterList");
                QVERIFY(list);
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
                QTest::keyClick(list, Qt::Key_Return);
            });
        };
        pick(teaching);
        QTest::mouseClick(guitest::child<QToolButton>(&bar, "chooseReciter"), Qt::LeftButton);
        Recitation &r = commands->recitation();
        QCOMPARE(r.reciters(), QList<Reciter>{known.at(teaching)});
        QCOMPARE(r.reciterIndex(), 0);
        QVERIFY(!bar.noReciterLine()->isVisible());
        QVERIFY(bar.reciterBox()->isVisible());
        QCOMPARE(bar.reciterBox()->currentText(), known.at(teaching).name);

        // A second from the list becomes the chosen one; renaming it keeps it so.
        auto *sources = window.findChild<ReciterWindow *>();
        QVERIFY(sources);
        const int other = teaching == 0 ? 1 : 0;
        pick(other);
        QTest::mouseClick(guitest::child<QPushButton>(sources, "addFromList"), Qt::LeftButton);
        QCOMPARE(r.reciters().size(), 2);
        QCOMPARE(r.reciterIndex(), 1);
        QCOMPARE(sources->list()->currentRow(), 1);
        sources->nameEdit()->setText(u"قارئي"_qs);
        QTest::mouseClick(guitest::child<QPushButton>(sources, "saveReciter"), Qt::LeftButton);
        QCOMPARE(r.reciters().at(1).name, u"قارئي"_qs);
        QCOMPARE(r.reciterIndex(), 1);
        QCOMPARE(bar.reciterBox()->currentText(), u"قارئي"_qs);
    }

    // One stored reciter that is not UTF-8 is dropped alone, and told once;
    // the chosen one stays chosen.
    void unreadableStoredReciter()
    {
        UserFolder user;
        guitest::AppFolder app;
        const QString path = user.dir.filePath(u"user.db"_qs);
        {
            UserStore store;
            store.open(path);
            store.setValue(u"recitation.reciters"_qs,
                           QByteArray("[{\"name\":\"") + "\xff\xfe"
                               + "\",\"source\":\"/x\"},{\"name\":\"أ\",\"source\":\"https://a.org/{sura}{aya}.mp3\"},"
                                 "{\"name\":\"ب\",\"source\":\"https://b.org/{sura}{aya}.mp3\"}]");
            store.setValue(u"recitation.reciter"_qs, "1");
        }
        guitest::MessageLog log;
        for (int start = 0; start < 2; ++start) {
            guitest::StoredState stored(app.path(), path);
            MainWindow window(stored.state);
            Recitation &r = window.findChild<RecitationCommands *>()->recitation();
            QCOMPARE(r.reciters().size(), 2);
            QCOMPARE(r.reciters().at(1).name, u"ب"_qs);
            QCOMPARE(r.reciterIndex(), 0);
            QTest::qWait(20);
        }
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().contains(u"تعذرت قراءة 1 من مصادر التلاوة"_qs));
    }

    // Deleting the saved recitations counts and deletes only the program's
    // own files in the real cache, never anything reached through a link.
    void savedFilesNeverThroughLinks()
    {
        UserFolder user;
        guitest::AppFolder app;
        MainWindow window(app.path());
        auto *commands = window.findChild<RecitationCommands *>();
        QTemporaryDir reader;
        const QStringList readerFiles{u"notes.txt"_qs, u"002002.mp3"_qs, u"sub/001001.mp3"_qs};
        for (const QString &f : readerFiles)
            writeFile(reader.filePath(f), QByteArray(5000, 'r'));
        const QString root = recitationCacheRoot();
        QVERIFY(clearRecitationCache());
        QDir(root).removeRecursively();
        QDir().mkpath(QFileInfo(root).absolutePath());
        const auto unlinkRoot = qScopeGuard([root] { QFile::remove(root); });

        // The cache folder itself a link to the reader's folder.
        QVERIFY(QFile::link(reader.path(), root));
        guitest::MessageLog log;
        QCOMPARE(recitationCacheSize(), 0);
        commands->clearCache()->trigger();
        QCOMPARE(log.lines().size(), 1);
        QVERIFY(log.lines().first().contains(u"لا توجد تلاوات محفوظة"_qs));
        QVERIFY(QFile::remove(root));

        // A real cache holding links to the reader's files and folders.
        writeFile(root + u"/a/001001.mp3"_qs, QByteArray(100, 'x'));
        writeFile(root + u"/a/other.txt"_qs, QByteArray(7, 'o'));
        QVERIFY(QFile::link(reader.filePath(u"002002.mp3"_qs), root + u"/a/001002.mp3"_qs));
        QVERIFY(QFile::link(reader.filePath(u"sub"_qs), root + u"/b"_qs));
        QCOMPARE(recitationCacheSize(), 100);
        QString asked;
        guitest::whenModal([&](QWidget *box) {
            asked = static_cast<QMessageBox *>(box)->text();
            QTest::mouseClick(static_cast<QMessageBox *>(box)->button(QMessageBox::Yes), Qt::LeftButton);
        });
        commands->clearCache()->trigger();
        QVERIFY2(asked.contains(sizeText(100)), qPrintable(asked));
        QVERIFY(!QFileInfo::exists(root + u"/a/001001.mp3"_qs));
        QVERIFY(QFileInfo::exists(root + u"/a/other.txt"_qs));
        for (const QString &f : readerFiles) {
            QFile kept(reader.filePath(f));
            QVERIFY2(kept.open(QIODevice::ReadOnly) && kept.readAll() == QByteArray(5000, 'r'), qPrintable(f));
        }
        QFile::remove(root + u"/b"_qs);
        QFile::remove(root + u"/a/001002.mp3"_qs);
        QDir(root).removeRecursively();
    }

    // "تنزيل للاستماع دون اتصال" through its window: progress in the window
    // and the status bar, cancel, resume without fetching a file twice, one
    // message when the server is dead or the disk refuses; "التلاوات المحفوظة"
    // lists it per reciter and deletes it.
    void offlineListening()
    {
        UserFolder user;
        guitest::AppFolder app;
        Server server;
        MainWindow window(app.path());
        auto *commands = window.findChild<RecitationCommands *>();
        Recitation &r = commands->recitation();
        auto *status = window.findChild<QLabel *>(u"recitationDownloadState"_qs);
        QVERIFY(status);
        window.show();
        guitest::MessageLog log;
        QVERIFY(clearRecitationCache());

        // A server that does not answer: running, shown, then cancelled.
        r.setReciters({{u"بطيء"_qs, server.url(u"silent/{sura}{aya}.mp3"_qs)}});
        commands->offline()->trigger();
        auto *w = window.findChild<OfflineWindow *>();
        QVERIFY(w);
        w->scopeBox()->setCurrentIndex(0);
        w->numberBox()->setCurrentIndex(0); // الفاتحة, 7 ayas
        QTest::mouseClick(w->startButton(), Qt::LeftButton);
        QVERIFY(commands->offlineDownload().isRunning());
        QVERIFY(status->isVisible());
        QVERIFY2(status->text().contains(u"0 من 7"_qs), qPrintable(status->text()));
        QTest::mouseClick(w->cancelButton(), Qt::LeftButton);
        QVERIFY(!commands->offlineDownload().isRunning());
        QVERIFY(!status->isVisible());
        QVERIFY(w->stateLabel()->text().contains(u"ألغي"_qs));

        // A file already cached is not fetched again; a second run fetches only what is missing.
        const Reciter good{u"قريب"_qs, server.url(u"good/{sura}{aya}.mp3"_qs)};
        r.setReciters({good});
        const QString folder = reciterCacheFolder(good);
        writeFile(QDir(folder).filePath(u"001003.mp3"_qs), server.mp3);
        server.requests.clear();
        QTest::mouseClick(w->startButton(), Qt::LeftButton);
        QTRY_VERIFY(!commands->offlineDownload().isRunning());
        QCOMPARE(filesIn(folder).size(), 7);
        // Requests of the cancelled run may still reach the server late; count this reciter's.
        const auto fetchedGood = [&] {
            QList<QByteArray> seen;
            for (const QByteArray &path : std::as_const(server.requests))
                if (path.startsWith("/good/"))
                    seen << path;
            std::sort(seen.begin(), seen.end());
            return seen;
        };
        QCOMPARE(fetchedGood().size(), 6);
        QVERIFY(!fetchedGood().contains("/good/001003.mp3"));
        QVERIFY(w->stateLabel()->text().contains(u"اكتمل"_qs));
        QVERIFY(w->stateLabel()->text().contains(u"7 من 7"_qs));
        QFile::remove(QDir(folder).filePath(u"001005.mp3"_qs));
        QFile::remove(QDir(folder).filePath(u"001007.mp3"_qs));
        server.requests.clear();
        QTest::mouseClick(w->startButton(), Qt::LeftButton);
        QTRY_VERIFY(!commands->offlineDownload().isRunning());
        QCOMPARE(fetchedGood(), (QList<QByteArray>{"/good/001005.mp3", "/good/001007.mp3"}));
        QCOMPARE(log.lines().size(), 0);

        // A dead server, and a cache that cannot be written: one message each, the rest kept.
        const Reciter dead{u"غائب"_qs, QStringLiteral("http://127.0.0.1:%1/{sura}{aya}.mp3").arg(deadPort())};
        const Reciter unwritable{u"ممتلئ"_qs, server.url(u"good/x/{sura}{aya}.mp3"_qs)};
        writeFile(reciterCacheFolder(unwritable), "a file where the folder goes");
        for (const Reciter &failing : {dead, unwritable}) {
            r.setReciters({good, failing});
            r.setReciterIndex(1);
            const auto stops = [&log] { return log.lines().filter(u"توقف التنزيل"_qs); };
            const qsizetype before = stops().size();
            w->scopeBox()->setCurrentIndex(1); // a juz
            QTest::mouseClick(w->startButton(), Qt::LeftButton);
            QTRY_VERIFY(!commands->offlineDownload().isRunning());
            QTest::qWait(50);
            QCOMPARE(stops().size(), before + 1);
            QVERIFY2(arabicFirst(stops().last().section(u'|', 1)), qPrintable(stops().last()));
            QCOMPARE(filesIn(folder).size(), 7);
        }
        QFile::remove(reciterCacheFolder(unwritable));

        // The saved recitations, per reciter: sura 1 whole; deleting it.
        commands->saved()->trigger();
        auto *saved = window.findChild<SavedRecitationsWindow *>();
        QVERIFY(saved);
        QCOMPARE(saved->table()->rowCount(), 1);
        QCOMPARE(saved->table()->item(0, 0)->text(), good.name);
        QCOMPARE(saved->table()->item(0, 1)->text(), u"1 من 114"_qs);
        QCOMPARE(saved->table()->item(0, 2)->text(), sizeText(7 * server.mp3.size()));
        guitest::whenModal([](QWidget *box) {
            QTest::mouseClick(static_cast<QMessageBox *>(box)->button(QMessageBox::Yes), Qt::LeftButton);
        });
        auto *remove = guitest::child<QPushButton>(saved, "deleteSavedReciter");
        QTest::mouseClick(remove, Qt::LeftButton);
        QCOMPARE(saved->table()->rowCount(), 0);
        QVERIFY(!QFileInfo::exists(folder));
    }
};

QTEST_MAIN(RecitationWindowsTest)
#include "test_recitationwindows.moc"
