#include "playbackpipeline.h"

#include <QMetaObject>
#include <cstring>
#include <gst/gst.h>

namespace zarfan {

namespace {

constexpr int kFrameBytes = PlaybackPipeline::kChannels * 4;
// What the stretcher holds back (a few strides) comes out ahead of this much
// silence at the end of the stream.
constexpr int kDrainFrames = PlaybackPipeline::kRate * 3 / 10;
// How much of that silence is played after the last frame of the voice, for
// what the stretcher holds back.
constexpr int kTailFrames = PlaybackPipeline::kRate * 15 / 100;

bool isUnder(GstObject *object, GstElement *element)
{
    for (GstObject *o = object; o; o = GST_OBJECT_PARENT(o)) {
        if (o == GST_OBJECT(element))
            return true;
    }
    return false;
}

qint64 framesToNs(double frames) { return qint64(frames * 1e9 / PlaybackPipeline::kRate); }

} // namespace

// One file's decoding, brought to the stream's format.
struct PlaybackPipeline::Branch {
    PlaybackPipeline *owner = nullptr;
    int index = 0;
    QUrl file;
    qint64 fromNs = 0;
    GstElement *decode = nullptr, *convert = nullptr, *resample = nullptr, *caps = nullptr;
    GstPad *concatPad = nullptr;
    GstPad *decoded = nullptr; // asked for the file's length at its end
    GstClockTime reached = 0;  // the furthest point decoded
    std::atomic<bool> linked{false};
    ~Branch()
    {
        if (decoded)
            gst_object_unref(decoded);
        if (concatPad)
            gst_object_unref(concatPad);
    }
    bool holds(GstObject *object) const
    {
        for (GstElement *e : {decode, convert, resample, caps}) {
            if (isUnder(object, e))
                return true;
        }
        return false;
    }
};

// GStreamer's threads call these; what the owner must act on goes through
// its event loop.
struct PlaybackHooks {
    static GstBusSyncReply bus(GstBus *, GstMessage *message, gpointer data)
    {
        auto *owner = static_cast<PlaybackPipeline *>(data);
        const GstMessageType type = GST_MESSAGE_TYPE(message);
        if (type == GST_MESSAGE_ERROR || type == GST_MESSAGE_EOS
            || (type == GST_MESSAGE_ELEMENT && gst_message_has_name(message, "missing-plugin"))) {
            gst_message_ref(message);
            QMetaObject::invokeMethod(owner, [owner, message] {
                owner->handle(message);
                gst_message_unref(message);
            }, Qt::QueuedConnection);
        }
        return GST_BUS_DROP;
    }

    // The stream's sinks hold a second of sound, as desktop players do, so
    // that a busy machine does not starve them.
    static void elementAdded(GstBin *, GstBin *, GstElement *element, gpointer)
    {
        GObjectClass *klass = G_OBJECT_GET_CLASS(element);
        if (g_object_class_find_property(klass, "buffer-time") && g_object_class_find_property(klass, "latency-time"))
            g_object_set(element, "buffer-time", gint64(1000000), "latency-time", gint64(20000), nullptr);
    }

    static void padAdded(GstElement *, GstPad *pad, gpointer data)
    {
        auto *branch = static_cast<PlaybackPipeline::Branch *>(data);
        GstCaps *caps = gst_pad_get_current_caps(pad);
        if (!caps)
            caps = gst_pad_query_caps(pad, nullptr);
        const bool audio = caps && gst_caps_get_size(caps) > 0
                           && g_str_has_prefix(gst_structure_get_name(gst_caps_get_structure(caps, 0)), "audio/");
        if (caps)
            gst_caps_unref(caps);
        if (!audio || branch->linked.exchange(true)) // a cover picture, or a second stream
            return;
        branch->decoded = GST_PAD(gst_object_ref(pad));
        gst_pad_add_probe(pad, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM), decoded, branch, nullptr);
        GstPad *sink = gst_element_get_static_pad(branch->convert, "sink");
        gst_pad_link(pad, sink);
        gst_object_unref(sink);
    }

