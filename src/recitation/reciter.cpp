#include "reciter.h"

#include "audiofile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QSet>
#include <QFile>
#include <QStandardPaths>
#include <QUrl>
#include <QCoreApplication>

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
        return QCoreApplication::translate("zarfan::Reciter", "اكتب اسم القارئ");
    const QString source = reciter.source.trimmed();
    if (source.isEmpty())
        return QCoreApplication::translate("zarfan::Reciter", "اختر مجلد التلاوة أو اكتب عنوانها");
    if (reciter.isRemote()) {
        const QUrl url(source);
        const QString scheme = url.scheme().toLower();
        if (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
            return QCoreApplication::translate("zarfan::Reciter", "العنوان يجب أن يبدأ بـ http أو https وليس %1").arg(url.scheme());
        if (!source.contains(kSura) || !source.contains(kAya))
            return QCoreApplication::translate("zarfan::Reciter", "العنوان يجب أن يحوي {sura} و {aya}");
        // What follows '#' never reaches the server: every aya would fetch one file.
        if (const qsizetype hash = source.indexOf(u'#'); hash >= 0 && (source.indexOf(kSura, hash) >= 0 || source.indexOf(kAya, hash) >= 0))
            return QCoreApplication::translate("zarfan::Reciter", "ضع {sura} و {aya} في مسار العنوان أو في استعلامه، لا بعد العلامة #؛ "
                                                          "فما بعدها لا يصل إلى الخادم وتنزل كل آية الملف نفسه");
        if (!url.isValid() || url.host().isEmpty())
            return QCoreApplication::translate("zarfan::Reciter", "العنوان غير صالح: %1").arg(source);
        return {};
    }
    if (!QFileInfo(source).isDir())
        return QCoreApplication::translate("zarfan::Reciter", "المجلد غير موجود: %1").arg(source);
    return {};
}

QString recitationCacheRoot()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).filePath(QStringLiteral("recitations"));
}

QString recitationCacheProblem()
{
    const QString root = recitationCacheRoot();
    for (const QString &folder : {QFileInfo(root).absolutePath(), root}) {
        if (QFileInfo(folder).isSymLink())
            return QCoreApplication::translate("zarfan::Reciter", "مجلد ذاكرة التلاوات رابط إلى مكان آخر، فلا ينزل البرنامج فيه ولا يعد ما فيه ولا يحذف منه "
                                                          "شيئا؛ ضع مكانه مجلدا عاديا ثم أعد المحاولة:\n%1")
                .arg(folder);
    }
    return {};
}

QString sizeText(qint64 bytes)
{
    const double kilobytes = double(bytes) / 1024;
    if (kilobytes < 1024)
        return QCoreApplication::translate("zarfan::Reciter", "%1 ك.ب").arg(QLocale().toString(kilobytes, 'f', 1));
    return QCoreApplication::translate("zarfan::Reciter", "%1 م.ب").arg(QLocale().toString(kilobytes / 1024, 'f', 1));
}

QString reciterCacheFolder(const Reciter &reciter)
{
    // Named after the template, so two reciters never share files and a
    // renamed reciter keeps its downloads.
    const QByteArray key = QCryptographicHash::hash(reciter.source.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir(recitationCacheRoot()).filePath(QString::fromLatin1(key));
}

namespace {
bool isOwnFile(const QFileInfo &info)
{
    static const QRegularExpression name(QStringLiteral("^[0-9]{6}\\.mp3$"));
    return info.isFile() && !info.isSymLink() && name.match(info.fileName()).hasMatch();
}

// The reciters' folders inside the real cache; none when the cache itself is a link.
QList<QFileInfo> cacheFolders()
{
    const QFileInfo root(recitationCacheRoot());
    if (!recitationCacheProblem().isEmpty() || !root.isDir())
        return {};
    return QDir(root.filePath()).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks | QDir::Hidden);
}

QList<QFileInfo> ownFiles(const QString &folder)
{
    QList<QFileInfo> out;
    const QFileInfo info(folder);
    if (info.isSymLink() || !info.isDir())
        return out;
    for (const QFileInfo &f : QDir(folder).entryInfoList(QDir::Files | QDir::NoSymLinks | QDir::Hidden)) {
        if (isOwnFile(f))
            out.append(f);
    }
    return out;
}
} // namespace

qint64 recitationCacheSize()
{
    qint64 total = 0;
    for (const QFileInfo &folder : cacheFolders()) {
        for (const QFileInfo &f : ownFiles(folder.filePath()))
            total += f.size();
    }
    return total;
}

