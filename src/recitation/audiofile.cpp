#include "audiofile.h"

#include <QFile>
#include <QFileInfo>

namespace zarfan {

namespace {

// The length in bytes of the MPEG audio frame whose header is at h, and what
// names its stream (version, layer, sample rate); a length of 0 when h holds
// no frame header.
struct Frame {
    int length = 0;
    int stream = 0;
};

Frame frameAt(const uchar *h)
{
    if (h[0] != 0xff || (h[1] & 0xe0) != 0xe0)
        return {};
    const int version = (h[1] >> 3) & 3; // 3: MPEG 1, 2: MPEG 2, 0: MPEG 2.5
    const int layer = 4 - ((h[1] >> 1) & 3); // 1, 2 or 3; 4 is reserved
    const int bitrateIndex = h[2] >> 4, rateIndex = (h[2] >> 2) & 3, padding = (h[2] >> 1) & 1;
    if (version == 1 || layer == 4 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return {};
    // Kilobits per second by bitrate index, for MPEG 1 layers I-III and then
    // MPEG 2 and 2.5 layer I and layers II-III.
    static constexpr short kKbps[5][14] = {
        {32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
        {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
        {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},
        {32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
        {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
    };
    const bool mpeg1 = version == 3;
    const int row = mpeg1 ? layer - 1 : layer == 1 ? 3 : 4;
    const int bitsPerSecond = kKbps[row][bitrateIndex - 1] * 1000;
    static constexpr int kRates[3] = {44100, 48000, 32000};
    const int sampleRate = kRates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    int length = 0;
    if (layer == 1)
        length = (12 * bitsPerSecond / sampleRate + padding) * 4;
    else
        length = (layer == 3 && !mpeg1 ? 72 : 144) * bitsPerSecond / sampleRate + padding;
    return {length, ((h[1] & 0x1e) << 8) | (h[2] & 0x0c)};
}

bool closingTag(QByteArrayView rest)
{
    if (rest.startsWith("TAG") || rest.startsWith("APETAGEX") || rest.startsWith("LYRICS"))
        return true;
    // Zeros a writer left as padding.
    return std::all_of(rest.begin(), rest.end(), [](char c) { return c == 0; });
}

} // namespace

bool isWholeMp3(QByteArrayView data)
{
    const auto *d = reinterpret_cast<const uchar *>(data.data());
    const qsizetype n = data.size();
    qsizetype at = 0;
    while (n - at >= 10 && data.sliced(at).startsWith("ID3")) {
        const qsizetype size = (d[at + 6] & 0x7f) << 21 | (d[at + 7] & 0x7f) << 14 | (d[at + 8] & 0x7f) << 7 | (d[at + 9] & 0x7f);
        at += 10 + size + ((d[at + 5] & 0x10) ? 10 : 0);
    }
    while (at < n && d[at] == 0)
        ++at;
    int frames = 0, stream = 0;
    while (n - at >= 4) {
        const Frame f = frameAt(d + at);
        if (f.length == 0 || (frames > 0 && f.stream != stream))
            break;
        if (at + f.length > n)
            return false; // cut short inside its last frame
        stream = f.stream;
        at += f.length;
        ++frames;
    }
    return frames > 0 && (at >= n || closingTag(data.sliced(at)));
}

bool isWholeMp3File(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || !info.isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    if (file.size() == 0)
        return false;
    // Mapped, not copied: a mushaf's files are walked through the page cache.
    const uchar *mapped = file.map(0, file.size());
    if (mapped)
        return isWholeMp3(QByteArrayView(mapped, file.size()));
    return isWholeMp3(file.readAll());
}

} // namespace zarfan
