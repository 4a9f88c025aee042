#include "commandline.h"

#include "data/settingsfile.h"
#include "data/userstore.h"
#include "singleinstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zarfan {

namespace {

// Qt's own options, which QApplication takes away: these take the next
// argument as their value ...
const QStringList kQtOptionsWithValue = {
    QStringLiteral("platform"), QStringLiteral("platformpluginpath"), QStringLiteral("platformtheme"),
    QStringLiteral("plugin"), QStringLiteral("qwindowgeometry"), QStringLiteral("geometry"),
    QStringLiteral("qwindowtitle"), QStringLiteral("title"), QStringLiteral("qwindowicon"),
    QStringLiteral("icon"), QStringLiteral("display"), QStringLiteral("name"), QStringLiteral("session"),
    QStringLiteral("style"), QStringLiteral("stylesheet")};
// ... these stand alone ...
const QStringList kQtFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"), QStringLiteral("nograb"),
                              QStringLiteral("dograb"), QStringLiteral("sync"), QStringLiteral("testability")};
// ... and these take their value after "=".
const QStringList kQtOptionsWithEquals = {QStringLiteral("style"), QStringLiteral("stylesheet"),
                                          QStringLiteral("qmljsdebugger")};

// How many arguments Qt's option at arguments[i] takes up; 0 when it is none
// of Qt's. Qt reads "--name" as "-name".
qsizetype qtOptionLength(const QStringList &arguments, qsizetype i)
{
    QStringView a = arguments.at(i);
    if (!a.startsWith(u'-'))
        return 0;
    a = a.mid(a.startsWith(u"--") ? 2 : 1);
    if (const qsizetype eq = a.indexOf(u'='); eq > 0)
        return kQtOptionsWithEquals.contains(a.left(eq)) ? 1 : 0;
    if (kQtFlags.contains(a))
        return 1;
    return kQtOptionsWithValue.contains(a) && i + 1 < arguments.size() ? 2 : 0;
}

} // namespace

qsizetype unknownArgumentAt(const QStringList &arguments)
{
    for (qsizetype i = 0; i < arguments.size();) {
        const QString &a = arguments.at(i);
        if (a == u"--help" || a == u"-h" || a == u"--version") {
            ++i;
            continue;
        }
        if (a == u"--lang" && i + 1 < arguments.size() && languageFromCode(arguments.at(i + 1))) {
            i += 2;
            continue;
        }
        const qsizetype taken = qtOptionLength(arguments, i);
        if (taken == 0)
            return i;
        i += taken;
    }
    return -1;
}

CommandLine readCommandLine(const QStringList &arguments)
{
    if (unknownArgumentAt(arguments) >= 0)
        return CommandLine::Unknown;
    if (arguments.contains(u"--help") || arguments.contains(u"-h"))
        return CommandLine::Help;
    if (arguments.contains(u"--version"))
        return CommandLine::Version;
    return CommandLine::Run;
}

std::optional<Language> languageAsked(const QStringList &arguments)
{
    const qsizetype at = arguments.indexOf(u"--lang");
    return at >= 0 ? languageFromCode(arguments.value(at + 1)) : std::nullopt;
}

QString refusalText(const QStringList &arguments)
{
    const QString unknown = arguments.value(unknownArgumentAt(arguments));
    return QCoreApplication::translate("zarfan::CommandLine", "خيار غير معروف: \"%1\"، والخيارات المعروفة مذكورة أدناه\nUnknown option: \"%1\"\n\n").arg(unknown)
        + usageText();
}

QString usageText()
{
    const QString programFolder = QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
    return QCoreApplication::translate("zarfan::CommandLine",
               "الاستعمال: zarfan [--help | --version | --lang ar|en]\n"
               "Usage: zarfan [--help | --version | --lang ar|en]\n"
               "\n"
               "  --help     يعرض هذا النص ثم ينتهي\n"
               "             print this text and exit\n"
               "  --version  يعرض إصدار البرنامج ثم ينتهي\n"
               "             print the program's version and exit\n"
               "  --lang ar|en  لغة الواجهة في هذا التشغيل وحده (العربية أو الإنجليزية)\n"
               "             the interface's language for this run only (Arabic or English)\n"
               "  خيارات Qt نفسها (مثل -platform و-style و-reverse) تمرر إليها\n"
               "             Qt's own options (such as -platform, -style, -reverse) are passed to Qt\n"
               "\n"
               "متغيرات البيئة / Environment:\n"
               "  ZARFAN_USER_DATA  مجلد بيانات القارئ (user.db بما فيه من الآيات المختارة والخواطر والقوائم والختمة ومكان القراءة وغيرها،\n"
               "                    وخط الآيات all.txt إذا تعذرت الكتابة بجانب البرنامج)\n"
               "                    folder of the reader's files (user.db: chosen ayas, notes, lists, the khatma, the reading\n"
               "                    place and more; and the aya font, all.txt, when the program's folder cannot be written)\n"
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
    return QCoreApplication::translate("zarfan::CommandLine", "زرفان 3.0\nZarfan %1\n").arg(QStringLiteral(ZARFAN_BUILD_VERSION));
}

} // namespace zarfan
