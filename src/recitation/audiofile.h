#pragma once

#include <QByteArrayView>
#include <QString>

namespace zarfan {

// Whether bytes are a whole MP3 file: after its ID3v2 tags, a chain of MPEG
// audio frames of one stream that reaches the end (or a closing tag), the
// last frame whole. A body cut short ends inside its last frame; bytes that
// only begin like an MP3 ("ID3" and then anything) hold no such chain.
bool isWholeMp3(QByteArrayView data);
// The same for a file; anything but a regular file (a FIFO, a device, a
// link) is not one.
bool isWholeMp3File(const QString &path);

} // namespace zarfan
