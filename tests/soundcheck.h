#pragma once
// Hears what the player plays: a private PulseAudio server with a null sink,
// recorded from its monitor, and the recording cut into tones by pitch.
// Shared by the player's tests and the bench.

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtEndian>
#include <cmath>
#include <cstdint>
#include <sys/resource.h>
#include <vector>

namespace soundcheck {

// What is heard is measured as it plays: ahead of other work on a busy
// machine where that is allowed. The sound server, the recorder and
// GStreamer's threads, started later, inherit it.
inline void hearAhead()
{
    if (setpriority(PRIO_PROCESS, 0, -10) != 0)
        qInfo("played at the usual priority: a busy machine may break what is heard");
}

// A 16-bit WAV of a sine tone, with no silence of its own; with toHz, a
// sweep whose pitch rises by the same ratio in every ms, so that the pitch
// heard tells the moment of the file heard at any speed.
inline bool writeTone(const QString &path, double hz, double seconds, int rate = 22050, int channels = 1, double toHz = 0)
{
    const int n = int(seconds * rate);
    const double rise = toHz > 0 ? std::log(toHz / hz) / seconds : 0;
    const auto phase = [&](double t) { return rise == 0 ? hz * t : hz * (std::exp(rise * t) - 1) / rise; };
    QByteArray data(n * 2 * channels, Qt::Uninitialized);
    for (int i = 0; i < n * channels; ++i)
        qToLittleEndian<qint16>(qint16(std::lround(16000 * std::sin(2 * M_PI * phase(double(i / channels) / rate)))), data.data() + 2 * i);
    QByteArray head;
    const auto u32 = [&](quint32 v) { char b[4]; qToLittleEndian(v, b); head.append(b, 4); };
    const auto u16 = [&](quint16 v) { char b[2]; qToLittleEndian(v, b); head.append(b, 2); };
    head.append("RIFF");
    u32(quint32(36 + data.size()));
    head.append("WAVEfmt ");
    u32(16); u16(1); u16(quint16(channels)); u32(quint32(rate)); u32(quint32(rate * 2 * channels)); u16(quint16(2 * channels)); u16(16);
    head.append("data");
    u32(quint32(data.size()));
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(head + data) == head.size() + data.size();
}

// A tone made by sox in the format its options give (e.g. "-C", "128" for
// MP3 at a constant bit rate, "-C", "-4.2" for a variable one).
inline bool soxTone(const QString &path, double hz, double seconds, int rate, int channels, const QStringList &options = {})
{
    const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
    return !sox.isEmpty()
           && QProcess::execute(sox, QStringList{QStringLiteral("-n"), QStringLiteral("-r"), QString::number(rate), QStringLiteral("-c"),
                                                 QString::number(channels)}
                                         + options
                                         + QStringList{path, QStringLiteral("synth"), QString::number(seconds), QStringLiteral("sine"),
                                                       QString::number(hz)})
                  == 0;
}

// A second of a tone as sox encodes it to MP3 (22.05 kHz mono), or nothing.
inline QByteArray soxMp3(const QString &dir, double hz)
{
    const QString file = dir + QStringLiteral("/tone.mp3");
    QFile f(file);
    return soxTone(file, hz, 1, 22050, 1) && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The silence a file holds at its start and at its end, in ms (an encoder's
// delay and padding), as sox decodes it; {-1, -1} when it cannot.
inline std::pair<double, double> ownSilence(const QString &path)
{
    QProcess sox;
    sox.start(QStandardPaths::findExecutable(QStringLiteral("sox")),
              {path, QStringLiteral("-t"), QStringLiteral("raw"), QStringLiteral("-e"), QStringLiteral("signed"), QStringLiteral("-b"),
               QStringLiteral("16"), QStringLiteral("-c"), QStringLiteral("1"), QStringLiteral("-r"), QStringLiteral("16000"), QStringLiteral("-")});
    if (!sox.waitForFinished(10000) || sox.exitCode() != 0)
        return {-1, -1};
    const QByteArray raw = sox.readAllStandardOutput();
    const int windows = int(raw.size() / 320);
    const auto loud = [&](int w) {
        double energy = 0;
        for (int i = 0; i < 160; ++i) {
            const double v = qFromLittleEndian<qint16>(raw.constData() + w * 320 + 2 * i);
            energy += v * v;
        }
        return std::sqrt(energy / 160) > 300;
    };
    int lead = 0, trail = 0;
    while (lead < windows && !loud(lead))
        ++lead;
    while (trail < windows - lead && !loud(windows - 1 - trail))
        ++trail;
    return {lead * 10.0, trail * 10.0};
}

// Answers every request with the same body, counting them; or never.
class Server : public QTcpServer {
public:
    QByteArray body;
    bool silent = false;
    int requests = 0;
    Server()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *s = nextPendingConnection();
            connect(s, &QTcpSocket::readyRead, s, [this, s] {
                s->readAll();
                ++requests;
                if (silent)
                    return;
                s->write("HTTP/1.1 200 OK\r\nContent-Type: audio/mpeg\r\nContent-Length: " + QByteArray::number(body.size())
                         + "\r\nConnection: close\r\n\r\n" + body);
                s->disconnectFromHost();
            });
        });
    }
    QString url(const QString &path) const { return QStringLiteral("http://127.0.0.1:%1/%2").arg(serverPort()).arg(path); }
};

