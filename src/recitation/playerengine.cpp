#include "playerengine.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QMutexLocker>
#include <QtEndian>
#include <cstring>
#include <gst/gst.h>
#include <memory>
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

// What one decoder gave: the furthest point of its audio. At its end this is
// held against the length the parser found, so that a file cut short or
// padded with garbage is told apart from a whole one.
struct DecodeTrack {
    GstPlayerEngine *engine = nullptr;
    GstPad *pad = nullptr; // the decoded audio, asked for the length
    GstClockTime reached = 0;
    int generation = 0;
    ~DecodeTrack()
    {
        if (pad)
            gst_object_unref(pad);
    }
};

bool isUnder(GstObject *object, GstElement *element)
{
    for (GstObject *o = object; o; o = GST_OBJECT_PARENT(o)) {
        if (o == GST_OBJECT(element))
            return true;
    }
    return false;
}

} // namespace

// scaletempo stamps its output from its input, so each stretched buffer may
// sit a few tens of ms off the one before; an audio sink's default would
// fill such a hole with silence or cut the overlap. Played as it comes, the
// audio stays whole.
static void tolerateStretching(GstElement *element)
{
    if (g_object_class_find_property(G_OBJECT_GET_CLASS(element), "alignment-threshold"))
        g_object_set(element, "alignment-threshold", guint64(300 * GST_MSECOND), nullptr);
}

// The engine's hooks into GStreamer's threads; everything they tell the
// engine goes through its event loop.
struct GstEngineHooks {
    static GstBusSyncReply bus(GstBus *, GstMessage *message, gpointer data)
    {
        auto *engine = static_cast<GstPlayerEngine *>(data);
        switch (GST_MESSAGE_TYPE(message)) {
        case GST_MESSAGE_STATE_CHANGED:
            if (GST_MESSAGE_SRC(message) != GST_OBJECT(engine->pipeline_))
                break;
            [[fallthrough]];
        case GST_MESSAGE_ELEMENT:
            if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ELEMENT && !gst_message_has_name(message, "missing-plugin"))
                break;
            [[fallthrough]];
        case GST_MESSAGE_EOS:
        case GST_MESSAGE_ERROR:
        case GST_MESSAGE_STREAM_START: {
            const int generation = engine->generation_;
            std::shared_ptr<GstMessage> held(gst_message_ref(message), gst_message_unref);
            QMetaObject::invokeMethod(engine, [engine, held, generation] { engine->handle(held.get(), generation); },
                                      Qt::QueuedConnection);
            break;
        }
        default:
            break;
        }
        return GST_BUS_DROP;
    }

    static void aboutToFinish(GstElement *, gpointer data) { static_cast<GstPlayerEngine *>(data)->takeQueued(); }

    // Every file's decoding bin: the audio it gives carries the rate in its
    // segments, so that scaletempo stretches each new file from its first
    // sample and the running time stays whole across files; and its audio is
    // measured against the file's length.
    static void elementSetup(GstElement *, GstElement *element, gpointer data)
    {
        tolerateStretching(element);
        GstElementFactory *factory = gst_element_get_factory(element);
        if (factory && std::strcmp(GST_OBJECT_NAME(factory), "uridecodebin") == 0)
            g_signal_connect(element, "pad-added", G_CALLBACK(padAdded), data);
    }

    static void padAdded(GstElement *, GstPad *pad, gpointer data)
    {
        GstCaps *caps = gst_pad_get_current_caps(pad);
        if (!caps)
            caps = gst_pad_query_caps(pad, nullptr);
        const bool audio = caps && gst_caps_get_size(caps) > 0
                           && g_str_has_prefix(gst_structure_get_name(gst_caps_get_structure(caps, 0)), "audio/");
        if (caps)
            gst_caps_unref(caps);
        if (!audio) // a cover picture
            return;
        auto *track = new DecodeTrack;
        track->engine = static_cast<GstPlayerEngine *>(data);
        track->pad = GST_PAD(gst_object_ref(pad));
        track->generation = track->engine->generation_;
        gst_pad_add_probe(pad, GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM), decoderProbe,
                          track, [](gpointer t) { delete static_cast<DecodeTrack *>(t); });
    }

    static GstPadProbeReturn decoderProbe(GstPad *, GstPadProbeInfo *info, gpointer data)
    {
        auto *track = static_cast<DecodeTrack *>(data);
        if (info->type & GST_PAD_PROBE_TYPE_BUFFER) {
            GstBuffer *buffer = GST_PAD_PROBE_INFO_BUFFER(info);
            if (GST_BUFFER_PTS_IS_VALID(buffer)) {
                const GstClockTime end = GST_BUFFER_PTS(buffer) + (GST_BUFFER_DURATION_IS_VALID(buffer) ? GST_BUFFER_DURATION(buffer) : 0);
                track->reached = std::max(track->reached, end);
            }
            return GST_PAD_PROBE_OK;
        }
        GstEvent *event = GST_PAD_PROBE_INFO_EVENT(info);
        if (GST_EVENT_TYPE(event) == GST_EVENT_SEGMENT) {
            const GstSegment *segment = nullptr;
            gst_event_parse_segment(event, &segment);
            const double rate = track->engine->rate_;
            if (segment->format == GST_FORMAT_TIME && segment->rate > 0 && segment->rate != rate) {
                GstSegment changed;
                gst_segment_copy_into(segment, &changed);
                changed.rate = rate;
                GstEvent *replaced = gst_event_new_segment(&changed);
                gst_event_set_seqnum(replaced, gst_event_get_seqnum(event));
                gst_event_unref(event);
                GST_PAD_PROBE_INFO_DATA(info) = replaced;
            }
        } else if (GST_EVENT_TYPE(event) == GST_EVENT_EOS) {
            gint64 length = -1;
            gst_pad_query_duration(track->pad, GST_FORMAT_TIME, &length);
            const qint64 reachedMs = qint64(track->reached / GST_MSECOND);
            const qint64 lengthMs = length > 0 ? length / qint64(GST_MSECOND) : -1;
            // Whole files end within a few frames of their stated length.
            if (reachedMs < 50 || (lengthMs > 0 && reachedMs < lengthMs * 9 / 10 - 100)) {
                GstPlayerEngine *engine = track->engine;
                const int generation = track->generation;
                const QString detail = QStringLiteral("decoded %1 ms of %2 ms").arg(reachedMs).arg(lengthMs);
                QMetaObject::invokeMethod(engine, [engine, generation, detail] {
                    if (generation == engine->generation_)
                        engine->fail(PlayerEngine::Failure::BadFile, detail);
                }, Qt::QueuedConnection);
            }
        }
        return GST_PAD_PROBE_OK;
    }
};

