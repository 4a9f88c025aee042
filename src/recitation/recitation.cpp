#include "recitation.h"

#include "data/userstore.h"
#include "downloader.h"
#include "playerengine.h"

#include <QDir>
#include <QFileInfo>
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
int clampRepeat(int n) { return std::clamp(n, 1, Recitation::kMaxRepeat); }
} // namespace

Recitation::Recitation(PlayerEngine *engine, QObject *parent)
    : QObject(parent), engine_(engine), downloader_(new RecitationDownloader(this))
{
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
        if (state_ == State::Loading)
            setState(State::Playing);
    });
    connect(engine_, &PlayerEngine::ended, this, &Recitation::stepEnded);
    connect(engine_, &PlayerEngine::failed, this, [this](const QString &why) {
        if (position_ < 0)
            return;
        report(QStringLiteral("تعذر تشغيل تلاوة الآية %1\n%2").arg(ayaCaption(sequence_.at(std::size_t(position_)).aya), why));
        stop();
    });
}

Recitation::~Recitation() { downloader_->cancelAll(); }

void Recitation::setUserStore(UserStore *store)
{
    store_ = store;
    if (!store_)
        return;
    reciters_ = recitersFromJson(store_->value(kReciters), &droppedReciters_);
    if (droppedReciters_ > 0) // kept without them, so they are told of once
        store_->setValue(kReciters, recitersToJson(reciters_));
    const QByteArray chosen = store_->value(kReciter);
    reciter_ = reciters_.isEmpty() ? -1 : std::clamp(chosen.isEmpty() ? 0 : chosen.toInt(), 0, int(reciters_.size()) - 1);
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
    engine_->setRate(speed_);
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
}

void Recitation::setReciters(const QList<Reciter> &reciters)
{
    const Reciter was = reciter_ >= 0 && reciter_ < reciters_.size() ? reciters_.at(reciter_) : Reciter{};
    reciters_ = reciters;
    reciter_ = int(reciters_.indexOf(was));
    if (reciter_ < 0 && !reciters_.isEmpty())
        reciter_ = 0;
    save();
}

void Recitation::setReciterIndex(int index)
{
    if (index < 0 || index >= reciters_.size() || index == reciter_)
        return;
    reciter_ = index;
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
    return QDir(reciterCacheFolder(playing_)).filePath(ayaFileName(aya.sura, basmala ? 0 : aya.aya));
}

void Recitation::play(const std::vector<AyaRef> &range, int startAyaId)
{
    stop();
    reported_ = false;
    if (reciter_ < 0 || reciter_ >= reciters_.size()) {
        report(QStringLiteral("أضف قارئا من \"مصادر التلاوة\""));
        return;
    }
    if (range.empty()) {
        report(QStringLiteral("لا آيات في المقطع المختار"));
        return;
    }
    if (!engine_->hasOutput()) {
        if (!noOutputTold_)
            emit problem(QStringLiteral("لا يوجد جهاز لإخراج الصوت؛ لا يمكن التشغيل"));
        noOutputTold_ = true;
        return;
    }
    playing_ = reciters_.at(reciter_);
    if (const QString why = reciterProblem(playing_); !why.isEmpty()) {
        report(why);
        return;
    }
    bool hasBasmala = playing_.isRemote() || QFileInfo::exists(QDir(playing_.source).filePath(ayaFileName(0, 0)));
    for (std::size_t i = 0; i < range.size() && !hasBasmala; ++i)
        hasBasmala = range[i].aya == 1 && !basmalaFile(range[i].sura).isEmpty();
    sequence_ = playSequence(range, ayaRepeat_, rangeRepeat_, hasBasmala);
    int start = 0;
    for (std::size_t i = 0; i < sequence_.size(); ++i) {
        if (sequence_[i].aya.id == startAyaId) {
            start = int(i);
            break;
        }
    }
    lastAya_ = 0;
    engine_->setRate(speed_);
    startStep(start);
}

