#include "bench.h"

// Local-folder recitation as heard: the real engine on a PulseAudio null
// sink whose monitor is recorded. From play to the first sound in the
// recording (the recorder's own latency included), and the silence heard
// between two ayas (tones of their own pitch with no silence in the files):
// WAV, then MP3 as sox encodes it (its encoder's padding included).
void recitationRows()
{
    Row first{u"recitation: first play after start to first sound (local file)"_qs},
        start{u"recitation: play to first sound at the sink (local file)"_qs},
        gap{u"recitation: silence heard between two ayas (local WAV files)"_qs},
        gapMp3{u"recitation: silence heard between two ayas (local MP3 files)"_qs};
    const auto fail = [&](const QString &why) {
        first.error = start.error = gap.error = gapMp3.error = why;
        rows.push_back(first);
        rows.push_back(start);
        rows.push_back(gap);
        rows.push_back(gapMp3);
    };
    soundcheck::NullSink sink;
    if (!sink.why.isEmpty())
        return fail(sink.why);
    QTemporaryDir wav, mp3;
    const std::vector<double> tones{440, 660};
    const QString sox = QStandardPaths::findExecutable(u"sox"_qs);
    for (int aya = 1; aya <= 2; ++aya) {
        soundcheck::writeTone(wav.filePath(ayaFileName(2, aya + 1)), tones[std::size_t(aya - 1)], 0.6);
        if (sox.isEmpty()
            || QProcess::execute(sox, {u"-n"_qs, u"-r"_qs, u"22050"_qs, u"-c"_qs, u"1"_qs, mp3.filePath(ayaFileName(2, aya + 1)),
                                       u"synth"_qs, u"0.6"_qs, u"sine"_qs, QString::number(tones[std::size_t(aya - 1)])})
                   != 0)
            return fail(u"sox could not make the MP3 files"_qs);
    }
    auto *engine = new GstPlayerEngine;
    engine->setAudioSink("pulsesink");
    Recitation recitation(engine);
    std::vector<double> starts, gaps, gapsMp3;
    // Once in the process: the reciter chosen, a moment later the first play.
    recitation.setReciters({{u"bench"_qs, wav.path()}});
    QDeadlineTimer chosen(500);
    while (!chosen.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!sink.startRecording())
        return fail(u"the null sink's monitor could not be recorded"_qs);
    {
        const int before = sink.recordedSamples();
        recitation.play({{9, 2, 2}}, 9);
        QDeadlineTimer deadline(10000);
        while (recitation.state() != Recitation::State::Stopped && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const soundcheck::Heard heard(sink.stopRecording(), tones);
        const int sound = heard.firstSound(before / soundcheck::Heard::kWindow);
        if (sound < 0)
            return fail(u"the first play was not heard"_qs);
        first.ms = sound * 10.0 - before * 1000.0 / soundcheck::NullSink::kRate;
    }
    for (int i = 0; i < runs; ++i) {
        for (QTemporaryDir *folder : {&wav, &mp3}) {
            recitation.setReciters({{u"bench"_qs, folder->path()}});
            if (!sink.startRecording())
                return fail(u"the null sink's monitor could not be recorded"_qs);
            const int before = sink.recordedSamples();
            recitation.play({{9, 2, 2}, {10, 2, 3}}, 9);
            QDeadlineTimer deadline(10000);
            while (recitation.state() != Recitation::State::Stopped && !deadline.hasExpired())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            QDeadlineTimer tail(300);
            while (!tail.hasExpired())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
            recitation.stop();
            const std::vector<qint16> recording = sink.stopRecording();
            const soundcheck::Heard heard(recording, tones);
            const int onset = heard.firstSound(before / soundcheck::Heard::kWindow), a = heard.last(0), b = heard.first(1);
            if (onset < 0 || a < 0 || b < 0)
                return fail(u"the two ayas were not both heard"_qs);
            if (folder == &wav)
                starts.push_back(onset * 10.0 - before * 1000.0 / soundcheck::NullSink::kRate);
            (folder == &wav ? gaps : gapsMp3).push_back(heard.longestSilence(a, b));
        }
    }
    start.ms = median(starts);
    gap.ms = median(gaps);
    gapMp3.ms = median(gapsMp3);
    rows.push_back(first);
    rows.push_back(start);
    rows.push_back(gap);
    rows.push_back(gapMp3);
}