GstPlayerEngine::GstPlayerEngine(QObject *parent) : PlayerEngine(parent) {}

GstPlayerEngine::~GstPlayerEngine()
{
    if (!pipeline_)
        return;
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    GstBus *bus = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(pipeline_);
}

QStringList GstPlayerEngine::missingElements()
{
    QStringList missing;
    if (!gstReady())
        return {QStringLiteral("gstreamer")};
    for (const char *name : {"playbin", "audioconvert", "scaletempo"}) {
        if (GstElementFactory *f = gst_element_factory_find(name))
            gst_object_unref(f);
        else
            missing.append(QString::fromLatin1(name));
    }
    return missing;
}

bool GstPlayerEngine::hasOutput() const
{
    return !sinkFactory_.isEmpty() || !QMediaDevices::audioOutputs().isEmpty();
}

bool GstPlayerEngine::ensurePipeline()
{
    if (pipeline_)
        return true;
    if (!missingElements().isEmpty())
        return false;
    pipeline_ = gst_element_factory_make("playbin", "recitation");
    gst_object_ref_sink(pipeline_);
    g_object_set(pipeline_, "flags", 0x2 /* audio only */, nullptr);
    GstElement *filter = gst_bin_new("tempo");
    GstElement *in = gst_element_factory_make("audioconvert", nullptr), *tempo = gst_element_factory_make("scaletempo", nullptr),
               *out = gst_element_factory_make("audioconvert", nullptr);
    gst_bin_add_many(GST_BIN(filter), in, tempo, out, nullptr);
    gst_element_link_many(in, tempo, out, nullptr);
    for (auto [element, name] : {std::pair{in, "sink"}, std::pair{out, "src"}}) {
        GstPad *pad = gst_element_get_static_pad(element, name);
        gst_element_add_pad(filter, gst_ghost_pad_new(name, pad));
        gst_object_unref(pad);
    }
    g_object_set(pipeline_, "audio-filter", filter, nullptr);
    if (!sinkFactory_.isEmpty()) {
        if (GstElement *sink = gst_element_factory_make(sinkFactory_.constData(), nullptr)) {
            tolerateStretching(sink);
            g_object_set(pipeline_, "audio-sink", sink, nullptr);
        }
    }
    g_signal_connect(pipeline_, "about-to-finish", G_CALLBACK(GstEngineHooks::aboutToFinish), this);
    g_signal_connect(pipeline_, "element-setup", G_CALLBACK(GstEngineHooks::elementSetup), this);
    GstBus *bus = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(bus, GstEngineHooks::bus, this, nullptr);
    gst_object_unref(bus);
    return true;
}

