#include "problems.h"

#include <QSet>
#include <QCoreApplication>

namespace zarfan {

namespace {
ProblemReporter &reporter()
{
    static ProblemReporter r;
    return r;
}
QSet<QString> &reported()
{
    static QSet<QString> s;
    return s;
}
} // namespace

void setProblemReporter(ProblemReporter r) { reporter() = std::move(r); }

void reportProblem(const QString &message)
{
    if (reported().contains(message))
        return;
    reported().insert(message);
    if (reporter())
        reporter()(message);
}

void forgetReportedProblems() { reported().clear(); }

namespace problem {
QString databaseMissing(const QString &path)
{
    return QCoreApplication::translate("zarfan::Problems", "لم يتم العثور على ملف قاعدة البيانات zarfan.zf\n%1").arg(path);
}
QString databaseUnreadable(const QString &path)
{
    return QCoreApplication::translate("zarfan::Problems", "تعذر فتح ملف قاعدة البيانات zarfan.zf: الملف تالف أو كلمة المرور غير صحيحة\n%1").arg(path);
}
QString databaseDamaged(const QString &detail)
{
    return QCoreApplication::translate("zarfan::Problems", "قاعدة البيانات zarfan.zf ناقصة أو تالفة ولا يمكن القراءة منها\n%1").arg(detail);
}
QString databaseNotAFile(const QString &path)
{
    return QCoreApplication::translate("zarfan::Problems", "المسار المخصص لملف قاعدة البيانات zarfan.zf ليس ملفا (قد يكون مجلدا)\n%1").arg(path);
}
QString databaseNoPermission(const QString &path)
{
    return QCoreApplication::translate("zarfan::Problems", "لا توجد صلاحية لقراءة ملف قاعدة البيانات zarfan.zf\n%1").arg(path);
}
QString searchTooComplex() { return QCoreApplication::translate("zarfan::Problems", "نص البحث معقد جدا، يرجى تبسيطه"); }
QString badSuraNumber(const QString &value)
{
    return QCoreApplication::translate("zarfan::Problems", "قاعدة البيانات zarfan.zf تحوي رقم سورة غير صالح: \"%1\"").arg(value);
}
} // namespace problem

} // namespace zarfan
