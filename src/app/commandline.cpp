#include "commandline.h"

#include "data/settingsfile.h"
#include "data/userstore.h"
#include "singleinstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zarfan {

CommandLine readCommandLine(const QStringList &arguments)
{
    if (arguments.contains(u"--help") || arguments.contains(u"-h"))
        return CommandLine::Help;
    if (arguments.contains(u"--version"))
        return CommandLine::Version;
    return arguments.isEmpty() ? CommandLine::Run : CommandLine::Unknown;
}

QString usageText()
{
    const QString programFolder = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
    return QStringLiteral(
               "الاستعمال: zarfan [--help | --version]\n"
               "Usage: zarfan [--help | --version]\n"
               "\n"
               "  --help     يعرض هذا النص ثم ينتهي\n"
               "             print this text and exit\n"
               "  --version  يعرض إصدار البرنامج ثم ينتهي\n"
               "             print the program's version and exit\n"
               "\n"
               "متغيرات البيئة / Environment:\n"
               "  ZARFAN_USER_DATA  مجلد بيانات القارئ (الآيات المختارة وسجل البحث وأماكن النوافذ، وخط الآيات إذا تعذرت الكتابة بجانب البرنامج)\n"
               "                    folder of the reader's files (chosen ayas, search history, window places,\n"
               "                    and the aya font when the program's folder cannot be written)\n"
               "  ZARFAN_LOCK_FILE  ملف القفل الذي يمنع تشغيل نسختين معا\n"
               "                    lock file that keeps the program to one running copy\n"
               "\n"
               "الملفات / Files:\n"
               "  %1\n"
               "      قاعدة بيانات النص والتفسير / scripture database\n"
               "  %2\n"
               "      خط الآيات / aya font (all.txt)\n"
               "  %3\n"
               "      بيانات القارئ / the reader's data\n"
               "  %4\n"
               "      ملف القفل / lock file\n")
        .arg(QDir(programFolder).filePath(QStringLiteral("zarfan.zf")),
             settingsPath(programFolder) + QStringLiteral(" | ") + settingsPath(userSettingsFolder()),
             UserStore::defaultPath(), SingleInstance::defaultLockPath());
}

QString versionText()
{
    return QStringLiteral("زرفان 3.0\nZarfan %1\n").arg(QStringLiteral(ZARFAN_BUILD_VERSION));
}

} // namespace zarfan