QList<CachedRecitation> cachedRecitations(const QList<int> &ayasPerSura)
{
    QList<CachedRecitation> out;
    for (const QFileInfo &folder : cacheFolders()) {
        CachedRecitation c;
        c.folder = folder.filePath();
        QSet<QString> names;
        for (const QFileInfo &f : ownFiles(c.folder)) {
            c.bytes += f.size();
            ++c.files;
            // Only a whole file counts towards a whole sura.
            if (isWholeMp3File(f.filePath()))
                names.insert(f.fileName());
        }
        if (c.files == 0)
            continue;
        for (int sura = 1; sura <= ayasPerSura.size(); ++sura) {
            bool whole = ayasPerSura.at(sura - 1) > 0;
            for (int aya = 1; whole && aya <= ayasPerSura.at(sura - 1); ++aya)
                whole = names.contains(ayaFileName(sura, aya));
            if (whole)
                c.completeSuras.append(sura);
        }
        out.append(c);
    }
    return out;
}

bool deleteCachedRecitation(const QString &folder)
{
    // Only a folder directly inside the real cache.
    const QFileInfo info(folder);
    if (info.isSymLink() || QDir::cleanPath(info.absolutePath()) != QDir::cleanPath(recitationCacheRoot())
        || !recitationCacheProblem().isEmpty())
        return false;
    bool ok = true;
    for (const QFileInfo &f : ownFiles(folder))
        ok = QFile::remove(f.filePath()) && ok;
    QDir().rmdir(folder); // kept when something else is in it
    return ok;
}

bool clearRecitationCache()
{
    bool ok = true;
    for (const QFileInfo &folder : cacheFolders())
        ok = deleteCachedRecitation(folder.filePath()) && ok;
    if (recitationCacheProblem().isEmpty())
        QDir().rmdir(recitationCacheRoot());
    return ok;
}

QByteArray recitersToJson(const QList<Reciter> &reciters)
{
    QJsonArray list;
    for (const Reciter &r : reciters)
        list.append(QJsonObject{{QStringLiteral("name"), r.name}, {QStringLiteral("source"), r.source}});
    return QJsonDocument(list).toJson(QJsonDocument::Compact);
}

namespace {
// The elements of a top-level JSON array as raw text, so one element that
// cannot be read (a string that is not UTF-8) spoils only itself.
QList<QByteArray> arrayElements(const QByteArray &json)
{
    QList<QByteArray> out;
    qsizetype i = 0;
    const qsizetype n = json.size();
    const auto skipSpace = [&] {
        while (i < n && QChar::isSpace(uchar(json.at(i))))
            ++i;
    };
    skipSpace();
    if (i >= n || json.at(i) != '[')
        return {json};
    ++i;
    while (i < n) {
        skipSpace();
        if (i < n && json.at(i) == ']')
            break;
        const qsizetype start = i;
        int depth = 0;
        bool inString = false;
        for (; i < n; ++i) {
            const char c = json.at(i);
            if (inString) {
                if (c == '\\')
                    ++i;
                else if (c == '"')
                    inString = false;
            } else if (c == '"') {
                inString = true;
            } else if (c == '{' || c == '[') {
                ++depth;
            } else if (c == '}' || c == ']') {
                if (depth == 0)
                    break;
                --depth;
            } else if (c == ',' && depth == 0) {
                break;
            }
        }
        out.append(json.mid(start, i - start).trimmed());
        if (i < n && json.at(i) == ',')
            ++i;
    }
    return out;
}

bool readReciter(const QJsonValue &v, Reciter *r)
{
    const QJsonObject o = v.toObject();
    *r = {o.value(QStringLiteral("name")).toString(), o.value(QStringLiteral("source")).toString()};
    return !r->name.isEmpty() && !r->source.isEmpty();
}
} // namespace

QList<Reciter> recitersFromJson(const QByteArray &json, int *dropped, QList<int> *storedAt)
{
    QList<Reciter> out;
    int bad = 0, place = 0;
    if (!json.trimmed().isEmpty()) {
        for (const QByteArray &element : arrayElements(json)) {
            const QJsonDocument doc = QJsonDocument::fromJson('[' + element + ']');
            Reciter r;
            if (doc.isArray() && doc.array().size() == 1 && readReciter(doc.array().at(0), &r)) {
                out.append(r);
                if (storedAt)
                    storedAt->append(place);
            } else {
                ++bad;
            }
            ++place;
        }
    }
    if (dropped)
        *dropped = bad;
    return out;
}

QList<Reciter> knownReciters()
{
    QFile file(QStringLiteral(":/reciters.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QList<Reciter> out;
    for (const QJsonValue &v : QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("reciters")).toArray()) {
        const QJsonObject o = v.toObject();
        const Reciter r{o.value(QStringLiteral("name")).toString(), o.value(QStringLiteral("source")).toString()};
        if (reciterProblem(r).isEmpty())
            out.append(r);
    }
    return out;
}

} // namespace zarfan
