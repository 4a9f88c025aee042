#pragma once

#include "playerengine.h"
#include "playlist.h"
#include "reciter.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <vector>

class QTimer;

namespace zarfan {

class RecitationDownloader;
class UserStore;

// The recitation of a range: its choices (kept in the per-user store), the
// play sequence and where in it the voice is. Files come from a local folder
// or from the cache, downloaded first when missing; the next one is fetched
// while the current one plays.
class Recitation : public QObject {
    Q_OBJECT
public:
    enum class State { Stopped, Loading, Playing, Paused };
    static constexpr double kSpeeds[] = {0.5, 0.75, 1.0, 1.25, 1.5, 2.0};
    static constexpr int kMaxRepeat = 99;
    // The pause after each aya: seconds, or as long as the aya took.
    static constexpr int kPauseAyaLength = -1;
    static constexpr int kMaxPause = 30;

    // The engine becomes the recitation's child.
    explicit Recitation(PlayerEngine *engine, QObject *parent = nullptr);
    ~Recitation() override;

    // Replaces the engine (tests drive the sequencing without a sound card).
    void setEngine(PlayerEngine *engine);
    void setUserStore(UserStore *store);

    const QList<Reciter> &reciters() const { return reciters_; }
    // Stored reciters that could not be read and were dropped from the store.
    int droppedReciters() const { return droppedReciters_; }
    void setReciters(const QList<Reciter> &reciters);
    int reciterIndex() const { return reciter_; }
    void setReciterIndex(int index);
    int ayaRepeat() const { return ayaRepeat_; }
    void setAyaRepeat(int n);
    int rangeRepeat() const { return rangeRepeat_; }
    void setRangeRepeat(int n);
    double speed() const { return speed_; }
    void setSpeed(double rate);
    RangeKind range() const { return range_; }
    void setRange(RangeKind kind);
    int pauseAfter() const { return pauseAfter_; }
    void setPauseAfter(int seconds);

    State state() const { return state_; }
    // Plays the range from the first time it reaches startAyaId (or from its
    // start); replaces whatever played.
    void play(const std::vector<AyaRef> &range, int startAyaId);
    void pause();
    void resume();
    void stop();
    void next();
    void previous();

    RecitationDownloader &downloader() { return *downloader_; }
    PlayerEngine &engine() { return *engine_; }
    const PlaySequence &sequence() const { return sequence_; }
    int position() const { return position_; }

signals:
    void ayaStarted(int ayaId);
    void stateChanged(zarfan::Recitation::State state);
    // The first file of a request is being downloaded.
    void downloading(bool busy);
    // Told once per play request; no audio output is told once in all.
    void problem(const QString &message);
    void settingsChanged();

private:
    void connectEngine();
    void save();
    void setState(State s);
    void startStep(int position);
    void stepEnded();
    void queueNext();
    void playFailed(PlayerEngine::Failure kind, const QString &detail);
    void fetchFailed(const QString &why);
    QString stepFile(const PlayStep &step) const;
    QString basmalaFile(int sura) const;
    QString cachedFile(const AyaRef &aya, bool basmala) const;
    void prefetch(int position);
    void cancelFetches();
    void report(const QString &message);
    void onFetched(const QString &target);
    void onFetchFailed(const QString &target, const QString &why);

    PlayerEngine *engine_;
    RecitationDownloader *downloader_;
    UserStore *store_ = nullptr;
    QList<Reciter> reciters_;
    int reciter_ = -1;
    int droppedReciters_ = 0;
    int ayaRepeat_ = 1;
    int rangeRepeat_ = 1;
    double speed_ = 1.0;
    RangeKind range_ = RangeKind::ToSuraEnd;
    int pauseAfter_ = 0;

    State state_ = State::Stopped;
    PlaySequence sequence_;
    int position_ = -1;
    QString waitingFor_;      // the file the current step waits to be downloaded
    QHash<QString, QString> fetchFailures_; // fetched ahead and failed, with why
    bool afterFailedBasmala_ = false;
    static constexpr int kQueuedAhead = 3;
    int queuedUpTo_ = -1;     // the last step handed to the engine's queue
    bool advancing_ = false;  // the engine went on by itself
    QTimer *pause_;           // the pause after an aya
    int pausedLeftMs_ = -1;   // what was left of it when the reader paused
    QElapsedTimer heard_;     // since the current file was heard
    bool reported_ = false;   // this request has told its problem
    bool noOutputTold_ = false;
    int lastAya_ = 0;
    Reciter playing_;         // the reciter of the running request
};

} // namespace zarfan
