#include "messages.h"

#include "translation.h"

#include <QFile>
#include <QMessageBox>
#include <QTimer>
#include <QCoreApplication>

namespace zarfan {

QString messageLogPath() { return qEnvironmentVariable("ZARFAN_MESSAGE_LOG"); }

void showMessage(QWidget *parent, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? programTitle() : title, text, QMessageBox::Ok, parent);
    box.setLayoutDirection(Qt::RightToLeft);
    const QString log = messageLogPath();
    if (!log.isEmpty()) {
        QFile file(log);
        if (file.open(QIODevice::Append))
            file.write((box.windowTitle() + u'|' + text + u'\n').toUtf8());
        QTimer::singleShot(0, &box, &QMessageBox::accept);
    }
    box.exec();
}

QString userDataMovedAside(const QString &aside)
{
    return QCoreApplication::translate("zarfan::Messages", "تعذرت قراءة ملف بياناتك (الآيات المختارة وسجل البحث)، فنُقل جانبا باسم:\n%1\nوبدأ البرنامج بقائمة فارغة")
        .arg(aside);
}

QString userDataDamagedWhileRunning(const QString &aside)
{
    return QCoreApplication::translate("zarfan::Messages", "تعذرت قراءة ملف بياناتك أثناء العمل، فنُقل جانبا باسم:\n%1\n"
                          "وحُفظت الآيات المختارة الظاهرة وخطة الختمة في ملف جديد، وبقي ما سواهما (سجل البحث والخواطر والقوائم) في الملف المنقول")
        .arg(aside);
}

QString userDataNotice(const UserStore &store, UserStore::Opened opened)
{
    switch (opened) {
    case UserStore::Opened::MovedAside:
        return userDataMovedAside(store.movedAsideTo());
    case UserStore::Opened::ReadOnly:
        return QCoreApplication::translate("zarfan::Messages", "لا يمكن الكتابة في ملف بياناتك، فتظهر الآيات المختارة وسجل البحث كما هي ولن تحفظ تغييرات هذه الجلسة:\n%1")
            .arg(store.path());
    case UserStore::Opened::Newer:
        return QCoreApplication::translate("zarfan::Messages", "ملف بياناتك من إصدار أحدث من البرنامج، فلم يغير فيه شيء ولن تحفظ تغييرات هذه الجلسة:\n%1").arg(store.path());
    case UserStore::Opened::NotBackedUp:
        return QCoreApplication::translate("zarfan::Messages", "ملف بياناتك من إصدار سابق، وتعذر حفظ نسخة منه قبل تحديثه، فتُرك كما هو: تظهر بياناتك ولن تحفظ تغييرات هذه الجلسة.\n"
                              "تأكد من إمكان إنشاء ملف النسخة ثم أعد تشغيل البرنامج:\n%1")
            .arg(store.backupPath());
    case UserStore::Opened::Unavailable:
        return QCoreApplication::translate("zarfan::Messages", "تعذر فتح ملف بياناتك، فلن تحفظ الآيات المختارة وسجل البحث في هذه الجلسة:\n%1").arg(store.path());
    case UserStore::Opened::Fresh:
    case UserStore::Opened::Existing:
        break;
    }
    return {};
}

QString lockNotAFile(const QString &path)
{
    return QCoreApplication::translate("zarfan::Messages", "في مكان ملف القفل شيء غير ملف عادي، فلن يمنع البرنامج تشغيل نسخة ثانية منه:\n%1").arg(path);
}

} // namespace zarfan
