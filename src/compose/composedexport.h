#pragma once

#include <QByteArray>
#include <QString>

namespace zarfan {

// The composed text as a file: plain UTF-8 as shown, or an XHTML page,
// right to left in the aya font, with each reference ("[sura : aya]" or
// "(n)") in a span of its own.
QByteArray composedAsText(const QString &text);
QByteArray composedAsHtml(const QString &text, const QString &fontFamily, double pointSize);

} // namespace zarfan