    // A file with no audio in it would hold the stream up for good.
    static void noMorePads(GstElement *, gpointer data)
    {
        auto *branch = static_cast<PlaybackPipeline::Branch *>(data);
        if (branch->linked)
            return;
        PlaybackPipeline *owner = branch->owner;
        const int index = branch->index;
        const QString detail = branch->file.toLocalFile() + QStringLiteral(": no audio in the file");
        QMetaObject::invokeMethod(owner, [owner, index, detail] { emit owner->failed(index, PlayerEngine::Failure::BadFile, detail); },
                                  Qt::QueuedConnection);
    }

    // The decoded audio against the file's length: a file cut short or
    // padded with garbage is told apart from a whole one.
    static GstPadProbeReturn decoded(GstPad *, GstPadProbeInfo *info, gpointer data)
    {
        auto *branch = static_cast<PlaybackPipeline::Branch *>(data);
        if (info->type & GST_PAD_PROBE_TYPE_BUFFER) {
            GstBuffer *buffer = GST_PAD_PROBE_INFO_BUFFER(info);
            if (GST_BUFFER_PTS_IS_VALID(buffer))
                branch->reached = std::max(branch->reached, GST_BUFFER_PTS(buffer) + (GST_BUFFER_DURATION_IS_VALID(buffer) ? GST_BUFFER_DURATION(buffer) : 0));
            return GST_PAD_PROBE_OK;
        }
        if (GST_EVENT_TYPE(GST_PAD_PROBE_INFO_EVENT(info)) != GST_EVENT_EOS)
            return GST_PAD_PROBE_OK;
        gint64 length = -1;
        gst_pad_query_duration(branch->decoded, GST_FORMAT_TIME, &length);
        const qint64 reachedMs = qint64(branch->reached / GST_MSECOND);
        const qint64 lengthMs = length > 0 ? length / qint64(GST_MSECOND) : -1;
        // Whole files end within a few frames of their stated length.
        if (reachedMs < 50 || (lengthMs > 0 && reachedMs < lengthMs * 9 / 10 - 100)) {
            PlaybackPipeline *owner = branch->owner;
            const int index = branch->index;
            const QString detail = QStringLiteral("%1: decoded %2 ms of %3 ms").arg(branch->file.toLocalFile()).arg(reachedMs).arg(lengthMs);
            QMetaObject::invokeMethod(owner, [owner, index, detail] { emit owner->failed(index, PlayerEngine::Failure::BadFile, detail); },
                                      Qt::QueuedConnection);
        }
        return GST_PAD_PROBE_OK;
    }

    // A file heard from a point inside it: what comes before is left out.
    static GstPadProbeReturn trim(GstPad *, GstPadProbeInfo *info, gpointer data)
    {
        auto *branch = static_cast<PlaybackPipeline::Branch *>(data);
        if (!(info->type & GST_PAD_PROBE_TYPE_BUFFER) || branch->fromNs <= 0)
            return GST_PAD_PROBE_OK;
        GstBuffer *buffer = GST_PAD_PROBE_INFO_BUFFER(info);
        if (!GST_BUFFER_PTS_IS_VALID(buffer))
            return GST_PAD_PROBE_OK;
        const qint64 pts = qint64(GST_BUFFER_PTS(buffer));
        const gsize size = gst_buffer_get_size(buffer);
        const gsize skip = pts >= branch->fromNs ? 0 : gsize((branch->fromNs - pts) * PlaybackPipeline::kRate / 1000000000) * kFrameBytes;
        if (skip == 0)
            return GST_PAD_PROBE_OK;
        if (skip >= size)
            return GST_PAD_PROBE_DROP;
        GstBuffer *kept = gst_buffer_copy_region(buffer, GST_BUFFER_COPY_ALL, skip, size - skip);
        GST_BUFFER_PTS(kept) = GstClockTime(branch->fromNs);
        gst_buffer_unref(buffer);
        GST_PAD_PROBE_INFO_DATA(info) = kept;
        return GST_PAD_PROBE_OK;
    }

