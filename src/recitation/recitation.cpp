#include "recitation.h"

#include "data/userstore.h"
#include "downloader.h"
#include "playerengine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <cmath>

namespace zarfan {

namespace {
const QString kReciters = QStringLiteral("recitation.reciters");
const QString kReciter = QStringLiteral("recitation.reciter");
const QString kAyaRepeat = QStringLiteral("recitation.ayaRepeat");
const QString kRangeRepeat = QStringLiteral("recitation.rangeRepeat");
const QString kSpeed = QStringLiteral("recitation.speed");
const QString kRange = QStringLiteral("recitation.range");
const QString kPauseAfter = QStringLiteral("recitation.pauseAfter");
int clampRepeat(int n) { return std::clamp(n, 1, Recitation::kMaxRepeat); }

// Where a reciter given by address keeps a step's recording.
QUrl addressOf(const Reciter &reciter, const PlayStep &step)
{
    return QUrl(step.basmala ? ayaLocation(reciter, kBasmalaSura, kBasmalaAya) : ayaLocation(reciter, step.aya.sura, step.aya.aya));
}
} // namespace

Recitation::Recitation(PlayerEngine *engine, QObject *parent)
    : QObject(parent), engine_(engine), downloader_(new RecitationDownloader(this)), pause_(new QTimer(this))
{
    pause_->setSingleShot(true);
    connect(pause_, &QTimer::timeout, this, [this] { startStep(position_ + 1); });
    connect(downloader_, &RecitationDownloader::fetched, this, &Recitation::onFetched);
    connect(downloader_, &RecitationDownloader::failed, this, &Recitation::onFetchFailed);
    connectEngine();
}

void Recitation::setEngine(PlayerEngine *engine)
{
    stop();
    delete engine_;
    engine_ = engine;
    engine_->setRate(speed_);
    connectEngine();
}

void Recitation::connectEngine()
{
    engine_->setParent(this);
    connect(engine_, &PlayerEngine::started, this, [this] {
        heard_.start();
        if (state_ == State::Loading)
            setState(State::Playing);
    });
    connect(engine_, &PlayerEngine::ended, this, &Recitation::stepEnded);
    connect(engine_, &PlayerEngine::failed, this, &Recitation::playFailed);
}

void Recitation::playFailed(PlayerEngine::Failure kind, const QString &detail)
{
    if (position_ < 0)
        return;
    const PlayStep step = sequence_.at(position_);
    QString what;
    switch (kind) {
    case PlayerEngine::Failure::BadFile:
        // A damaged download must not stay: the next play fetches it again.
        if (playing_.isRemote() && QFile::remove(cachedFile(step.aya, step.basmala)))
            what = tr("الملف المحفوظ تالف فحُذف، وسيُنزَّل من جديد في التشغيل التالي.");
        else
            what = tr("الملف تالف أو ليس صوتا يمكن تشغيله؛ استبدله في مجلد القارئ.");
        break;
    case PlayerEngine::Failure::MissingPart:
        what = tr("ينقص مكوّن لتشغيل الصوت؛ ثبّت الحزمتين gstreamer1.0-plugins-base و gstreamer1.0-plugins-good ثم أعد المحاولة.");
        break;
    case PlayerEngine::Failure::Output:
        what = tr("لم يقبل جهاز إخراج الصوت التشغيل؛ تحقق من إعدادات الصوت ثم أعد المحاولة.");
        break;
    case PlayerEngine::Failure::Stream:
        what = tr("انقطع تدفق الصوت مرتين والملف سليم؛ أعد التشغيل.");
        break;
    }
    const QString caption = step.basmala ? tr("البسملة قبل %1").arg(ayaCaption(step.aya)) : ayaCaption(step.aya);
    report(tr("تعذر تشغيل تلاوة %1: %2\n%3").arg(step.basmala ? caption : tr("الآية ") + caption, what, detail));
    stop();
}

Recitation::~Recitation() { downloader_->cancelAll(); }

void Recitation::setUserStore(UserStore *store)
{
    store_ = store;
    if (!store_)
        return;
    QList<int> storedAt;
    reciters_ = recitersFromJson(store_->value(kReciters), &droppedReciters_, &storedAt);
    const QByteArray chosen = store_->value(kReciter);
    // The chosen one by its place in the stored list, whatever was dropped before it.
    const int kept = int(storedAt.indexOf(chosen.isEmpty() ? 0 : chosen.toInt()));
    reciter_ = reciters_.isEmpty() ? -1 : std::max(kept, 0);
    if (droppedReciters_ > 0) { // kept without them, so they are told of once
        store_->setValue(kReciters, recitersToJson(reciters_));
        store_->setValue(kReciter, QByteArray::number(reciter_));
    }
    if (const QByteArray v = store_->value(kAyaRepeat); !v.isEmpty())
        ayaRepeat_ = clampRepeat(v.toInt());
    if (const QByteArray v = store_->value(kRangeRepeat); !v.isEmpty())
        rangeRepeat_ = clampRepeat(v.toInt());
    for (const double s : kSpeeds) {
        if (std::abs(store_->value(kSpeed).toDouble() - s) < 0.01)
            speed_ = s;
    }
    if (const QByteArray v = store_->value(kRange); !v.isEmpty())
        range_ = RangeKind(std::clamp(v.toInt(), 0, int(RangeKind::Chosen)));
    if (const QByteArray v = store_->value(kPauseAfter); !v.isEmpty())
        pauseAfter_ = std::clamp(v.toInt(), kPauseAyaLength, kMaxPause);
    engine_->setRate(speed_);
    if (reciter_ >= 0)
        engine_->prepare();
    emit settingsChanged();
}

void Recitation::save()
{
    emit settingsChanged();
    if (!store_)
        return;
    store_->setValue(kReciters, recitersToJson(reciters_));
    store_->setValue(kReciter, QByteArray::number(reciter_));
    store_->setValue(kAyaRepeat, QByteArray::number(ayaRepeat_));
    store_->setValue(kRangeRepeat, QByteArray::number(rangeRepeat_));
    store_->setValue(kSpeed, QByteArray::number(speed_));
    store_->setValue(kRange, QByteArray::number(int(range_)));
    store_->setValue(kPauseAfter, QByteArray::number(pauseAfter_));
}

void Recitation::setReciters(const QList<Reciter> &reciters)
{
    const Reciter was = reciter_ >= 0 && reciter_ < reciters_.size() ? reciters_.at(reciter_) : Reciter{};
    reciters_ = reciters;
    reciter_ = int(reciters_.indexOf(was));
    if (reciter_ < 0 && !reciters_.isEmpty())
        reciter_ = 0;
    if (reciter_ >= 0)
        engine_->prepare();
    save();
}

void Recitation::setReciterIndex(int index)
{
    if (index < 0 || index >= reciters_.size() || index == reciter_)
        return;
    reciter_ = index;
    engine_->prepare();
    save();
}

void Recitation::setAyaRepeat(int n)
{
    if (clampRepeat(n) == ayaRepeat_)
        return;
    ayaRepeat_ = clampRepeat(n);
    save();
}

void Recitation::setRangeRepeat(int n)
{
    if (clampRepeat(n) == rangeRepeat_)
        return;
    rangeRepeat_ = clampRepeat(n);
    save();
}

void Recitation::setSpeed(double rate)
{
    for (const double s : kSpeeds) {
        if (std::abs(rate - s) < 0.01 && s != speed_) {
            speed_ = s;
            // The engine goes on from where the voice is, keeping its queue.
            engine_->setRate(speed_);
            save();
        }
    }
}

void Recitation::setRange(RangeKind kind)
{
    if (kind == range_)
        return;
    range_ = kind;
    save();
}

void Recitation::setPauseAfter(int seconds)
{
    seconds = std::clamp(seconds, kPauseAyaLength, kMaxPause);
    if (seconds == pauseAfter_)
        return;
    pauseAfter_ = seconds;
    // What follows the aya playing changes at once.
    if (pauseAfter_ != 0) {
        engine_->queue({});
        queuedUpTo_ = position_;
    }
    else if (state_ == State::Playing)
        queueNext();
    save();
}

void Recitation::setState(State s)
{
    if (s == state_)
        return;
    state_ = s;
    emit stateChanged(s);
}

void Recitation::report(const QString &message)
{
    if (reported_)
        return;
    reported_ = true;
    emit problem(message);
}

QString Recitation::basmalaFile(int sura) const
{
    if (playing_.isRemote())
        return cachedFile({0, sura, 0}, true);
    for (const QString &name : {ayaFileName(sura, 0), ayaFileName(0, 0)}) {
        const QString path = QDir(playing_.source).filePath(name);
        if (QFileInfo::exists(path))
            return path;
    }
    return {};
}

QString Recitation::cachedFile(const AyaRef &aya, bool basmala) const
{
    return QDir(reciterCacheFolder(playing_)).filePath(basmala ? ayaFileName(kBasmalaSura, kBasmalaAya) : ayaFileName(aya.sura, aya.aya));
}

void Recitation::play(const std::vector<AyaRef> &range, int startAyaId)
{
    stop();
    reported_ = false;
    if (reciter_ < 0 || reciter_ >= reciters_.size()) {
        report(tr("أضف قارئا من \"مصادر التلاوة\""));
        return;
    }
    if (range.empty()) {
        report(tr("لا آيات في المقطع المختار"));
        return;
    }
    if (!engine_->hasOutput()) {
        if (!noOutputTold_)
            emit problem(tr("لا يوجد جهاز لإخراج الصوت؛ لا يمكن التشغيل"));
        noOutputTold_ = true;
        return;
    }
    playing_ = reciters_.at(reciter_);
    if (const QString why = playing_.isRemote() && reciterProblem(playing_).isEmpty() ? recitationCacheProblem() : reciterProblem(playing_);
        !why.isEmpty()) {
        report(why);
        return;
    }
    bool hasBasmala = playing_.isRemote() || QFileInfo::exists(QDir(playing_.source).filePath(ayaFileName(0, 0)));
    for (std::size_t i = 0; i < range.size() && !hasBasmala; ++i)
        hasBasmala = range[i].aya == 1 && !basmalaFile(range[i].sura).isEmpty();
    sequence_ = playSequence(range, ayaRepeat_, rangeRepeat_, hasBasmala);
    const int start = std::max(0, sequence_.indexOf(startAyaId));
    lastAya_ = 0;
    engine_->setRate(speed_);
    startStep(start);
}

QString Recitation::stepFile(const PlayStep &step) const
{
    if (playing_.isRemote())
        return cachedFile(step.aya, step.basmala);
    return step.basmala ? basmalaFile(step.aya.sura) : ayaLocation(playing_, step.aya.sura, step.aya.aya);
}

void Recitation::startStep(int position)
{
    pause_->stop();
    pausedLeftMs_ = -1;
    if (position < 0 || position >= sequence_.size()) {
        stop();
        return;
    }
    const bool first = position_ < 0;
    position_ = position;
    const PlayStep step = sequence_.at(position);
    const bool afterFailedBasmala = std::exchange(afterFailedBasmala_, false);
    if (!step.basmala && step.aya.id != lastAya_) {
        lastAya_ = step.aya.id;
        emit ayaStarted(step.aya.id);
    }
    const QString file = stepFile(step);
    if (!playing_.isRemote()) {
        if (step.basmala && file.isEmpty()) {
            startStep(position + 1);
            return;
        }
        if (!QFileInfo::exists(file)) {
            report(tr("تعذر تحميل تلاوة الآية %1\n%2").arg(ayaCaption(step.aya), file));
            stop();
            return;
        }
    } else if (!QFileInfo::exists(file)) {
        // Fetched beside the basmala that failed: one time limit, not two.
        if (const auto failure = fetchFailures_.constFind(file); afterFailedBasmala && failure != fetchFailures_.cend()) {
            fetchFailed(failure.value());
            return;
        }
        waitingFor_ = file;
        setState(State::Loading);
        if (first)
            emit downloading(true);
        downloader_->fetch(addressOf(playing_, step), file);
        if (step.basmala)
            prefetch(position + 1);
        return;
    }
    // A FIFO or a device in its place would block whoever opens it.
    if (!isRegularFile(file)) {
        report(tr("تعذر تشغيل تلاوة الآية %1: ليس ملفا صوتيا عاديا؛ استبدله بملف الآية.\n%2").arg(ayaCaption(step.aya), file));
        stop();
        return;
    }
    // Unless the engine went on to this file from its queue, it starts
    // afresh with an empty queue.
    if (!advancing_ || position > queuedUpTo_)
        queuedUpTo_ = position;
    engine_->play(QUrl::fromLocalFile(file));
    setState(State::Playing);
    queueNext();
    prefetch(position + 1);
}

void Recitation::queueNext()
{
    if (position_ < 0)
        return;
    queuedUpTo_ = std::max(queuedUpTo_, position_);
    // The files ready to follow, in order, up to the first that is not or
    // the first aya a pause must follow.
    while (queuedUpTo_ < position_ + kQueuedAhead && queuedUpTo_ + 1 < sequence_.size()) {
        if (pauseAfter_ != 0 && !sequence_.at(queuedUpTo_).basmala)
            return;
        const QString file = stepFile(sequence_.at(queuedUpTo_ + 1));
        if (file.isEmpty() || !isRegularFile(file))
            return;
        engine_->queue(QUrl::fromLocalFile(file));
        ++queuedUpTo_;
    }
}

void Recitation::prefetch(int position)
{
    if (!playing_.isRemote() || position >= sequence_.size())
        return;
    const PlayStep step = sequence_.at(position);
    const QString file = cachedFile(step.aya, step.basmala);
    if (!QFileInfo::exists(file))
        downloader_->fetch(addressOf(playing_, step), file);
}

void Recitation::onFetched(const QString &target)
{
    if (position_ < 0)
        return;
    if (target != waitingFor_) {
        // The next file arrived while this one plays: it follows without a gap.
        if (state_ == State::Playing && position_ + 1 < sequence_.size() && stepFile(sequence_.at(position_ + 1)) == target)
            queueNext();
        return;
    }
    waitingFor_.clear();
    emit downloading(false);
    startStep(position_);
}

void Recitation::onFetchFailed(const QString &target, const QString &why)
{
    if (position_ < 0)
        return;
    if (target != waitingFor_) {
        fetchFailures_.insert(target, why); // a file fetched ahead: told when its turn comes
        return;
    }
    waitingFor_.clear();
    emit downloading(false);
    fetchFailed(why);
}

void Recitation::fetchFailed(const QString &why)
{
    const PlayStep step = sequence_.at(position_);
    if (step.basmala) { // a source without basmala files
        afterFailedBasmala_ = true;
        startStep(position_ + 1);
        return;
    }
    report(tr("تعذر تحميل تلاوة الآية %1\n%2").arg(ayaCaption(step.aya), why));
    stop();
}

void Recitation::stepEnded()
{
    if (state_ != State::Playing || position_ < 0)
        return;
    int pauseMs = 0;
    if (!sequence_.at(position_).basmala)
        pauseMs = pauseAfter_ == kPauseAyaLength ? int(heard_.isValid() ? heard_.elapsed() : 0) : pauseAfter_ * 1000;
    if (pauseMs > 0) {
        pause_->start(pauseMs);
        return;
    }
    advancing_ = true;
    startStep(position_ + 1);
    advancing_ = false;
}

void Recitation::pause()
{
    if (state_ != State::Playing)
        return;
    if (pause_->isActive()) {
        pausedLeftMs_ = pause_->remainingTime();
        pause_->stop();
    } else {
        engine_->pause();
    }
    setState(State::Paused);
}

void Recitation::resume()
{
    if (state_ != State::Paused)
        return;
    setState(State::Playing);
    if (pausedLeftMs_ >= 0)
        pause_->start(std::exchange(pausedLeftMs_, -1));
    else
        engine_->resume();
}

void Recitation::cancelFetches()
{
    downloader_->cancelAll();
    if (!waitingFor_.isEmpty())
        emit downloading(false);
    waitingFor_.clear();
}

void Recitation::stop()
{
    cancelFetches();
    pause_->stop();
    pausedLeftMs_ = -1;
    fetchFailures_.clear();
    afterFailedBasmala_ = false;
    sequence_ = {};
    position_ = -1;
    queuedUpTo_ = -1;
    lastAya_ = 0;
    setState(State::Stopped);
    engine_->stop();
}

void Recitation::next()
{
    if (position_ < 0)
        return;
    // During a basmala the aya shown is the one before: next is the aya it opens.
    const PlayStep step = sequence_.at(position_);
    int k = position_ + 1;
    while (!step.basmala && k < sequence_.size() && (sequence_.at(k).aya.id == step.aya.id || sequence_.at(k).basmala))
        ++k;
    cancelFetches();
    startStep(k);
}

void Recitation::previous()
{
    if (position_ < 0)
        return;
    const int current = sequence_.at(position_).aya.id;
    int k = position_;
    while (k > 0 && sequence_.at(k).aya.id == current)
        --k;
    // Back to the first play of that aya.
    const int target = sequence_.at(k).aya.id;
    while (k > 0 && sequence_.at(k - 1).aya.id == target && !sequence_.at(k - 1).basmala)
        --k;
    cancelFetches();
    startStep(k);
}

} // namespace zarfan
