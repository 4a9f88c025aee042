// The player heard through hard use, the real engine on a null sink: every
// speed and every change of speed, stops and restarts, files of mixed
// formats, a broken file queued after a good one.
#include "recitation/playerengine.h"
#include "recitation/recitation.h"
#include "recitation/reciter.h"
#include "soundcheck.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

using namespace zarfan;
using soundcheck::Heard;

namespace {

// Plays ranges into the null sink and records them, with the moment in the
// recording at which each aya was shown.
struct Listener {
    soundcheck::NullSink sink;
    GstPlayerEngine *engine = new GstPlayerEngine;
    Recitation r{engine};
    QSignalSpy problems{&r, &Recitation::problem};
    std::vector<std::pair<int, int>> shown; // aya, recorded samples when shown

    Listener()
    {
        engine->setAudioSink("pulsesink");
        QObject::connect(&r, &Recitation::ayaStarted, &r, [this](int aya) { shown.emplace_back(aya, sink.recordedSamples()); });
    }
    bool start(const std::vector<AyaRef> &range)
    {
        shown.clear();
        if (!sink.startRecording())
            return false;
        r.play(range, range.front().id);
        return true;
    }
    std::vector<qint16> finish()
    {
        QDeadlineTimer deadline(60000);
        while (r.state() != Recitation::State::Stopped && !deadline.hasExpired())
            QTest::qWait(20);
        QTest::qWait(300); // the end reaches the monitor
        return sink.stopRecording();
    }
};

std::vector<AyaRef> suraOf(int ayas)
{
    std::vector<AyaRef> range;
    for (int k = 1; k <= ayas; ++k)
        range.push_back({100 + k, 2, k});
    return range;
}

// What is wrong with the ayas heard in order at one speed, each as long as
// its file over the speed, nothing heard before the first; or nothing.
QString wrongWith(const Heard &heard, int ayas, double ms, double speed)
{
    int before = -1;
    for (int k = 0; k < ayas; ++k) {
        const int a = heard.first(k);
        if (a < 0)
            return QStringLiteral("aya %1 of %2 not heard at %3").arg(k + 1).arg(ayas).arg(speed);
        if (a <= before)
            return QStringLiteral("aya %1 heard out of order at %2").arg(k + 1).arg(speed);
        before = heard.last(k);
        const double wanted = ms / speed;
        if (std::abs(heard.length(k) - wanted) > wanted * 0.05 + 20)
            return QStringLiteral("at %1 aya %2 lasted %3 ms, not %4").arg(speed).arg(k + 1).arg(heard.length(k)).arg(wanted);
    }
    // The window where the first aya sets in may hold its edge.
    if (const int first = heard.firstSound(); first < heard.first(0) - 1)
        return QStringLiteral("at %1 a sound %2 ms before the first aya").arg(speed).arg((heard.first(0) - first) * 10);
    return {};
}

} // namespace

class PlaybackTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        soundcheck::hearAhead();
        if (const QStringList missing = GstPlayerEngine::missingElements(); !missing.isEmpty())
            QSKIP(qPrintable(u"GStreamer lacks: "_qs + missing.join(u", ")));
    }

    // One engine through a sura to its end at 0.5, 0.75, 2 and 1 (each after
    // a start stopped short), then speed changes in the middle of ayas at
    // every pair of speeds: no crash, every aya heard whole and in order,
    // nothing heard before the first.
    void tortureSequence()
    {
        Listener ear;
        if (!ear.sink.why.isEmpty())
            QSKIP(qPrintable(ear.sink.why));
        // Each aya a sweep: its pitch tells which moment of the file is heard.
        const std::vector<double> low{700, 1100, 1700, 2600};
        constexpr double kRise = 1.15;
        std::vector<double> tones;
        QTemporaryDir folder;
        for (int k = 0; k < 4; ++k) {
            tones.push_back(low[std::size_t(k)] * (1 + kRise) / 2);
            QVERIFY(soundcheck::writeTone(folder.filePath(ayaFileName(2, k + 1)), low[std::size_t(k)], 0.6, 44100, 2,
                                          low[std::size_t(k)] * kRise));
        }
        ear.r.setReciters({{u"نغمات"_qs, folder.path()}});
        const std::vector<AyaRef> sura = suraOf(4);
        // Every ordered pair of speeds once, one change every 300 ms.
        const auto speeds = Recitation::kSpeeds;
        std::vector<std::vector<int>> left(6);
        for (int i = 0; i < 6; ++i) {
            for (int j = 0; j < 6; ++j) {
                if (i != j)
                    left[std::size_t(i)].push_back(j);
            }
        }
        std::vector<int> stack{2}, circuit;
        while (!stack.empty()) {
            auto &out = left[std::size_t(stack.back())];
            if (out.empty()) {
                circuit.push_back(stack.back());
                stack.pop_back();
            } else {
                stack.push_back(out.back());
                out.pop_back();
            }
        }
        QCOMPARE(circuit.size(), std::size_t(31));
        // How far the moment heard may leap at a change: the stretcher works
        // in strides of a few tens of ms.
        constexpr double kJump = 50;
        // What is wrong with the voice through the changes: read from the
        // sweeps, the moment of the file heard goes on from where it was
        // after every change, never back (heard twice) nor ahead (skipped),
        // from each file's start to its end, the ayas in order. Silence a
        // busy machine leaves between the windows does not count, nor where
        // in the recording a change was made.
        const auto wrongThroughChanges = [&](const Heard &heard) -> QStringList {
            struct Point {
                int window, aya;
                double ms;
            };
            const auto &label = heard.label;
            // A window where the sound sets in or stops, or two ayas meet,
            // is quieter than the rest, and its pitch is not the sweep's.
            std::vector<double> levels;
            for (int w = 0; w < int(label.size()); ++w) {
                if (label[std::size_t(w)] != -1)
                    levels.push_back(heard.level(w));
            }
            std::nth_element(levels.begin(), levels.begin() + std::ptrdiff_t(levels.size() / 2), levels.end());
            const double full = levels.empty() ? 0 : levels[levels.size() / 2];
            std::vector<Point> points; // whole windows of an aya, with a pitch of its sweep
            for (int w = 0; w < int(label.size()); ++w) {
                const int k = label[std::size_t(w)];
                const double hz = k >= 0 && heard.level(w) >= full * 0.95 ? heard.finePitch(w) : 0;
                const double at = hz > 0 ? std::log(hz / low[std::size_t(k)]) / std::log(kRise) * 600 : -1e9;
                if (at > -kJump && at < 600 + kJump)
                    points.push_back({w, k, at});
            }
            // A splice of the stretcher may bend one window's pitch: each
            // moment is the median of its neighbours in the same aya.
            std::vector<double> ms(points.size());
            for (std::size_t i = 0; i < points.size(); ++i) {
                std::vector<double> near;
                for (std::size_t j = i >= 2 ? i - 2 : 0; j <= i + 2 && j < points.size(); ++j) {
                    if (points[j].aya == points[i].aya)
                        near.push_back(points[j].ms);
                }
                std::nth_element(near.begin(), near.begin() + std::ptrdiff_t(near.size() / 2), near.end());
                ms[i] = near[near.size() / 2];
            }
            QStringList heardFaults;
            // The first and the last moment of each aya heard, a bent window left out.
            std::vector<std::pair<double, double>> span(4, {1e9, -1e9});
            for (std::size_t i = 0; i < points.size(); ++i) {
                auto &[from, to] = span[std::size_t(points[i].aya)];
                if (std::abs(points[i].ms - ms[i]) < kJump) {
                    from = std::min(from, points[i].ms);
                    to = std::max(to, points[i].ms);
                }
            }
            // The ayas one after another on one line: a change just after an
            // aya began may go back into the end of the one before.
            const auto along = [&](std::size_t i) { return points[i].aya * 600 + ms[i]; };
            for (std::size_t i = 1; i < points.size(); ++i) {
                // At most twice the time heard since, and a stride of the
                // stretcher; where one aya gives way to the next, the median on
                // each side lies a window inside its aya.
                int sounding = points[i].aya != points[i - 1].aya ? 2 : 0;
                for (int w = points[i - 1].window + 1; w <= points[i].window; ++w)
                    sounding += label[std::size_t(w)] != -1;
                const double step = along(i) - along(i - 1);
                if (step < -kJump || step > 20 * sounding + kJump)
                    heardFaults.append(QStringLiteral("from aya %1 at %2 ms to aya %3 at %4 ms in %5 ms of sound")
                                           .arg(points[i - 1].aya + 1).arg(ms[i - 1], 0, 'f', 0).arg(points[i].aya + 1)
                                           .arg(ms[i], 0, 'f', 0).arg(10 * sounding));
            }
            for (int k = 0; k < 4; ++k) {
                const auto [from, to] = span[std::size_t(k)];
                // Its first and last whole windows may lie a window at twice the speed inside.
                if (to < from)
                    heardFaults.append(QStringLiteral("aya %1 not heard through the changes").arg(k + 1));
                else if (from > kJump + 20 || to < 600 - kJump - 20)
                    heardFaults.append(QStringLiteral("aya %1 heard from %2 to %3 ms of its 600").arg(k + 1).arg(from, 0, 'f', 0).arg(to, 0, 'f', 0));
            }
            return heardFaults;
        };
        // Heard in real time on a shared machine: a moment taken from the
        // sound server by other work is not the player's fault, a fault heard
        // in both hearings of the sequence is. A crash or a reported problem
        // fails at once.
        QStringList faults;
        for (int hearing = 0; hearing < 2; ++hearing) {
            if (!faults.isEmpty())
                qInfo("heard: %s", qPrintable(faults.join(u"; ")));
            faults.clear();
            for (const double speed : {0.5, 0.75, 2.0, 1.0}) {
                ear.r.play(sura, sura.front().id);
                QTest::qWait(250);
                ear.r.stop();
                ear.r.setSpeed(speed);
                QVERIFY(ear.start(sura));
                const std::vector<qint16> recording = ear.finish();
                QVERIFY2(ear.problems.isEmpty(), qPrintable(ear.problems.value(0).value(0).toString()));
                if (const QString f = wrongWith(Heard(recording, tones), 4, 600, speed); !f.isEmpty())
                    faults.append(f);
            }
            for (std::size_t at = 1; at < circuit.size();) {
                ear.r.setSpeed(speeds[circuit[at - 1]]);
                QVERIFY(ear.start(sura));
                QTest::qWait(200);
                for (; at < circuit.size() && ear.r.state() != Recitation::State::Stopped; ++at) {
                    ear.r.setSpeed(speeds[circuit[at]]);
                    QTest::qWait(300);
                }
                const std::vector<qint16> recording = ear.finish();
                QVERIFY2(ear.problems.isEmpty(), qPrintable(ear.problems.value(0).value(0).toString()));
                faults.append(wrongThroughChanges(Heard(recording, tones)));
            }
            if (faults.isEmpty())
                break;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u"; ")));
    }

    // WAV and MP3 at 44.1 and 22.05 kHz, mono and stereo, at a constant and a
    // variable bit rate, after a basmala of another format: between two ayas
    // no more silence than the files hold, at 1 and at 0.75; each aya shown
    // as its sound begins.
    void mixedFormats()
    {
        Listener ear;
        if (!ear.sink.why.isEmpty())
            QSKIP(qPrintable(ear.sink.why));
        QTemporaryDir folder;
        const std::vector<double> tones{600, 840, 1180, 1650, 2300};
        struct Made {
            int aya, rate, channels;
            QStringList options; // none: WAV
        };
        const std::vector<Made> files{{0, 22050, 1, {u"-C"_qs, u"-4.2"_qs}},
                                      {1, 44100, 2, {}},
                                      {2, 22050, 1, {}},
                                      {3, 44100, 2, {u"-C"_qs, u"128"_qs}},
                                      {4, 22050, 1, {u"-C"_qs, u"-6.2"_qs}}};
        std::vector<std::pair<double, double>> own;
        for (const Made &m : files) {
            const QString path = folder.filePath(ayaFileName(2, m.aya));
            const bool made = m.options.isEmpty() ? soundcheck::writeTone(path, tones[std::size_t(m.aya)], 0.5, m.rate, m.channels)
                                                  : soundcheck::soxTone(path + u".mp3"_qs, tones[std::size_t(m.aya)], 0.5, m.rate,
                                                                        m.channels, m.options)
                                                        && QFile::rename(path + u".mp3"_qs, path);
            if (!made)
                QSKIP("sox with MP3 support is not installed");
            own.push_back(soundcheck::ownSilence(path));
            QVERIFY(own.back().first >= 0);
        }
        ear.r.setReciters({{u"صيغ"_qs, folder.path()}});
        const std::vector<AyaRef> sura = suraOf(4);
        // The sanitizers slow every buffer's way to the sink: there the
        // timings are checked for order and wholeness, within a wider margin.
#ifdef ZARFAN_INSTRUMENTED
        const double leeway = 80;
#else
        const double leeway = 30;
#endif
        // What is wrong with a play at a speed, or nothing.
        const auto wrongAt = [&](double speed) -> QStringList {
            ear.r.setSpeed(speed);
            if (!ear.start(sura))
                return {u"the null sink's monitor could not be recorded"_qs};
            const std::vector<qint16> recording = ear.finish();
            if (!ear.problems.isEmpty())
                return {ear.problems.first().at(0).toString()};
            QStringList faults;
            const Heard heard(recording, tones);
            if (const QString f = wrongWith(heard, 5, 500, speed); !f.isEmpty())
                return {f};
            for (int k = 1; k < 5; ++k) {
                const double held = (own[std::size_t(k - 1)].second + own[std::size_t(k)].first) / speed;
                const double gap = heard.longestSilence(heard.last(k - 1), heard.first(k));
                if (gap - held > leeway)
                    faults.append(QStringLiteral("at %1, %2 ms of silence before aya %3 where the files hold %4").arg(speed).arg(gap).arg(k).arg(held));
            }
            // 2:1 is shown after the basmala, every aya as it is heard. The
            // moment shown passes through the event loop, which a busy
            // machine delays by some tens of ms (a quiet one is within 31):
            // a wider margin, still far below an aya shown out of its place.
            const double shownLeeway = 2 * leeway;
            if (ear.shown.size() != 4)
                return {QStringLiteral("%1 ayas shown of 4").arg(ear.shown.size())};
            for (int k = 1; k < 5; ++k) {
                const double shownMs = ear.shown[std::size_t(k - 1)].second * 1000.0 / soundcheck::NullSink::kRate;
                const double heardMs = heard.first(k) * 10.0;
                if (std::abs(shownMs - heardMs) > shownLeeway)
                    faults.append(QStringLiteral("at %1 aya %2 was shown %3 ms from its sound").arg(speed).arg(k).arg(shownMs - heardMs));
            }
            return faults;
        };
        // Heard in real time on a shared machine: a moment taken from the
        // sound server by other work is not the player's fault, a fault heard
        // three times over is.
        for (const double speed : {1.0, 0.75}) {
            QStringList faults;
            for (int attempt = 0; attempt < 3; ++attempt) {
                const QStringList f = wrongAt(speed);
                if (f.isEmpty())
                    break;
                qInfo("heard: %s", qPrintable(f.join(u"; ")));
                faults.append(f.join(u"; "));
                ear.problems.clear();
            }
            QVERIFY2(faults.size() < 3, qPrintable(faults.join(u" / ")));
        }
    }

    // A good cached aya followed by a broken one: the good one is heard whole
    // and kept; the broken one is named, deleted and fetched again.
    void brokenAfterGood()
    {
        Listener ear;
        if (!ear.sink.why.isEmpty())
            QSKIP(qPrintable(ear.sink.why));
        QTemporaryDir dir;
        soundcheck::Server server;
        server.body = soundcheck::soxMp3(dir.path(), 1320);
        if (server.body.isEmpty())
            QSKIP("sox with MP3 support is not installed");
        const QByteArray good = soundcheck::soxMp3(dir.path(), 880);
        const int frame = int(good.indexOf("\xff\xf3"));
        QVERIFY(frame >= 0);
        const Reciter reciter{u"بعيد"_qs, server.url(u"{sura}{aya}.mp3"_qs)};
        ear.r.setReciters({reciter});
        const QDir cache(reciterCacheFolder(reciter));
        QDir().mkpath(cache.path());
        const QString first = cache.filePath(u"001001.mp3"_qs), second = cache.filePath(u"001002.mp3"_qs);
        // Not audio at all; audio padded with nothing it can decode.
        for (const QByteArray &broken : {QByteArray("<html><body>Not here</body></html>") + QByteArray(3000, ' '),
                                         good.left(frame + 4) + QByteArray(good.size(), '\0')}) {
            for (const auto &[path, body] : {std::pair{first, good}, std::pair{second, broken}}) {
                QFile f(path);
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(body);
            }
            ear.problems.clear();
            QVERIFY(ear.start({{1, 1, 1}, {2, 1, 2}}));
            const Heard heard(ear.finish(), {880, 1320});
            QCOMPARE(ear.problems.size(), 1);
            const QString message = ear.problems.first().at(0).toString();
            QVERIFY2(message.startsWith(u"تعذر تشغيل تلاوة الآية الفاتحة : 2"_qs) && message.contains(u"حُذف"_qs), qPrintable(message));
            QVERIFY(std::abs(heard.length(0) - 1000) <= 70);
            QVERIFY(QFileInfo::exists(first));
            QVERIFY(!QFileInfo::exists(second));
            const int requests = server.requests;
            QVERIFY(ear.start({{2, 1, 2}}));
            const Heard again(ear.finish(), {880, 1320});
            QCOMPARE(server.requests, requests + 1);
            QCOMPARE(ear.problems.size(), 1);
            QVERIFY(std::abs(again.length(1) - 1000) <= 70);
        }
    }
};

QTEST_GUILESS_MAIN(PlaybackTest)
#include "test_playback.moc"
