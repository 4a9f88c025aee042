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
    void initTestCase() { startRecitationTests(); }

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