    // What enters the stretcher: each file's segment carries the rate, the
    // first frame of each file is counted as its boundary, and at the end
    // silence pushes out what the stretcher holds.
    static GstPadProbeReturn input(GstPad *, GstPadProbeInfo *info, gpointer data)
    {
        auto *owner = static_cast<PlaybackPipeline *>(data);
        if (info->type & GST_PAD_PROBE_TYPE_BUFFER) {
            GstBuffer *buffer = GST_PAD_PROBE_INFO_BUFFER(info);
            std::lock_guard lock(owner->lock_);
            if (owner->newFile_) {
                owner->newFile_ = false;
                const int index = owner->entered_;
                const qint64 fromNs = index < int(owner->branches_.size()) ? owner->branches_[std::size_t(index)]->fromNs : 0;
                owner->boundaries_.push_back({index, owner->inFrames_, fromNs});
                const qint64 at = framesToNs(double(owner->inFrames_) / owner->rate_);
                QMetaObject::invokeMethod(owner, [owner, index, at] { emit owner->fileReached(index, at); }, Qt::QueuedConnection);
            }
            owner->inFrames_ += qint64(gst_buffer_get_size(buffer) / kFrameBytes);
            if (GST_BUFFER_PTS_IS_VALID(buffer))
                owner->lastInEnd_ = qint64(GST_BUFFER_PTS(buffer) + (GST_BUFFER_DURATION_IS_VALID(buffer) ? GST_BUFFER_DURATION(buffer) : 0));
            return GST_PAD_PROBE_OK;
        }
        GstEvent *event = GST_PAD_PROBE_INFO_EVENT(info);
        switch (GST_EVENT_TYPE(event)) {
        case GST_EVENT_STREAM_START: {
            std::lock_guard lock(owner->lock_);
            ++owner->entered_;
            owner->newFile_ = true;
            break;
        }
        case GST_EVENT_SEGMENT: {
            const GstSegment *segment = nullptr;
            gst_event_parse_segment(event, &segment);
            if (segment->format != GST_FORMAT_TIME)
                break;
            GstSegment changed;
            gst_segment_copy_into(segment, &changed);
            changed.rate = owner->rate_;
            changed.stop = GST_CLOCK_TIME_NONE; // the draining silence lies past the file's end
            GstEvent *replaced = gst_event_new_segment(&changed);
            gst_event_set_seqnum(replaced, gst_event_get_seqnum(event));
            gst_event_unref(event);
            GST_PAD_PROBE_INFO_DATA(info) = replaced;
            break;
        }
        case GST_EVENT_EOS: {
            qint64 at, pts;
            {
                std::lock_guard lock(owner->lock_);
                owner->ended_ = true;
                owner->endOutFrames_ = qint64(double(owner->inFrames_) / owner->rate_) + kTailFrames;
                at = framesToNs(double(owner->inFrames_) / owner->rate_);
                pts = owner->lastInEnd_;
            }
            QMetaObject::invokeMethod(owner, [owner, at] { emit owner->endReached(at); }, Qt::QueuedConnection);
            GstBuffer *silence = gst_buffer_new_allocate(nullptr, gsize(kDrainFrames) * kFrameBytes, nullptr);
            gst_buffer_memset(silence, 0, 0, gsize(kDrainFrames) * kFrameBytes);
            GST_BUFFER_PTS(silence) = GstClockTime(pts);
            GST_BUFFER_DURATION(silence) = GstClockTime(framesToNs(kDrainFrames));
            gst_pad_push(owner->drainPad_, silence);
            break;
        }
        default:
            break;
        }
        return GST_PAD_PROBE_OK;
    }

