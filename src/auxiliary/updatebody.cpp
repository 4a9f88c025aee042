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

} // namespace zarfan
