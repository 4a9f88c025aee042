#pragma once

#include <QByteArray>
#include <QString>

namespace zarfan {

// The update notice is read whole, but never more than this.
inline constexpr qint64 kUpdateBodyLimit = 1024 * 1024;

// UTF-8 when the bytes are valid UTF-8, else Windows-1256 (the code page the
// notice was written in on Arabic systems).
QString decodeUpdateBody(const QByteArray &body);

} // namespace zarfan
