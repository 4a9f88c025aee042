#include "settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringConverter>

#include <cmath>

namespace zarfan {

namespace {

// Splits one line into comma-separated fields; a field that opens with a
// double quote runs to the closing quote, commas inside it included.
QStringList splitFields(QStringView line)
{
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i <= n) {
        while (i < n && line[i] == u' ')
            ++i;
        QString field;
        if (i < n && line[i] == u'"') {
            const qsizetype close = line.indexOf(u'"', i + 1);
            const qsizetype end = close < 0 ? n : close;
            field = line.mid(i + 1, end - i - 1).toString();
            i = end + 1;
            const qsizetype comma = line.indexOf(u',', std::min(i, n));
            i = comma < 0 ? n + 1 : comma + 1;
        } else {
            const qsizetype comma = line.indexOf(u',', i);
            const qsizetype end = comma < 0 ? n : comma;
            field = line.mid(i, end - i).trimmed().toString();
            i = end + 1;
        }
        fields.append(field);
        if (fields.size() == 4)
            break;
    }
    return fields;
}

bool readFlag(const QString &text)
{
    return text.compare(u"#TRUE#", Qt::CaseInsensitive) == 0
        || text.compare(u"True", Qt::CaseInsensitive) == 0;
}

} // namespace

QString settingsPath(const QString &appFolder)
{
    return QDir(appFolder).filePath(QStringLiteral("all.txt"));
}

QString userSettingsFolder()
{
    const QString overridden = qEnvironmentVariable("ZARFAN_USER_DATA");
    return overridden.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) : overridden;
}

SettingsRead parseSettings(const QByteArray &content)
{
    SettingsRead result;
    QByteArray firstLine = content;
    const qsizetype nl = firstLine.indexOf('\n');
    if (nl >= 0)
        firstLine.truncate(nl);
    if (firstLine.endsWith('\r'))
        firstLine.chop(1);
    if (firstLine.startsWith("\xEF\xBB\xBF"))
        firstLine.remove(0, 3);

    auto decoder = QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString line = decoder.decode(firstLine);
    if (decoder.hasError()) {
        // Not UTF-8: the code page the file's format was made for.
        QStringDecoder arabic("windows-1256", QStringConverter::Flag::Stateless);
        line = arabic.isValid() ? arabic.decode(firstLine) : QString::fromLatin1(firstLine);
    }
    if (line.trimmed().isEmpty())
        return result;

    const QStringList fields = splitFields(line);
    if (!fields.isEmpty() && !fields.at(0).isEmpty())
        result.name = fields.at(0);
    if (fields.size() > 1) {
        bool ok = false;
        const double size = fields.at(1).toDouble(&ok);
        if (ok && std::isfinite(size) && size > 0 && size <= 1638)
            result.size = size;
    }
    if (fields.size() > 2)
        result.italic = readFlag(fields.at(2));
    if (fields.size() > 3)
        result.bold = readFlag(fields.at(3));
    return result;
}

SettingsRead readSettings(const QString &appFolder, const QString &userFolder)
{
    // Only a regular file: a pipe or device in its place would block the start.
    QString path = settingsPath(userFolder);
    if (!QFileInfo(path).isFile())
        path = settingsPath(appFolder);
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // One line is all the file holds; anything past 64 KiB is not a font line.
    return parseSettings(file.read(64 * 1024));
}

QString formatFontSize(double size)
{
    return QString::number(double(float(size)), 'g', 7);
}

QByteArray formatSettings(const FontRecord &font)
{
    QString name = font.name;
    name.remove(u'"');
    const QString line = u'"' + name + QStringLiteral("\",") + formatFontSize(font.size)
        + (font.italic ? QStringLiteral(",#TRUE#") : QStringLiteral(",#FALSE#"))
        + (font.bold ? QStringLiteral(",#TRUE#") : QStringLiteral(",#FALSE#")) + QStringLiteral("\r\n");
    return line.toUtf8();
}

bool writeSettings(const QString &appFolder, const FontRecord &font, const QString &userFolder)
{
    const auto write = [&font](const QString &path) {
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        file.write(formatSettings(font));
        return file.commit();
    };
    const QString userCopy = settingsPath(userFolder);
    if (!QFileInfo::exists(userCopy) && write(settingsPath(appFolder)))
        return true;
    QDir().mkpath(userFolder);
    return write(userCopy);
}

} // namespace zarfan
