#include "playerengine.h"

#include "playbackpipeline.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QFile>
#include <QMediaDevices>
#include <QPointer>
#include <QThreadPool>
#include <QTimer>
#include <QtEndian>
#include <gst/gst.h>
#include <sys/stat.h>

namespace zarfan {

bool isRegularFile(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace {

// MPEG audio frame length in bytes from its header, or 0 when it is none.
int mpegFrameLength(const uchar *h)
{
    if (h[0] != 0xff || (h[1] & 0xe0) != 0xe0)
        return 0;
    const int version = (h[1] >> 3) & 3, layer = (h[1] >> 1) & 3, rateIndex = (h[2] >> 4) & 15, srIndex = (h[2] >> 2) & 3;
    if (version == 1 || layer == 0 || rateIndex == 0 || rateIndex == 15 || srIndex == 3)
        return 0;
    static const int kbps[2][3][15] = {
        {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
         {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
         {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
        {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
         {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
         {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};
    static const int rates[3] = {44100, 48000, 32000};
    const bool v1 = version == 3;
    const int sampleRate = rates[srIndex] / (v1 ? 1 : version == 2 ? 2 : 4);
    const int l = 3 - layer; // 0: layer I, 1: II, 2: III
    const int bitrate = kbps[v1 ? 0 : 1][l][rateIndex] * 1000, padding = (h[2] >> 1) & 1;
    if (l == 0)
        return (12 * bitrate / sampleRate + padding) * 4;
    return (l == 2 && !v1 ? 72 : 144) * bitrate / sampleRate + padding;
}

} // namespace

bool endsWhole(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return true; // the player tells what is wrong with it
    const QByteArray data = f.read(64 << 20);
    const auto *d = reinterpret_cast<const uchar *>(data.constData());
    const qsizetype n = data.size();
    if (n >= 12 && data.startsWith("RIFF") && data.mid(8, 4) == "WAVE") {
        for (qsizetype at = 12; at + 8 <= n;) {
            const quint32 size = qFromLittleEndian<quint32>(d + at + 4);
            if (data.mid(at, 4) == "data")
                return at + 8 + qsizetype(size) <= n;
            at += 8 + qsizetype(size) + (size & 1);
        }
        return false;
    }
    qsizetype at = 0;
    if (n >= 10 && data.startsWith("ID3"))
        at = 10 + ((d[6] & 0x7f) << 21 | (d[7] & 0x7f) << 14 | (d[8] & 0x7f) << 7 | (d[9] & 0x7f));
    // Walks the frames: a body cut short ends inside its last one.
    while (at + 4 <= n) {
        const int length = mpegFrameLength(d + at);
        if (length <= 0)
            return true; // a tag or data the walk does not know; the decoder judges
        if (at + length > n)
            return false;
        at += length;
    }
    return true;
}

namespace {

bool gstReady()
{
    static const bool ready = [] {
        GError *error = nullptr;
        const bool ok = gst_init_check(nullptr, nullptr, &error);
        if (error)
            g_error_free(error);
        return ok;
    }();
    return ready;
}

// The first play finds its file's type by trying the typefinders in turn,
// each in its plugin, and then builds the parsers and decoders for it: all
// loaded and their classes made here, on a worker, and not at that play.
void warmDecoding()
{
    GList *finders = gst_type_find_factory_get_list();
    for (GList *f = finders; f; f = f->next) {
        if (GstPluginFeature *loaded = gst_plugin_feature_load(GST_PLUGIN_FEATURE(f->data)))
            gst_object_unref(loaded);
    }
    gst_plugin_feature_list_free(finders);
    GstCaps *recited = gst_caps_from_string("audio/mpeg; audio/x-wav; application/x-id3; application/x-apetag; audio/x-raw");
    GList *decoders = gst_element_factory_list_get_elements(GST_ELEMENT_FACTORY_TYPE_DECODABLE, GST_RANK_MARGINAL);
    for (GList *f = decoders; f; f = f->next) {
        auto *factory = GST_ELEMENT_FACTORY(f->data);
        if (!gst_element_factory_can_sink_any_caps(factory, recited))
            continue;
        if (GstElement *e = gst_element_factory_create(factory, nullptr))
            gst_object_unref(gst_object_ref_sink(e));
    }
    gst_plugin_feature_list_free(decoders);
    gst_caps_unref(recited);
}

// How long past its due time the stream's end is waited for.
constexpr int kEndGuardMs = 3000;

constexpr const char *kNeeded[] = {"uridecodebin", "concat", "identity", "audioconvert", "audioresample", "capsfilter", "scaletempo"};

} // namespace

GstPlayerEngine::GstPlayerEngine(QObject *parent) : PlayerEngine(parent), due_(new QTimer(this)), endGuard_(new QTimer(this))
{
    due_->setSingleShot(true);
    due_->setTimerType(Qt::PreciseTimer);
    connect(due_, &QTimer::timeout, this, &GstPlayerEngine::schedule);
    endGuard_->setSingleShot(true);
    connect(endGuard_, &QTimer::timeout, this, [this] {
        if (pipeline_ && playing_)
            reachEnd();
    });
}

GstPlayerEngine::~GstPlayerEngine()
{
    delete pipeline_;
    delete spare_;
}

QStringList GstPlayerEngine::missingElements()
{
    QStringList missing;
    if (!gstReady())
        return {QStringLiteral("gstreamer")};
    for (const char *name : kNeeded) {
        if (GstElementFactory *f = gst_element_factory_find(name))
            gst_object_unref(f);
        else
            missing.append(QString::fromLatin1(name));
    }
    return missing;
}

bool GstPlayerEngine::hasOutput() const
{
    // Asked once it is there: the question costs a look at every device.
    outputSeen_ = outputSeen_ || !sinkFactory_.isEmpty() || !QMediaDevices::audioOutputs().isEmpty();
    return outputSeen_;
}

PlaybackPipeline *GstPlayerEngine::newPipeline()
{
    if (!missingElements().isEmpty())
        return nullptr;
    auto *p = new PlaybackPipeline(sinkFactory_, rate_, this);
    if (!p->isValid()) {
        delete p;
        return nullptr;
    }
    return p;
}

void GstPlayerEngine::prepare()
{
    if (spare_ || warming_)
        return;
    warming_ = true;
    // GStreamer's registry and plugins load on a worker, away from the
    // window; the pipeline is then built and its output opened here.
    QPointer<GstPlayerEngine> self(this);
    const QByteArray sink = sinkFactory_.isEmpty() ? QByteArray("autoaudiosink") : sinkFactory_;
    QThreadPool::globalInstance()->start([self, sink] {
        if (gstReady()) {
            warmDecoding();
            for (const char *name : {"uridecodebin", "decodebin", "concat", "identity", "scaletempo", "audioconvert", "audioresample",
                                     "capsfilter", "typefind", "filesrc", sink.constData()}) {
                if (GstElement *e = gst_element_factory_make(name, nullptr))
                    gst_object_unref(gst_object_ref_sink(e));
            }
        }
        QMetaObject::invokeMethod(qApp, [self] {
            if (!self)
                return;
            self->warming_ = false;
            self->hasOutput();
            if (!self->spare_ && (self->spare_ = self->newPipeline()))
                self->spare_->prepare();
        }, Qt::QueuedConnection);
    });
}

void GstPlayerEngine::fail(Failure kind, const QString &detail)
{
    stop();
    emit failed(kind, detail);
}

void GstPlayerEngine::failLater(Failure kind, const QString &detail)
{
    playing_ = true;
    const int generation = generation_;
    QMetaObject::invokeMethod(this, [this, generation, kind, detail] {
        if (generation == generation_)
            fail(kind, detail);
    }, Qt::QueuedConnection);
}

void GstPlayerEngine::discard()
{
    ++generation_;
    due_->stop();
    endGuard_->stop();
    reached_.clear();
    endAt_ = -1;
    delete pipeline_;
    pipeline_ = nullptr;
}

void GstPlayerEngine::play(const QUrl &file)
{
    if (playing_ && confirmPending_ && file == current_) {
        confirmPending_ = false;
        emit started();
        return;
    }
    discard();
    current_ = file;
    confirmPending_ = false;
    paused_ = false;
    // A file that failed while queued has had its retry: this is it.
    const bool retried = retried_.contains(file);
    retried_.clear();
    if (retried)
        retried_.append(file);
    // Opening a FIFO or a device would block this thread for good.
    if (file.isLocalFile() && !isRegularFile(file.toLocalFile()))
        return failLater(Failure::BadFile, file.toLocalFile() + QStringLiteral(": not a regular file"));
    if (file.isLocalFile() && !endsWhole(file.toLocalFile()))
        return failLater(Failure::BadFile, file.toLocalFile() + QStringLiteral(": the file ends before its last frame"));
    start({file}, 0, false);
}

void GstPlayerEngine::start(const QList<QUrl> &files, qint64 fromNs, bool alreadyHeard)
{
    discard();
    if (spare_ && spare_->rate() != rate_) {
        delete spare_;
        spare_ = nullptr;
    }
    pipeline_ = spare_ ? std::exchange(spare_, nullptr) : newPipeline();
    if (!pipeline_)
        return failLater(Failure::MissingPart, QStringLiteral("missing GStreamer elements: ") + missingElements().join(u", "));
    connect(pipeline_, &PlaybackPipeline::fileReached, this, [this](int index, qint64 at) {
        reached_.emplace_back(index, at);
        schedule();
    });
    connect(pipeline_, &PlaybackPipeline::endReached, this, [this](qint64 at) {
        endAt_ = at;
        schedule();
    });
    connect(pipeline_, &PlaybackPipeline::finished, this, [this] {
        // Played out: whatever was due has been heard.
        for (const auto &r : std::exchange(reached_, {}))
            reach(r.first);
        if (playing_)
            reachEnd();
    });
    connect(pipeline_, &PlaybackPipeline::failed, this, &GstPlayerEngine::onFailed);
    playing_ = true;
    heard_ = alreadyHeard ? 0 : -1;
    firstFromNs_ = fromNs;
    for (int i = 0; i < files.size(); ++i)
        pipeline_->append(files.at(i), i == 0 ? fromNs : 0);
    if (paused_) {
        pipeline_->pause();
        return;
    }
    // Started once the files queued in the same turn have joined: a short
    // file on a slow machine could otherwise end the stream before them.
    const int generation = generation_;
    QMetaObject::invokeMethod(this, [this, generation] {
        if (generation == generation_ && pipeline_ && !paused_ && !pipeline_->play())
            fail(Failure::Output, QStringLiteral("the pipeline did not start"));
    }, Qt::QueuedConnection);
}

void GstPlayerEngine::queue(const QUrl &file)
{
    if (!pipeline_ || !playing_)
        return;
    const int current = std::max(heard_, 0);
    if (file.isEmpty()) {
        // What follows the file heard changes at once.
        if (!pipeline_->truncate(current + 1))
            restartFromHeard(current + 1);
        return;
    }
    if (!file.isLocalFile() || (isRegularFile(file.toLocalFile()) && endsWhole(file.toLocalFile())))
        pipeline_->append(file);
}

void GstPlayerEngine::schedule()
{
    if (!pipeline_ || paused_)
        return;
    const qint64 now = pipeline_->runningTime();
    if (now < 0) { // no clock yet
        due_->start(5);
        return;
    }
    // In the order they were reached, each as its first sample is heard.
    while (!reached_.empty() && reached_.front().second <= now + 1000000) {
        const int index = reached_.front().first;
        reached_.erase(reached_.begin());
        reach(index);
        if (!pipeline_)
            return;
    }
    qint64 next = reached_.empty() ? endAt_ : reached_.front().second;
    if (reached_.empty() && endAt_ >= 0 && endAt_ <= now + 1000000) {
        // The end is told when the sink has played it out (the stream's
        // end); a sink that never does is not waited on for good.
        if (!endGuard_->isActive())
            endGuard_->start(kEndGuardMs);
        return;
    }
    if (next >= 0)
        due_->start(int(std::max<qint64>(1, (next - now) / 1000000)));
}

void GstPlayerEngine::reach(int index)
{
    if (index <= heard_ || index >= pipeline_->fileCount())
        return;
    heard_ = index;
    if (index == 0) {
        emit started();
        // The next play starts from a pipeline already open.
        QTimer::singleShot(0, this, [this] {
            if (!spare_ && (spare_ = newPipeline()))
                spare_->prepare();
        });
        return;
    }
    current_ = pipeline_->file(index);
    confirmPending_ = true;
    emit ended();
}

void GstPlayerEngine::reachEnd()
{
    endAt_ = -1;
    due_->stop();
    endGuard_->stop();
    playing_ = false;
    confirmPending_ = false;
    emit ended();
}

void GstPlayerEngine::restartFromHeard(int keepBefore)
{
    if (!pipeline_)
        return;
    // What is due by now counts as heard first.
    const auto [index, at] = pipeline_->positionAt(pipeline_->runningTime());
    while (!reached_.empty() && reached_.front().first <= index) {
        const int r = reached_.front().first;
        reached_.erase(reached_.begin());
        reach(r);
    }
    const int from = std::max(index, 0);
    const qint64 fromNs = index < 0 ? firstFromNs_ : at;
    const int until = keepBefore < 0 ? pipeline_->fileCount() : std::min(keepBefore, pipeline_->fileCount());
    QList<QUrl> files;
    for (int i = from; i < until; ++i)
        files.append(pipeline_->file(i));
    if (files.isEmpty())
        files.append(current_);
    start(files, fromNs, heard_ >= from);
}

void GstPlayerEngine::onFailed(int index, Failure kind, const QString &detail)
{
    if (!pipeline_ || !playing_)
        return;
    const int current = std::max(heard_, 0);
    if (index > current) {
        // A file ahead: the one heard plays on to its end, and the broken one
        // is tried again, alone, when its turn comes.
        retried_.append(pipeline_->file(index));
        if (!pipeline_->truncate(index))
            restartFromHeard(index);
        return;
    }
    if (index >= 0 && index < current)
        return; // a file already played through
    const QUrl file = index >= 0 ? pipeline_->file(index) : current_;
    if (kind != Failure::MissingPart && !retried_.contains(file)) {
        retried_.append(file);
        restartFromHeard();
        return;
    }
    fail(kind, detail);
}

void GstPlayerEngine::pause()
{
    paused_ = true;
    due_->stop();
    endGuard_->stop();
    if (pipeline_ && playing_)
        pipeline_->pause();
}

void GstPlayerEngine::resume()
{
    paused_ = false;
    if (pipeline_ && playing_) {
        pipeline_->play();
        schedule();
    }
}

void GstPlayerEngine::stop()
{
    discard();
    playing_ = false;
    confirmPending_ = false;
}

void GstPlayerEngine::setRate(double rate)
{
    if (rate <= 0 || rate == rate_)
        return;
    rate_ = rate;
    // The voice goes on from where it is at the new rate, in a stream of
    // its own: the stretcher's state is never carried from one rate to another.
    if (pipeline_ && playing_)
        restartFromHeard();
}

} // namespace zarfan
