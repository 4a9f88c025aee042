#pragma once

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QUrl>
#include <atomic>

typedef struct _GstElement GstElement;
typedef struct _GstMessage GstMessage;

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
    };
    using QObject::QObject;
    virtual bool hasOutput() const = 0;
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

// GStreamer's playbin: scaletempo stretches the time at every rate without
// changing the pitch, and the next file is handed over before the current one
// ends so that no silence comes between two ayas.
class GstPlayerEngine : public PlayerEngine {
    Q_OBJECT
public:
    explicit GstPlayerEngine(QObject *parent = nullptr);
    ~GstPlayerEngine() override;
    // The element that makes the sound (a factory name, e.g. "pulsesink");
    // the system's default output when unset.
    void setAudioSink(const QByteArray &factory) { sinkFactory_ = factory; }
    bool hasOutput() const override;
    void play(const QUrl &file) override;
    void queue(const QUrl &file) override;
    void pause() override;
    void resume() override;
    void stop() override;
    void setRate(double rate) override;

    // The parts of GStreamer the player needs and that are missing, by element name.
    static QStringList missingElements();

private:
    friend struct GstEngineHooks;
    bool ensurePipeline();
    void handle(GstMessage *message, int generation);
    void takeQueued(); // on the streaming thread, as the current file drains
    void fail(Failure kind, const QString &detail);

    GstElement *pipeline_ = nullptr;
    QByteArray sinkFactory_;
    QUrl current_;
    bool playing_ = false;     // between play and stop/end/failure
    bool heard_ = false;       // started() told for the current file
    bool missingAudioDecoder_ = false; // told by a missing-plugin message
    QString missingWhat_;
    bool paused_ = false;
    bool confirmPending_ = false; // a queued file began; play() confirms it
    std::atomic<int> generation_{0};
    std::atomic<double> rate_{1.0};
    QMutex queueLock_;         // the queue is read on the streaming thread
    QList<QUrl> queued_;
    QList<QUrl> handedOver_;   // taken from the queue, not yet begun
};

} // namespace zarfan
