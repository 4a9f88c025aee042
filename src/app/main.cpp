#include "appcontext.h"
#include "data/problems.h"
#include "data/userstore.h"
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
    // The name the desktop shows comes from the desktop file; a display name
    // would be appended to every window title.
    QGuiApplication::setDesktopFileName(QStringLiteral("zarfan"));
    QApplication::setLayoutDirection(Qt::RightToLeft);
    zarfan::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zarfan.svg")));
    zarfan::installFontSubstitutions();

    const zarfan::SingleInstance instance;
    if (!instance.isFirst()) {
        zarfan::showMessage(nullptr, QStringLiteral("لا يمكن تشغيل أكثر من نسخة من البرنامج"));
        return 0;
    }

    zarfan::ReadingState state(QCoreApplication::applicationDirPath());
    zarfan::UserStore store;
    const zarfan::UserStore::Opened opened = store.open(zarfan::UserStore::defaultPath());
    state.setUserStore(&store);
    zarfan::MainWindow window(state);
    zarfan::setProblemReporter([&window](const QString &message) { zarfan::showMessage(&window, message); });
    window.show();
    if (opened == zarfan::UserStore::Opened::MovedAside)
        QTimer::singleShot(0, &window, [&window, &store] { zarfan::showMessage(&window, zarfan::userDataMovedAside(store.movedAsideTo())); });
    else if (opened == zarfan::UserStore::Opened::Unavailable)
        QTimer::singleShot(0, &window, [&window, &store] { zarfan::showMessage(&window, zarfan::userDataUnavailable(store.path())); });
    if (qEnvironmentVariableIsSet("ZARFAN_QUIT_AFTER_SHOW")) {
        // For start-up measurements: end as soon as the window is on screen.
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    } else {
        // Key the database once the window is up; the first search is then quick.
        // The forgiving search's texts and words are read then as well.
        QTimer::singleShot(0, &window, [&state] {
            state.listingControl().open();
            state.searchMemory();
        });
    }
    return app.exec();
}
