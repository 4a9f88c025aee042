#include "updatebody.h"

#include <QStringDecoder>

namespace zarfan {

QString decodeUpdateBody(const QByteArray &body)
{
    const QByteArray capped = body.left(kUpdateBodyLimit);
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(capped);
    if (!utf8.hasError())
        return text;
    QStringDecoder arabic("windows-1256", QStringConverter::Flag::Stateless);
    if (arabic.isValid())
        return arabic.decode(capped);
    return QString::fromLatin1(capped);
}

QString presentableUpdateText(const QString &text)
{
    const QString capped = text.left(kShownLimit);
    QString out;
    out.reserve(capped.size() + capped.size() / kLineLimit + 1);
    qsizetype lineStart = 0; // in out
    for (const QChar c : capped) {
        out.append(c);
        if (c == u'\n') {
            lineStart = out.size();
            continue;
        }
        if (out.size() - lineStart < kLineLimit)
            continue;
        const qsizetype blank = out.lastIndexOf(u' ');
        if (blank > lineStart)
            out[blank] = u'\n';
        else
            out.append(u'\n');
        lineStart = blank > lineStart ? blank + 1 : out.size();
    }
    return out;
}

} // namespace zarfan
