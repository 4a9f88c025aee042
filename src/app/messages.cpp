#include "messages.h"

#include "appcontext.h"

#include <QFile>
#include <QMessageBox>
#include <QTimer>

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

} // namespace zarfan