// PulseAudio on a null sink, in a folder of its own; this process's clients
// reach it through PULSE_SERVER.
class NullSink {
public:
    static constexpr int kRate = 16000;
    QString why; // empty once running

    NullSink()
    {
        QObject::connect(&recorder_, &QProcess::readyReadStandardOutput, &recorder_, [this] { recorded_ += recorder_.readAllStandardOutput(); });
        const QString pulse = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        const QString parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
        if (pulse.isEmpty() || parec.isEmpty()) {
            why = QStringLiteral("pulseaudio or parec (pulseaudio-utils) is not installed");
            return;
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"PULSE_RUNTIME_PATH", "XDG_RUNTIME_DIR", "HOME", "PULSE_STATE_PATH"})
            env.insert(QString::fromLatin1(name), dir_.path());
        env.remove(QStringLiteral("PULSE_SERVER"));
        daemon_.setProcessEnvironment(env);
        daemon_.setProcessChannelMode(QProcess::MergedChannels);
        daemon_.start(pulse, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                              QStringLiteral("--disallow-exit"), QStringLiteral("--disable-shm"),
                              QStringLiteral("--load=module-null-sink sink_name=zarfan_check"),
                              QStringLiteral("--load=module-native-protocol-unix")});
        const QString socket = dir_.filePath(QStringLiteral("native"));
        QDeadlineTimer deadline(15000);
        while (!QFileInfo::exists(socket) && daemon_.state() != QProcess::NotRunning && !deadline.hasExpired())
            daemon_.waitForFinished(50);
        if (!QFileInfo::exists(socket)) {
            why = QStringLiteral("PulseAudio with a null sink did not start: ") + QString::fromLocal8Bit(daemon_.readAll()).trimmed();
            return;
        }
        server_ = QStringLiteral("unix:") + socket;
        previous_ = qgetenv("PULSE_SERVER");
        qputenv("PULSE_SERVER", server_.toLocal8Bit());
    }
    ~NullSink()
    {
        stopRecording();
        if (!server_.isEmpty() && previous_.isEmpty())
            qunsetenv("PULSE_SERVER");
        else if (!server_.isEmpty())
            qputenv("PULSE_SERVER", previous_);
        if (daemon_.state() != QProcess::NotRunning) {
            daemon_.terminate();
            if (!daemon_.waitForFinished(5000))
                daemon_.kill();
            daemon_.waitForFinished(2000);
        }
    }

    // Records the sink's monitor, mono at kRate; true once data flows.
    bool startRecording()
    {
        recorded_.clear();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PULSE_SERVER"), server_);
        recorder_.setProcessEnvironment(env);
        recorder_.start(QStandardPaths::findExecutable(QStringLiteral("parec")),
                        {QStringLiteral("--device=zarfan_check.monitor"), QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                         QStringLiteral("--rate=%1").arg(kRate), QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=10")});
        QDeadlineTimer deadline(10000);
        while (recorded_.size() < kRate / 5 && recorder_.state() != QProcess::NotRunning && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        return recorded_.size() >= kRate / 5;
    }
    // Samples recorded so far, what waits in the pipe included.
    int recordedSamples()
    {
        recorder_.waitForReadyRead(0);
        recorded_ += recorder_.readAllStandardOutput();
        return int(recorded_.size() / 2);
    }
    std::vector<qint16> stopRecording()
    {
        if (recorder_.state() != QProcess::NotRunning) {
            recorder_.terminate();
            recorder_.waitForFinished(3000);
            recorded_ += recorder_.readAllStandardOutput();
        }
        std::vector<qint16> out(std::size_t(recorded_.size() / 2));
        for (std::size_t i = 0; i < out.size(); ++i)
            out[i] = qFromLittleEndian<qint16>(recorded_.constData() + 2 * i);
        return out;
    }

private:
    QTemporaryDir dir_;
    QProcess daemon_, recorder_;
    QString server_;
    QByteArray previous_, recorded_;
};

// The recording in 10 ms windows: silent, or the tone among those given
// whose pitch it has (zero crossings), or none.
struct Heard {
    static constexpr int kWindow = NullSink::kRate / 100;
    std::vector<int> label; // -1 silence, -2 no tone given, else the tone's index
    const std::vector<qint16> &samples;

    Heard(const std::vector<qint16> &recording, const std::vector<double> &tones) : samples(recording)
    {
        for (std::size_t w = 0; (w + 1) * kWindow <= samples.size(); ++w) {
            double energy = 0;
            int crossings = 0;
            for (std::size_t i = w * kWindow; i < (w + 1) * kWindow; ++i) {
                energy += double(samples[i]) * samples[i];
                if (i > w * kWindow && (samples[i - 1] < 0) != (samples[i] < 0))
                    ++crossings;
            }
            int l = -1;
            if (std::sqrt(energy / kWindow) > 300) {
                l = -2;
                const double hz = crossings * 50.0;
                for (std::size_t t = 0; t < tones.size(); ++t) {
                    if (std::abs(hz - tones[t]) < tones[t] * 0.15)
                        l = int(t);
                }
            }
            label.push_back(l);
        }
    }
    // The longest run of the tone (a stray click elsewhere aside), windows
    // where it meets another tone inside it counted in: its first and last window.
    std::pair<int, int> run(int tone) const
    {
        std::pair<int, int> best{-1, -2};
        for (int w = 0; w < int(label.size());) {
            if (label[std::size_t(w)] != tone) {
                ++w;
                continue;
            }
            int end = w;
            while (end + 1 < int(label.size()) && (label[std::size_t(end + 1)] == tone
                                                    || (label[std::size_t(end + 1)] == -2 && end + 2 < int(label.size())
                                                        && label[std::size_t(end + 2)] == tone)))
                ++end;
            if (end - w > best.second - best.first)
                best = {w, end};
            w = end + 1;
        }
        return best;
    }
    int first(int tone) const { return run(tone).first; }
    int last(int tone) const { return run(tone).first < 0 ? -1 : run(tone).second; }
    int lastSound() const
    {
        for (std::size_t w = label.size(); w-- > 0;) {
            if (label[w] != -1)
                return int(w);
        }
        return -1;
    }
    int firstSound(int from = 0) const
    {
        for (std::size_t w = std::size_t(from); w < label.size(); ++w) {
            if (label[w] != -1)
                return int(w);
        }
        return -1;
    }
    // How long the tone was heard, in ms, from its first window to its last;
    // a window where it meets the next tone counts half.
    double length(int tone) const
    {
        const int a = first(tone), b = last(tone);
        if (a < 0)
            return 0;
        double windows = b - a + 1;
        for (int w = a - 1; w >= 0 && label[std::size_t(w)] == -2; --w)
            windows += 0.5;
        for (int w = b + 1; w < int(label.size()) && label[std::size_t(w)] == -2; ++w)
            windows += 0.5;
        return windows * 10.0;
    }
    // Milliseconds of the windows from a to b, both included.
    static double ms(int a, int b) { return (b - a + 1) * 10.0; }
    // The pitch over windows a..b by zero crossings, the edges left out.
    double pitch(int a, int b) const
    {
        const std::size_t from = std::size_t(a + 1) * kWindow, to = std::size_t(b) * kWindow;
        int crossings = 0;
        for (std::size_t i = from + 1; i < to && i < samples.size(); ++i) {
            if ((samples[i - 1] < 0) != (samples[i] < 0))
                ++crossings;
        }
        return to > from ? crossings / 2.0 / (double(to - from) / NullSink::kRate) : 0;
    }
    // The root mean square of window w.
    double level(int w) const
    {
        double energy = 0;
        for (std::size_t i = std::size_t(w) * kWindow; i < std::size_t(w + 1) * kWindow && i < samples.size(); ++i)
            energy += double(samples[i]) * samples[i];
        return std::sqrt(energy / kWindow);
    }
    // The pitch of window w from the first to the last of its zero
    // crossings, each placed between its samples; 0 with too few. Only a
    // tone's crossings count, not the faint noise where sound sets in or
    // stops inside the window.
    double finePitch(int w) const
    {
        const std::size_t from = std::size_t(w) * kWindow;
        double first = -1, last = -1;
        int crossings = 0;
        for (std::size_t i = from + 1; i < from + kWindow && i < samples.size(); ++i) {
            const double a = samples[i - 1], b = samples[i];
            if ((a < 0) == (b < 0) || std::abs(a - b) < 1000)
                continue;
            const double at = double(i - 1) + a / (a - b);
            if (first < 0)
                first = at;
            last = at;
            ++crossings;
        }
        return crossings < 4 ? 0 : (crossings - 1) / 2.0 / ((last - first) / NullSink::kRate);
    }
    // The longest run of silent windows between a and b, in ms.
    double longestSilence(int a, int b) const
    {
        int best = 0, run = 0;
        for (int w = a; w <= b && w < int(label.size()); ++w) {
            run = label[std::size_t(w)] == -1 ? run + 1 : 0;
            best = std::max(best, run);
        }
        return best * 10.0;
    }
};

} // namespace soundcheck