    // What leaves the stretcher is stamped by its frames, one unbroken line
    // from zero: its own stamps jump where a file begins, and a sink that
    // follows them opens holes or cuts sound.
    static GstPadProbeReturn output(GstPad *, GstPadProbeInfo *info, gpointer data)
    {
        auto *owner = static_cast<PlaybackPipeline *>(data);
        if (info->type & GST_PAD_PROBE_TYPE_BUFFER) {
            GstBuffer *buffer = gst_buffer_make_writable(GST_PAD_PROBE_INFO_BUFFER(info));
            GST_PAD_PROBE_INFO_DATA(info) = buffer;
            qint64 frames = qint64(gst_buffer_get_size(buffer) / kFrameBytes);
            std::lock_guard lock(owner->lock_);
            // Past the voice only the draining silence is left: the sink is
            // not kept waiting on it to tell that the stream was played out.
            if (owner->endOutFrames_ >= 0 && owner->outFrames_ + frames > owner->endOutFrames_) {
                frames = std::max<qint64>(0, owner->endOutFrames_ - owner->outFrames_);
                if (frames == 0)
                    return GST_PAD_PROBE_DROP;
                gst_buffer_resize(buffer, 0, gssize(frames * kFrameBytes));
            }
            GST_BUFFER_PTS(buffer) = GstClockTime(framesToNs(double(owner->outFrames_)));
            GST_BUFFER_DURATION(buffer) = GstClockTime(framesToNs(double(owner->outFrames_ + frames)) - framesToNs(double(owner->outFrames_)));
            GST_BUFFER_FLAG_UNSET(buffer, GST_BUFFER_FLAG_DISCONT);
            owner->outFrames_ += frames;
            return GST_PAD_PROBE_OK;
        }
        GstEvent *event = GST_PAD_PROBE_INFO_EVENT(info);
        if (GST_EVENT_TYPE(event) == GST_EVENT_GAP)
            return GST_PAD_PROBE_DROP;
        if (GST_EVENT_TYPE(event) == GST_EVENT_SEGMENT) {
            GstSegment line;
            gst_segment_init(&line, GST_FORMAT_TIME);
            GstEvent *replaced = gst_event_new_segment(&line);
            gst_event_set_seqnum(replaced, gst_event_get_seqnum(event));
            gst_event_unref(event);
            GST_PAD_PROBE_INFO_DATA(info) = replaced;
        }
        return GST_PAD_PROBE_OK;
    }
};

PlaybackPipeline::PlaybackPipeline(const QByteArray &sinkFactory, double rate, QObject *parent)
    : QObject(parent), rate_(rate > 0 ? rate : 1.0)
{
    GstElement *pipeline = gst_pipeline_new("recitation");
    g_signal_connect(pipeline, "deep-element-added", G_CALLBACK(PlaybackHooks::elementAdded), nullptr);
    concat_ = gst_element_factory_make("concat", nullptr);
    GstElement *drain = gst_element_factory_make("identity", nullptr), *tempo = gst_element_factory_make("scaletempo", nullptr),
               *convert = gst_element_factory_make("audioconvert", nullptr), *resample = gst_element_factory_make("audioresample", nullptr);
    sink_ = gst_element_factory_make(sinkFactory.isEmpty() ? "autoaudiosink" : sinkFactory.constData(), nullptr);
    if (!concat_ || !drain || !tempo || !convert || !resample || !sink_) {
        for (GstElement *e : {concat_, drain, tempo, convert, resample, sink_}) {
            if (e)
                gst_object_unref(gst_object_ref_sink(e));
        }
        gst_object_unref(gst_object_ref_sink(pipeline));
        concat_ = sink_ = nullptr;
        return;
    }
    pipeline_ = GST_ELEMENT(gst_object_ref_sink(pipeline));
    gst_bin_add_many(GST_BIN(pipeline_), concat_, drain, tempo, convert, resample, sink_, nullptr);
    gst_element_link_many(concat_, drain, tempo, convert, resample, sink_, nullptr);
    PlaybackHooks::elementAdded(nullptr, nullptr, sink_, nullptr);
    GstPad *in = gst_element_get_static_pad(drain, "sink");
    gst_pad_add_probe(in, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM), PlaybackHooks::input, this, nullptr);
    gst_object_unref(in);
    drainPad_ = gst_element_get_static_pad(drain, "src");
    GstPad *out = gst_element_get_static_pad(tempo, "src");
    gst_pad_add_probe(out, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM), PlaybackHooks::output, this, nullptr);
    gst_object_unref(out);
    GstBus *bus = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(bus, PlaybackHooks::bus, this, nullptr);
    gst_object_unref(bus);
}

PlaybackPipeline::~PlaybackPipeline()
{
    if (!pipeline_)
        return;
    // Stops GStreamer's threads before what they use goes.
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    GstBus *bus = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(drainPad_);
    gst_object_unref(pipeline_);
}

void PlaybackPipeline::prepare()
{
    if (pipeline_ && GST_STATE(pipeline_) < GST_STATE_READY)
        gst_element_set_state(pipeline_, GST_STATE_READY);
}

QUrl PlaybackPipeline::file(int index) const
{
    return index >= 0 && index < fileCount() ? branches_[std::size_t(index)]->file : QUrl();
}

