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

class RecitationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        zarfan::initResources();
        clearRecitationCache();
    }

    void fileNamesAndLocations()
    {
        QCOMPARE(ayaFileName(1, 1), u"001001.mp3"_qs);
        QCOMPARE(ayaFileName(2, 255), u"002255.mp3"_qs);
        QCOMPARE(ayaFileName(18, 10), u"018010.mp3"_qs);
        QCOMPARE(ayaFileName(114, 6), u"114006.mp3"_qs);
        QCOMPARE(ayaFileName(9, 0), u"009000.mp3"_qs);
        QCOMPARE(ayaFileName(0, 0), u"000000.mp3"_qs);
        const Reciter remote{u"r"_qs, u"https://example.org/x/{sura}{aya}.mp3"_qs};
        QCOMPARE(ayaLocation(remote, 2, 7), u"https://example.org/x/002007.mp3"_qs);
        const Reciter local{u"r"_qs, u"/data/recit"_qs};
        QCOMPARE(ayaLocation(local, 36, 83), u"/data/recit/036083.mp3"_qs);
    }

    void sourceValidation()
    {
        QTemporaryDir dir;
        QVERIFY(reciterProblem({u"r"_qs, dir.path()}).isEmpty());
        QVERIFY(reciterProblem({u"r"_qs, u"http://example.org/{sura}/{aya}.mp3"_qs}).isEmpty());
        QVERIFY(reciterProblem({u"r"_qs, u"https://example.org/{sura}{aya}.mp3"_qs}).isEmpty());
        QVERIFY(reciterProblem({u"r"_qs, u"https://example.org/{sura}.mp3"_qs}).contains(u"{aya}"_qs));
        QVERIFY(reciterProblem({u"r"_qs, u"https://example.org/{aya}.mp3"_qs}).contains(u"{sura}"_qs));
        QVERIFY(reciterProblem({u"r"_qs, u"ftp://example.org/{sura}{aya}.mp3"_qs}).contains(u"ftp"_qs));
        QVERIFY(reciterProblem({u"r"_qs, u"file:///tmp/{sura}{aya}.mp3"_qs}).contains(u"file"_qs));
        QVERIFY(reciterProblem({u"r"_qs, dir.filePath(u"absent"_qs)}).contains(dir.filePath(u"absent"_qs)));
        QVERIFY(!reciterProblem({QString(), dir.path()}).isEmpty());
        // The list survives the store.
        const QList<Reciter> list{{u"أ"_qs, dir.path()}, {u"ب"_qs, u"https://e.org/{sura}{aya}.mp3"_qs}};
        QCOMPARE(recitersFromJson(recitersToJson(list)), list);
        QVERIFY(recitersFromJson("not json").isEmpty());
    }

    void rangeExpansion()
    {
        DataControl data;
        data.setConnectionString(buildConnectionString(testutil::realDbFolder()));
        const std::vector<testutil::SourceAya> source = testutil::readSource();
        const auto ids = [](const std::vector<AyaRef> &v) {
            QList<int> out;
            for (const AyaRef &a : v)
                out.append(a.id);
            return out;
        };
        const auto sourceIds = [&](const std::function<bool(const testutil::SourceAya &)> &keep) {
            QList<int> out;
            for (const auto &a : source)
                if (keep(a))
                    out.append(a.id);
            return out;
        };
        ResultListing listing;
        const int ayatAlKursi = 262; // 2:255
        const testutil::SourceAya &here = source.at(ayatAlKursi - 1);
        QCOMPARE(here.sura * 1000 + here.aya, 2255);
        const std::vector<AyaRef> toEnd = expandRange(RangeKind::ToSuraEnd, data, ayatAlKursi, listing, {});
        QCOMPARE(ids(toEnd), sourceIds([](const auto &a) { return a.sura == 2 && a.aya >= 255; }));
        QCOMPARE(toEnd.front(), (AyaRef{262, 2, 255}));
        QCOMPARE(ids(expandRange(RangeKind::Page, data, ayatAlKursi, listing, {})),
                 sourceIds([&](const auto &a) { return a.page == here.page; }));
        QCOMPARE(ids(expandRange(RangeKind::Juz, data, ayatAlKursi, listing, {})),
                 sourceIds([&](const auto &a) { return a.juz == here.juz; }));
        // The listing and the chosen ayas in their own order, not the mushaf's.
        for (const char *id : {"6236", "1", "262"})
            listing.append({QString::fromLatin1(id), {}, {}, {}, {}, {}});
        listing.finish();
        QCOMPARE(ids(expandRange(RangeKind::Listing, data, 0, listing, {})), (QList<int>{6236, 1, 262}));
        QCOMPARE(ids(expandRange(RangeKind::Chosen, data, 0, listing, {u"300"_qs, u"7"_qs, u"x"_qs})), (QList<int>{300, 7}));
        QVERIFY(expandRange(RangeKind::ToSuraEnd, data, 0, listing, {}).empty());
        QVERIFY(expandRange(RangeKind::Page, data, 99999, listing, {}).empty());
    }

    void repeatOrderAndBasmala()
    {
        const AyaRef fatiha7{7, 1, 7}, baqara1{8, 2, 1}, baqara2{9, 2, 2}, tawba1{1236, 9, 1};
        const auto shape = [](const PlaySequence &steps) {
            QStringList out;
            for (int k = 0; k < steps.size(); ++k) {
                const PlayStep s = steps.at(k);
                out.append(s.basmala ? QStringLiteral("b%1").arg(s.aya.sura) : QString::number(s.aya.id));
            }
            return out.join(u' ');
        };
        QCOMPARE(shape(playSequence({fatiha7, baqara1, baqara2}, 2, 2, true)),
                 u"7 7 b2 8 8 9 9 7 7 b2 8 8 9 9"_qs);
        QCOMPARE(shape(playSequence({fatiha7, baqara1}, 1, 1, false)), u"7 8"_qs);
        QCOMPARE(shape(playSequence({AyaRef{1, 1, 1}, tawba1}, 1, 1, true)), u"1 1236"_qs);
    }

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

    void downloads()
    {
        Server server;
        QTemporaryDir cache;
        RecitationDownloader down;
        QSignalSpy ok(&down, &RecitationDownloader::fetched), bad(&down, &RecitationDownloader::failed);
        const QString target = cache.filePath(u"a/002255.mp3"_qs);
        down.fetch(QUrl(server.url(u"good/x"_qs)), target);
        QVERIFY(ok.wait());
        QFile kept(target);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), server.mp3);
        for (const QString &path : {u"missing/x"_qs, u"html/x"_qs, u"disguised/x"_qs, u"short/x"_qs}) {
            const QString t = cache.filePath(u"b/"_qs + path.section(u'/', 0, 0));
            down.fetch(QUrl(server.url(path)), t);
            QVERIFY2(bad.wait(), qPrintable(path));
            QCOMPARE(bad.last().at(0).toString(), t);
            QVERIFY2(filesIn(cache.filePath(u"b"_qs)).isEmpty(), qPrintable(path));
        }
        // A server that never answers: the time limit ends the wait.
        down.setTimeLimit(300);
        QElapsedTimer clock;
        clock.start();
        down.fetch(QUrl(server.url(u"silent/x"_qs)), cache.filePath(u"c/1.mp3"_qs));
        QVERIFY(bad.wait(60000));
        // The default limit would keep it waiting far longer: a hang, not a speed.
        QVERIFY2(clock.elapsed() < RecitationDownloader::kDefaultTimeLimitMs / 2, qPrintable(QString::number(clock.elapsed())));
        // Cancelled: no answer and nothing kept.
        down.setTimeLimit(RecitationDownloader::kDefaultTimeLimitMs);
        const int failures = int(bad.size());
        down.fetch(QUrl(server.url(u"silent/y"_qs)), cache.filePath(u"c/2.mp3"_qs));
        QTRY_VERIFY(server.silent.size() == 2);
        down.cancelAll();
        QVERIFY(!down.isFetching(cache.filePath(u"c/2.mp3"_qs)));
        QTest::qWait(100);
        QCOMPARE(bad.size(), failures);
        QVERIFY(filesIn(cache.filePath(u"c"_qs)).isEmpty());
    }

    // A remote reciter: the first file downloads, the next is fetched ahead,
    // and a missing aya is told once, naming it.
    void remoteReciter()
    {
        Server server;
        auto *engine = new FakeEngine;
        Recitation recitation(engine);
        recitation.setReciters({{u"بعيد"_qs, server.url(u"good/{sura}{aya}.mp3"_qs)}});
        QSignalSpy busy(&recitation, &Recitation::downloading), problems(&recitation, &Recitation::problem);
        recitation.play({{262, 2, 255}, {263, 2, 256}}, 262);
        QCOMPARE(recitation.state(), Recitation::State::Loading);
        QTRY_COMPARE(engine->played, QStringList{u"002255.mp3"_qs});
        QCOMPARE(busy.size(), 2);
        const QString folder = reciterCacheFolder(recitation.reciters().at(0));
        QTRY_VERIFY(QFileInfo::exists(QDir(folder).filePath(u"002256.mp3"_qs)));
        engine->end();
        QCOMPARE(engine->played.last(), u"002256.mp3"_qs);
        QVERIFY(recitationCacheSize() >= 2 * server.mp3.size());

        recitation.setReciters({{u"غائب"_qs, server.url(u"missing/{sura}{aya}.mp3"_qs)}});
        recitation.play({{262, 2, 255}, {263, 2, 256}}, 262);
        QTRY_COMPARE(problems.size(), 1);
        QCOMPARE(problems.last().at(0).toString().section(u'\n', 0, 0), u"تعذر تحميل تلاوة الآية البقرة : 255"_qs);
        QCOMPARE(recitation.state(), Recitation::State::Stopped);
        QVERIFY(filesIn(reciterCacheFolder(recitation.reciters().at(0))).isEmpty());
        QVERIFY(clearRecitationCache());
        QCOMPARE(recitationCacheSize(), 0);
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

    // An endless body, plain or compressed to inflate without end, is cut
    // off at the size limit, by bytes and not by the clock, and told as too
    // large; every failure is told in Arabic first.
    void downloadLimitsAndMessages()
    {
        Server server;
        QTemporaryDir cache;
        RecitationDownloader down;
        down.setTimeLimit(120000);
        down.setSizeLimit(2 * 1024 * 1024);
        QSignalSpy bad(&down, &RecitationDownloader::failed);
        // The compressed flood at the default limit, past the point where Qt's
        // own inflating stalls (the reader was told the server never answered).
        for (const QString &endless : {u"endless/x"_qs, u"gzip/x"_qs}) {
            const qint64 limit = endless.startsWith(u"gzip") ? RecitationDownloader::kDefaultSizeLimit : 2 * 1024 * 1024;
            down.setSizeLimit(limit);
            server.endlessSent = 0;
            const QString target = cache.filePath(u"e/001001.mp3"_qs);
            down.fetch(QUrl(server.url(endless)), target);
            QVERIFY(bad.wait(60000));
            const QString why = bad.last().at(1).toString();
            QVERIFY2(why.contains(QStringLiteral("أكبر من %1 م.ب").arg(limit >> 20)), qPrintable(why));
            QVERIFY(!QFileInfo::exists(target));
            QVERIFY(!down.isFetching(target));
            // What the server got rid of: the limit and what the sockets' buffers hold.
            QVERIFY2(server.endlessSent < limit + 64 * 1024 * 1024, qPrintable(QString::number(server.endlessSent)));
        }

        down.setTimeLimit(300);
        const QStringList addresses{server.url(u"missing/x"_qs), server.url(u"html/x"_qs), server.url(u"silent/x"_qs),
                                    QStringLiteral("http://127.0.0.1:%1/x").arg(deadPort())};
        for (const QString &address : addresses) {
            down.fetch(QUrl(address), cache.filePath(u"f/1.mp3"_qs));
            QVERIFY2(bad.wait(10000), qPrintable(address));
            QVERIFY2(arabicFirst(bad.last().at(1).toString()), qPrintable(bad.last().at(1).toString()));
        }
        QVERIFY(bad.at(2).at(1).toString().section(u'\n', 0, 0).contains(u"غير موجود"_qs));
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
        QCOMPARE(server.requests.size(), 6);
        QVERIFY(w->stateLabel()->text().contains(u"اكتمل"_qs));
        QVERIFY(w->stateLabel()->text().contains(u"7 من 7"_qs));
        QFile::remove(QDir(folder).filePath(u"001005.mp3"_qs));
        QFile::remove(QDir(folder).filePath(u"001007.mp3"_qs));
        server.requests.clear();
        QTest::mouseClick(w->startButton(), Qt::LeftButton);
        QTRY_VERIFY(!commands->offlineDownload().isRunning());
        std::sort(server.requests.begin(), server.requests.end());
        QCOMPARE(server.requests, (QList<QByteArray>{"/good/001005.mp3", "/good/001007.mp3"}));
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

    void settingsKept()
    {
        QTemporaryDir dir;
        UserStore store;
        store.open(dir.filePath(u"user.db"_qs));
        {
            Recitation r(new FakeEngine);
            r.setUserStore(&store);
            r.setReciters({{u"أ"_qs, dir.path()}, {u"ب"_qs, dir.path() + u"/"_qs}});
            r.setReciterIndex(1);
            r.setAyaRepeat(5);
            r.setRangeRepeat(99);
            r.setSpeed(1.25);
            r.setRange(RangeKind::Juz);
            r.setPauseAfter(Recitation::kPauseAyaLength);
        }
        Recitation r(new FakeEngine);
        r.setUserStore(&store);
        QCOMPARE(r.reciters().size(), 2);
        QCOMPARE(r.reciterIndex(), 1);
        QCOMPARE(r.ayaRepeat(), 5);
        QCOMPARE(r.rangeRepeat(), 99);
        QCOMPARE(r.speed(), 1.25);
        QCOMPARE(r.range(), RangeKind::Juz);
        QCOMPARE(r.pauseAfter(), Recitation::kPauseAyaLength);
    }

    void decodesGeneratedAudio()
    {
        const QString sox = QStandardPaths::findExecutable(u"sox"_qs);
        if (sox.isEmpty())
            QSKIP("sox is not installed");
        QTemporaryDir dir;
        const QString file = dir.filePath(u"001001.mp3"_qs);
        QCOMPARE(QProcess::execute(sox, {u"-n"_qs, u"-r"_qs, u"22050"_qs, u"-c"_qs, u"1"_qs, file, u"synth"_qs, u"0.5"_qs,
                                         u"sine"_qs, u"440"_qs}),
                 0);
        QFile f(file);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(RecitationDownloader::bodyProblem(f.readAll(), f.size(), u"audio/mpeg"_qs).isEmpty());
        QAudioDecoder decoder;
        if (!decoder.isSupported())
            QSKIP("no Qt Multimedia backend decodes here");
        decoder.setSource(QUrl::fromLocalFile(file));
        qint64 decodedUs = 0;
        bool failed = false;
        connect(&decoder, &QAudioDecoder::bufferReady, this, [&] { decodedUs += decoder.read().duration(); });
        connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), this, [&] { failed = true; });
        decoder.start();
        QTRY_VERIFY_WITH_TIMEOUT(failed || (!decoder.isDecoding() && decodedUs > 0), 10000);
        if (failed && decoder.error() == QAudioDecoder::NotSupportedError)
            QSKIP("no Qt Multimedia backend decodes MP3 here");
        QVERIFY2(!failed, qPrintable(decoder.errorString()));
        QVERIFY2(decodedUs > 400000 && decodedUs < 700000, qPrintable(QString::number(decodedUs)));
    }
};

QTEST_MAIN(RecitationTest)
#include "test_recitation.moc"
