#pragma once

#include <QByteArray>
#include <QObject>
#include <QUrl>
#include <vector>

class QTimer;

namespace zarfan {

// What plays the files of a recitation. The recitation drives it through this
// seam so the sequencing runs the same without a sound card.
class PlayerEngine : public QObject {
    Q_OBJECT
public:
    enum class Failure {
        BadFile,     // the file is not audio that decodes to its end
        MissingPart, // a decoder or the player itself is not installed
        Output,      // the audio output refused
        Stream,      // the sound stream broke, the file not at fault
    };
    using QObject::QObject;
    virtual bool hasOutput() const = 0;
    // Gets ready to play at once (a reciter was chosen).
    virtual void prepare() {}
    // Plays the file at once, at the rate set. Playing the file that has just
    // followed the previous one from the queue only confirms it.
    virtual void play(const QUrl &file) = 0;
    // A file to follow those playing and queued without a gap; empty drops
    // the queue. Several are queued ahead: a decoder may drain a short file
    // long before it is heard.
    virtual void queue(const QUrl &file) { Q_UNUSED(file) }
    virtual void pause() = 0;
    virtual void resume() = 0;
    virtual void stop() = 0;
    // Applies to the file playing and to every later one, the pitch kept.
    virtual void setRate(double rate) = 0;

signals:
    void started(); // the file is being heard
    void ended();   // the file played to its end (a queued one may follow)
    void failed(zarfan::PlayerEngine::Failure kind, const QString &detail);
};

// True for a regular file; a FIFO or a device would block whoever opens it.
bool isRegularFile(const QString &path);
// False for a WAV or MP3 file cut short: its data or its last frame runs
// past the end of the file.
bool endsWhole(const QString &path);

class PlaybackPipeline;

// The queue of files and the rate over GStreamer: each play, change of speed
// or retry runs in a fresh PlaybackPipeline, and the file heard changes when
// its first sample is heard, timed by the stream's running time.
class GstPlayerEngine : public PlayerEngine {
    Q_OBJECT
public:
    explicit GstPlayerEngine(QObject *parent = nullptr);
    ~GstPlayerEngine() override;
    // The element that makes the sound (a factory name, e.g. "pulsesink");
    // the system's default output when unset.
    void setAudioSink(const QByteArray &factory) { sinkFactory_ = factory; }
    bool hasOutput() const override;
    void prepare() override;
    void play(const QUrl &file) override;
    void queue(const QUrl &file) override;
    void pause() override;
    void resume() override;
    void stop() override;
    void setRate(double rate) override;

    // The parts of GStreamer the player needs and that are missing, by element name.
    static QStringList missingElements();

private:
    void start(const QList<QUrl> &files, qint64 fromNs, bool alreadyHeard);
    // Starts again from where the voice is, in a new pipeline; the files
    // after the one heard are kept up to (not including) keepBefore.
    void restartFromHeard(int keepBefore = -1);
    void discard();
    void schedule();
    void reach(int index);
    void reachEnd();
    void onFailed(int index, Failure kind, const QString &detail);
    void fail(Failure kind, const QString &detail);
    void failLater(Failure kind, const QString &detail);
    PlaybackPipeline *newPipeline();

    QByteArray sinkFactory_;
    PlaybackPipeline *pipeline_ = nullptr;
    PlaybackPipeline *spare_ = nullptr; // built and opened ahead of the next play
    bool warming_ = false;
    mutable bool outputSeen_ = false;
    QTimer *due_;
    QTimer *endGuard_; // the stream's end overdue
    QUrl current_;
    int heard_ = -1;           // the pipeline's file being heard
    bool playing_ = false;     // between play and stop/end/failure
    bool paused_ = false;
    bool confirmPending_ = false; // a queued file began; play() confirms it
    qint64 firstFromNs_ = 0;
    std::vector<std::pair<int, qint64>> reached_; // files due to be heard, by running time
    qint64 endAt_ = -1;
    int generation_ = 0;
    double rate_ = 1.0;
    QList<QUrl> retried_;      // files given their one retry in this play
};

} // namespace zarfan