void GstPlayerEngine::fail(Failure kind, const QString &detail)
{
    stop();
    emit failed(kind, detail);
}

void GstPlayerEngine::play(const QUrl &file)
{
    if (playing_ && confirmPending_ && file == current_) {
        confirmPending_ = false;
        heard_ = true;
        emit started();
        return;
    }
    const int generation = ++generation_;
    const auto failLater = [this, generation](Failure kind, const QString &detail) {
        QMetaObject::invokeMethod(this, [this, generation, kind, detail] {
            if (generation == generation_)
                fail(kind, detail);
        }, Qt::QueuedConnection);
    };
    if (!ensurePipeline()) {
        playing_ = true;
        return failLater(Failure::MissingPart, QStringLiteral("missing GStreamer elements: ") + missingElements().join(u", "));
    }
    gst_element_set_state(pipeline_, GST_STATE_READY);
    {
        QMutexLocker lock(&queueLock_);
        queued_.clear();
        handedOver_.clear();
    }
    current_ = file;
    paused_ = false;
    missingAudioDecoder_ = false;
    missingWhat_.clear();
    playing_ = true;
    heard_ = false;
    confirmPending_ = false;
    // Opening a FIFO or a device would block this thread for good.
    if (file.isLocalFile() && !isRegularFile(file.toLocalFile()))
        return failLater(Failure::BadFile, file.toLocalFile() + QStringLiteral(": not a regular file"));
    if (file.isLocalFile() && !endsWhole(file.toLocalFile()))
        return failLater(Failure::BadFile, file.toLocalFile() + QStringLiteral(": the file ends before its last frame"));
    g_object_set(pipeline_, "uri", file.toEncoded().constData(), nullptr);
    if (gst_element_set_state(pipeline_, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
        failLater(Failure::Output, QStringLiteral("the pipeline did not start"));
}

void GstPlayerEngine::queue(const QUrl &file)
{
    QMutexLocker lock(&queueLock_);
    if (file.isEmpty())
        queued_.clear();
    else if (!file.isLocalFile() || (isRegularFile(file.toLocalFile()) && endsWhole(file.toLocalFile())))
        queued_.append(file);
}

void GstPlayerEngine::takeQueued()
{
    QMutexLocker lock(&queueLock_);
    if (queued_.isEmpty())
        return;
    const QUrl next = queued_.takeFirst();
    g_object_set(pipeline_, "uri", next.toEncoded().constData(), nullptr);
    handedOver_.append(next);
}

void GstPlayerEngine::handle(GstMessage *message, int generation)
{
    if (generation != generation_ || !playing_)
        return;
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_STATE_CHANGED: {
        GstState old, now, pending;
        gst_message_parse_state_changed(message, &old, &now, &pending);
        if (now == GST_STATE_PLAYING && !heard_) {
            heard_ = true;
            emit started();
        }
        break;
    }
    case GST_MESSAGE_STREAM_START: {
        QUrl next;
        {
            QMutexLocker lock(&queueLock_);
            if (!handedOver_.isEmpty())
                next = handedOver_.takeFirst();
        }
        if (next.isEmpty())
            break; // the first file's start
        current_ = next;
        confirmPending_ = true;
        emit ended();
        break;
    }
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
    case GST_MESSAGE_EOS:
        playing_ = false;
        emit ended();
        break;
    case GST_MESSAGE_ERROR: {
        GError *error = nullptr;
        gchar *debug = nullptr;
        gst_message_parse_error(message, &error, &debug);
        QString detail = QString::fromUtf8(error->message);
        Failure kind = Failure::BadFile;
        if ((error->domain == GST_CORE_ERROR && error->code == GST_CORE_ERROR_MISSING_PLUGIN)
            || (error->domain == GST_STREAM_ERROR && error->code == GST_STREAM_ERROR_CODEC_NOT_FOUND)) {
            if (missingAudioDecoder_ || missingWhat_.isEmpty())
                kind = Failure::MissingPart;
            if (!missingWhat_.isEmpty())
                detail += QStringLiteral(" (%1)").arg(missingWhat_);
        }
        else if (GstElement *sink = nullptr; g_object_get(pipeline_, "audio-sink", &sink, nullptr), sink) {
            if (isUnder(GST_MESSAGE_SRC(message), sink))
                kind = Failure::Output;
            gst_object_unref(sink);
        }
        if (kind == Failure::BadFile && GST_MESSAGE_SRC(message) && GST_IS_ELEMENT(GST_MESSAGE_SRC(message))
            && GST_OBJECT_FLAG_IS_SET(GST_MESSAGE_SRC(message), GST_ELEMENT_FLAG_SINK))
            kind = Failure::Output;
        g_error_free(error);
        g_free(debug);
        fail(kind, detail);
        break;
    }
    default:
        break;
    }
}

void GstPlayerEngine::pause()
{
    paused_ = true;
    if (pipeline_ && playing_)
        gst_element_set_state(pipeline_, GST_STATE_PAUSED);
}

void GstPlayerEngine::resume()
{
    paused_ = false;
    if (pipeline_ && playing_)
        gst_element_set_state(pipeline_, GST_STATE_PLAYING);
}

void GstPlayerEngine::stop()
{
    ++generation_;
    playing_ = false;
    confirmPending_ = false;
    {
        QMutexLocker lock(&queueLock_);
        queued_.clear();
        handedOver_.clear();
    }
    if (pipeline_)
        gst_element_set_state(pipeline_, GST_STATE_READY);
}

void GstPlayerEngine::setRate(double rate)
{
    if (rate <= 0 || rate == rate_)
        return;
    rate_ = rate;
    if (!pipeline_ || !playing_)
        return; // the next file's segment carries it
    // The file heard goes on from where it is at the new rate. It starts over
    // alone: files queued after it may already be decoded at the old rate,
    // and a seek would reach the next file's decoder, not this one's.
    gint64 position = 0;
    if (!gst_element_query_position(pipeline_, GST_FORMAT_TIME, &position) || position < 0)
        position = 0;
    ++generation_;
    gst_element_set_state(pipeline_, GST_STATE_READY);
    {
        QMutexLocker lock(&queueLock_);
        queued_.clear();
        handedOver_.clear();
    }
    confirmPending_ = false;
    g_object_set(pipeline_, "uri", current_.toEncoded().constData(), nullptr);
    gst_element_set_state(pipeline_, GST_STATE_PAUSED);
    // A local file prerolls in milliseconds; the stop is left open, as a stop
    // before the start fails the seek.
    gst_element_get_state(pipeline_, nullptr, nullptr, GST_SECOND);
    gst_element_seek(pipeline_, rate, GST_FORMAT_TIME, GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                     GST_SEEK_TYPE_SET, position, GST_SEEK_TYPE_NONE, GstClockTime(GST_CLOCK_TIME_NONE));
    if (!paused_)
        gst_element_set_state(pipeline_, GST_STATE_PLAYING);
}

} // namespace zarfan
