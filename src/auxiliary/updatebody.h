#pragma once

#include <QByteArray>
#include <QString>

namespace zarfan {

// The update notice is read whole, but never more than this.
inline constexpr qint64 kUpdateBodyLimit = 1024 * 1024;

// UTF-8 when the bytes are valid UTF-8, else Windows-1256 (the code page the
// notice was written in on Arabic systems).
QString decodeUpdateBody(const QByteArray &body);

// What the window shows of a notice: at most kShownLimit characters, and no
// line longer than kLineLimit (a long line is broken at its last blank
// within the limit, or at the limit). Laying it out then takes no time.
inline constexpr qsizetype kShownLimit = 64 * 1024;
inline constexpr qsizetype kLineLimit = 300;
QString presentableUpdateText(const QString &text);

} // namespace zarfan