bool PlaybackPipeline::append(const QUrl &file, qint64 fromNs)
{
    if (!pipeline_ || ended_)
        return false;
    auto branch = std::make_unique<Branch>();
    branch->owner = this;
    branch->index = fileCount();
    branch->file = file;
    branch->fromNs = fromNs;
    branch->decode = gst_element_factory_make("uridecodebin", nullptr);
    branch->convert = gst_element_factory_make("audioconvert", nullptr);
    branch->resample = gst_element_factory_make("audioresample", nullptr);
    branch->caps = gst_element_factory_make("capsfilter", nullptr);
    if (!branch->decode || !branch->convert || !branch->resample || !branch->caps)
        return false;
    GstCaps *format = gst_caps_new_simple("audio/x-raw", "format", G_TYPE_STRING, "F32LE", "rate", G_TYPE_INT, kRate, "channels",
                                          G_TYPE_INT, kChannels, "layout", G_TYPE_STRING, "interleaved", nullptr);
    g_object_set(branch->caps, "caps", format, nullptr);
    gst_caps_unref(format);
    g_object_set(branch->decode, "uri", file.toEncoded().constData(), nullptr);
    g_signal_connect(branch->decode, "pad-added", G_CALLBACK(PlaybackHooks::padAdded), branch.get());
    g_signal_connect(branch->decode, "no-more-pads", G_CALLBACK(PlaybackHooks::noMorePads), branch.get());
    gst_bin_add_many(GST_BIN(pipeline_), branch->decode, branch->convert, branch->resample, branch->caps, nullptr);
    gst_element_link_many(branch->convert, branch->resample, branch->caps, nullptr);
    GstPad *out = gst_element_get_static_pad(branch->caps, "src");
    gst_pad_add_probe(out, GST_PAD_PROBE_TYPE_BUFFER, PlaybackHooks::trim, branch.get(), nullptr);
    {
        std::lock_guard lock(lock_);
        branches_.push_back(std::move(branch));
    }
    Branch *b = branches_.back().get();
    b->concatPad = gst_element_request_pad_simple(concat_, "sink_%u");
    gst_pad_link(out, b->concatPad);
    gst_object_unref(out);
    if (GST_STATE(pipeline_) > GST_STATE_NULL || GST_STATE_PENDING(pipeline_) > GST_STATE_NULL) {
        for (GstElement *e : {b->caps, b->resample, b->convert, b->decode})
            gst_element_sync_state_with_parent(e);
    }
    return true;
}

bool PlaybackPipeline::truncate(int index)
{
    if (index >= fileCount())
        return true;
    {
        std::lock_guard lock(lock_);
        if (index <= entered_ || ended_)
            return false;
    }
    for (int i = fileCount() - 1; i >= index; --i) {
        Branch *b = branches_[std::size_t(i)].get();
        // First the pad: its thread waits inside concat for its turn, holding
        // the lock that stopping the branch needs.
        gst_element_release_request_pad(concat_, b->concatPad);
        for (GstElement *e : {b->decode, b->convert, b->resample, b->caps}) {
            gst_element_set_state(e, GST_STATE_NULL);
            gst_bin_remove(GST_BIN(pipeline_), e);
        }
        // The branch stays: a late call from its threads may still name it.
        b->file.clear();
    }
    std::lock_guard lock(lock_);
    for (int i = fileCount() - 1; i >= index; --i)
        dropped_.push_back(std::move(branches_[std::size_t(i)]));
    branches_.resize(std::size_t(index));
    return true;
}