void Recitation::startStep(int position)
{
    if (position < 0 || position >= int(sequence_.size())) {
        stop();
        return;
    }
    const bool first = position_ < 0;
    position_ = position;
    const PlayStep &step = sequence_.at(std::size_t(position));
    if (!step.basmala && step.aya.id != lastAya_) {
        lastAya_ = step.aya.id;
        emit ayaStarted(step.aya.id);
    }
    QString file;
    if (!playing_.isRemote()) {
        file = step.basmala ? basmalaFile(step.aya.sura) : ayaLocation(playing_, step.aya.sura, step.aya.aya);
        if (step.basmala && file.isEmpty()) {
            startStep(position + 1);
            return;
        }
        if (!QFileInfo::exists(file)) {
            report(QStringLiteral("تعذر تحميل تلاوة الآية %1\n%2").arg(ayaCaption(step.aya), file));
            stop();
            return;
        }
    } else {
        file = cachedFile(step.aya, step.basmala);
        if (!QFileInfo::exists(file)) {
            waitingFor_ = file;
            setState(State::Loading);
            if (first)
                emit downloading(true);
            downloader_->fetch(QUrl(ayaLocation(playing_, step.aya.sura, step.basmala ? 0 : step.aya.aya)), file);
            return;
        }
    }
    engine_->play(QUrl::fromLocalFile(file));
    setState(State::Playing);
    prefetch(position + 1);
}

void Recitation::prefetch(int position)
{
    if (!playing_.isRemote() || position >= int(sequence_.size()))
        return;
    const PlayStep &step = sequence_.at(std::size_t(position));
    const QString file = cachedFile(step.aya, step.basmala);
    if (!QFileInfo::exists(file))
        downloader_->fetch(QUrl(ayaLocation(playing_, step.aya.sura, step.basmala ? 0 : step.aya.aya)), file);
}

void Recitation::onFetched(const QString &target)
{
    if (target != waitingFor_ || position_ < 0)
        return;
    waitingFor_.clear();
    emit downloading(false);
    startStep(position_);
}

void Recitation::onFetchFailed(const QString &target, const QString &why)
{
    if (target != waitingFor_ || position_ < 0)
        return; // a prefetch: tried again when its turn comes
    waitingFor_.clear();
    emit downloading(false);
    const PlayStep step = sequence_.at(std::size_t(position_));
    if (step.basmala) { // a source without basmala files
        startStep(position_ + 1);
        return;
    }
    report(QStringLiteral("تعذر تحميل تلاوة الآية %1\n%2").arg(ayaCaption(step.aya), why));
    stop();
}

void Recitation::stepEnded()
{
    if (state_ == State::Playing && position_ >= 0)
        startStep(position_ + 1);
}

void Recitation::pause()
{
    if (state_ != State::Playing)
        return;
    engine_->pause();
    setState(State::Paused);
}

void Recitation::resume()
{
    if (state_ != State::Paused)
        return;
    engine_->resume();
    setState(State::Playing);
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
    sequence_.clear();
    position_ = -1;
    lastAya_ = 0;
    setState(State::Stopped);
    engine_->stop();
}

void Recitation::next()
{
    if (position_ < 0)
        return;
    const int current = sequence_.at(std::size_t(position_)).aya.id;
    int k = position_ + 1;
    while (k < int(sequence_.size()) && (sequence_.at(std::size_t(k)).aya.id == current || sequence_.at(std::size_t(k)).basmala))
        ++k;
    cancelFetches();
    startStep(k);
}

void Recitation::previous()
{
    if (position_ < 0)
        return;
    const int current = sequence_.at(std::size_t(position_)).aya.id;
    int k = position_;
    while (k > 0 && sequence_.at(std::size_t(k)).aya.id == current)
        --k;
    // Back to the first play of that aya.
    const int target = sequence_.at(std::size_t(k)).aya.id;
    while (k > 0 && sequence_.at(std::size_t(k - 1)).aya.id == target && !sequence_.at(std::size_t(k - 1)).basmala)
        --k;
    cancelFetches();
    startStep(k);
}

} // namespace zarfan
