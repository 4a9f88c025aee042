#include "appcontext.h"
#include "data/problems.h"
#include "mainwindow.h"
#include "messages.h"
#include "singleinstance.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zarfan"));
    QApplication::setApplicationDisplayName(zarfan::programTitle());
    QApplication::setLayoutDirection(Qt::RightToLeft);
    zarfan::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zarfan.svg")));
    zarfan::installFontSubstitutions();

    const zarfan::SingleInstance instance;
    if (!instance.isFirst()) {
        zarfan::showMessage(nullptr, QStringLiteral("لا يمكن تشغيل أكثر من نسخة من البرنامج"));
        return 0;
    }

    zarfan::MainWindow window(QCoreApplication::applicationDirPath());
    zarfan::setProblemReporter([&window](const QString &message) { zarfan::showMessage(&window, message); });
    window.show();
    if (qEnvironmentVariableIsSet("ZARFAN_QUIT_AFTER_SHOW")) {
        // For start-up measurements: end as soon as the window is on screen.
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    } else {
        // Key the database once the window is up; the first search is then quick.
        QTimer::singleShot(0, &window, [&window] { window.listingControl().open(); });
    }
    return app.exec();
}
