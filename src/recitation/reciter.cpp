#include "reciter.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <QUrl>

namespace zarfan {

namespace {
const QString kSura = QStringLiteral("{sura}");
const QString kAya = QStringLiteral("{aya}");
QString threeDigits(int n) { return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')); }
} // namespace

bool Reciter::isRemote() const
{
    return source.contains(QLatin1String("://")) || source.contains(kSura) || source.contains(kAya);
}

QString ayaFileName(int sura, int aya) { return threeDigits(sura) + threeDigits(aya) + QStringLiteral(".mp3"); }

QString ayaLocation(const Reciter &reciter, int sura, int aya)
{
    if (reciter.isRemote()) {
        QString address = reciter.source;
        return address.replace(kSura, threeDigits(sura)).replace(kAya, threeDigits(aya));
    }
    return QDir(reciter.source).filePath(ayaFileName(sura, aya));
}

QString reciterProblem(const Reciter &reciter)
{
    if (reciter.name.trimmed().isEmpty())
        return QStringLiteral("اكتب اسم القارئ");
    const QString source = reciter.source.trimmed();
    if (source.isEmpty())
        return QStringLiteral("اختر مجلد التلاوة أو اكتب عنوانها");
    if (reciter.isRemote()) {
        const QUrl url(source);
        const QString scheme = url.scheme().toLower();
        if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
            return QStringLiteral("العنوان يجب أن يبدأ بـ http أو https وليس %1").arg(url.scheme());
        if (!source.contains(kSura) || !source.contains(kAya))
            return QStringLiteral("العنوان يجب أن يحوي {sura} و {aya}");
        if (!url.isValid() || url.host().isEmpty())
            return QStringLiteral("العنوان غير صالح: %1").arg(source);
        return {};
    }
    if (!QFileInfo(source).isDir())
        return QStringLiteral("المجلد غير موجود: %1").arg(source);
    return {};
}

QString recitationCacheRoot()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).filePath(QStringLiteral("recitations"));
}

QString reciterCacheFolder(const Reciter &reciter)
{
    // Named after the template, so two reciters never share files and a
    // renamed reciter keeps its downloads.
    const QByteArray key = QCryptographicHash::hash(reciter.source.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(recitationCacheRoot()).filePath(QString::fromLatin1(key));
}

qint64 recitationCacheSize()
{
    qint64 total = 0;
    QDirIterator it(recitationCacheRoot(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        total += it.fileInfo().size();
    }
    return total;
}

bool clearRecitationCache() { return QDir(recitationCacheRoot()).removeRecursively(); }

QByteArray recitersToJson(const QList<Reciter> &reciters)
{
    QJsonArray list;
    for (const Reciter &r : reciters)
        list.append(QJsonObject{{QStringLiteral("name"), r.name}, {QStringLiteral("source"), r.source}});
    return QJsonDocument(list).toJson(QJsonDocument::Compact);
}

QList<Reciter> recitersFromJson(const QByteArray &json)
{
    QList<Reciter> out;
    for (const QJsonValue &v : QJsonDocument::fromJson(json).array()) {
        const QJsonObject o = v.toObject();
        Reciter r{o.value(QStringLiteral("name")).toString(), o.value(QStringLiteral("source")).toString()};
        if (!r.name.isEmpty() && !r.source.isEmpty())
            out.append(r);
    }
    return out;
}

} // namespace zarfan
