#pragma once

#include "playerengine.h"

#include <QObject>
#include <QUrl>
#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

typedef struct _GstElement GstElement;
typedef struct _GstMessage GstMessage;
typedef struct _GstPad GstPad;

namespace zarfan {

struct PlaybackHooks;

// One run of the player in GStreamer: files decoded one after the other
// (concat), each brought to one format so that no change of rate or
// channels reaches what follows, stretched by scaletempo at one rate and
// played in one stream. Built afresh for every play and every change of
// speed: no element's state outlives the range or the rate it served.
// Lives on the thread of its owner; what GStreamer's threads learn comes
// back through that thread's event loop.
class PlaybackPipeline : public QObject {
    Q_OBJECT
public:
    static constexpr int kRate = 44100;   // the stream's one format: F32, stereo
    static constexpr int kChannels = 2;

    // An empty factory takes the system's default output.
    PlaybackPipeline(const QByteArray &sinkFactory, double rate, QObject *parent = nullptr);
    ~PlaybackPipeline() override;
    bool isValid() const { return pipeline_ != nullptr; }
    double rate() const { return rate_; }

    // Opens the output without playing, so that a play starts at once.
    void prepare();
    // Adds a file after those given, from fromNs into it. False once the
    // stream has ended: the file would never be reached.
    bool append(const QUrl &file, qint64 fromNs = 0);
    int fileCount() const { return int(branches_.size()); }
    QUrl file(int index) const;
    // Drops the files from index on; false when one of them is already
    // being decoded into the stream.
    bool truncate(int index);
    bool play();
    void pause();

    // Running time of the stream now (ns), or -1 while it has no clock.
    qint64 runningTime() const;
    // The file heard at a running time and where in it (ns); -1 before the first.
    std::pair<int, qint64> positionAt(qint64 runningTime) const;

signals:
    // The first sample of a file is heard at that running time.
    void fileReached(int index, qint64 runningTime);
    // The last sample of the last file is due at that running time.
    void endReached(qint64 runningTime);
    void finished(); // the sink played everything out
    // A file did not decode; or (index -1) the stream or the output broke.
    void failed(int index, zarfan::PlayerEngine::Failure kind, const QString &detail);

private:
    friend struct PlaybackHooks;
    struct Branch;
    void handle(GstMessage *message);
    int branchOf(GstMessage *message) const;
    // The boundaries of the files in the stretcher's input, in frames.
    struct Boundary {
        int index;
        qint64 frame;
        qint64 fromNs;
    };

    GstElement *pipeline_ = nullptr;
    GstElement *concat_ = nullptr;
    GstElement *sink_ = nullptr;
    GstPad *drainPad_ = nullptr; // where the silence that drains the stretcher enters
    double rate_;
    std::vector<std::unique_ptr<Branch>> branches_;
    std::vector<std::unique_ptr<Branch>> dropped_; // kept until the threads that knew them stop
    bool missingAudioDecoder_ = false;
    QString missingWhat_;
    // Shared with the streaming threads.
    mutable std::mutex lock_;
    std::vector<Boundary> boundaries_;
    qint64 inFrames_ = 0;       // frames that entered the stretcher
    qint64 outFrames_ = 0;      // frames that left it
    qint64 lastInEnd_ = 0;      // the end of the last frame that entered (ns)
    qint64 endOutFrames_ = -1;  // where the stream's output ends, once known
    int entered_ = -1;          // the last file that began to enter
    bool newFile_ = false;      // a file began; its first frame is next
    std::atomic<bool> ended_{false};
};

} // namespace zarfan