bool PlaybackPipeline::play()
{
    return pipeline_ && gst_element_set_state(pipeline_, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
}

void PlaybackPipeline::pause()
{
    if (pipeline_)
        gst_element_set_state(pipeline_, GST_STATE_PAUSED);
}

qint64 PlaybackPipeline::runningTime() const
{
    GstClock *clock = pipeline_ ? gst_element_get_clock(pipeline_) : nullptr;
    if (!clock)
        return -1;
    // The sink's own time: while a file queued later still prepares, the
    // pipeline as a whole reads as paused though the sink plays on.
    GST_OBJECT_LOCK(sink_);
    const bool playing = GST_STATE(sink_) == GST_STATE_PLAYING;
    GST_OBJECT_UNLOCK(sink_);
    if (!playing) {
        gst_object_unref(clock);
        // Paused: the time stood still where it stopped.
        const GstClockTime start = gst_element_get_start_time(pipeline_);
        return GST_CLOCK_TIME_IS_VALID(start) ? qint64(start) : -1;
    }
    const GstClockTime now = gst_clock_get_time(clock);
    gst_object_unref(clock);
    const GstClockTime base = gst_element_get_base_time(sink_);
    return now >= base ? qint64(now - base) : 0;
}

std::pair<int, qint64> PlaybackPipeline::positionAt(qint64 runningTime) const
{
    std::lock_guard lock(lock_);
    const double frame = double(std::max<qint64>(0, runningTime)) * kRate / 1e9 * rate_;
    for (auto b = boundaries_.rbegin(); b != boundaries_.rend(); ++b) {
        if (double(b->frame) <= frame)
            return {b->index, b->fromNs + framesToNs(frame - double(b->frame))};
    }
    return {-1, 0};
}

int PlaybackPipeline::branchOf(GstMessage *message) const
{
    for (const auto &b : branches_) {
        if (b->holds(GST_MESSAGE_SRC(message)))
            return b->index;
    }
    return -1;
}

void PlaybackPipeline::handle(GstMessage *message)
{
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
        emit finished();
        break;
    case GST_MESSAGE_ELEMENT: {
        // Missing a decoder for audio is the system's lack; for anything else
        // (an error page saved as .mp3) it is the file's fault.
        const GValue *detail = gst_structure_get_value(gst_message_get_structure(message), "detail");
        gchar *caps = detail && GST_VALUE_HOLDS_CAPS(detail) ? gst_caps_to_string(gst_value_get_caps(detail)) : nullptr;
        missingAudioDecoder_ = caps && g_str_has_prefix(caps, "audio/");
        missingWhat_ = QString::fromUtf8(caps ? caps : "");
        g_free(caps);
        break;
    }
    case GST_MESSAGE_ERROR: {
        GError *error = nullptr;
        gchar *debug = nullptr;
        gst_message_parse_error(message, &error, &debug);
        QString detail = QString::fromUtf8(error->message);
        const int index = branchOf(message);
        GstObject *source = GST_MESSAGE_SRC(message);
        // Only what the file itself holds is the file's fault; the rest is
        // the stream or the output, and a good file is never blamed for it.
        PlayerEngine::Failure kind = PlayerEngine::Failure::Stream;
        if ((error->domain == GST_CORE_ERROR && error->code == GST_CORE_ERROR_MISSING_PLUGIN)
            || (error->domain == GST_STREAM_ERROR && error->code == GST_STREAM_ERROR_CODEC_NOT_FOUND)) {
            kind = missingAudioDecoder_ || missingWhat_.isEmpty() ? PlayerEngine::Failure::MissingPart : PlayerEngine::Failure::BadFile;
            if (!missingWhat_.isEmpty())
                detail += QStringLiteral(" (%1)").arg(missingWhat_);
        } else if (isUnder(source, sink_) || (GST_IS_ELEMENT(source) && GST_OBJECT_FLAG_IS_SET(source, GST_ELEMENT_FLAG_SINK))) {
            kind = PlayerEngine::Failure::Output;
        } else if (index >= 0
                   && ((error->domain == GST_STREAM_ERROR
                        && (error->code == GST_STREAM_ERROR_DECODE || error->code == GST_STREAM_ERROR_TYPE_NOT_FOUND
                            || error->code == GST_STREAM_ERROR_WRONG_TYPE || error->code == GST_STREAM_ERROR_DEMUX
                            || error->code == GST_STREAM_ERROR_FORMAT))
                       || (error->domain == GST_RESOURCE_ERROR
                           && (error->code == GST_RESOURCE_ERROR_NOT_FOUND || error->code == GST_RESOURCE_ERROR_OPEN_READ
                               || error->code == GST_RESOURCE_ERROR_READ)))) {
            kind = PlayerEngine::Failure::BadFile;
        }
        if (index >= 0)
            detail = branches_[std::size_t(index)]->file.toLocalFile() + QStringLiteral(": ") + detail;
        g_error_free(error);
        g_free(debug);
        emit failed(index, kind, detail);
        break;
    }
    default:
        break;
    }
}

} // namespace zarfan
