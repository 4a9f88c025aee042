#include "ui/fonts.h"
#include "ui/resources.h"
#include "ui/translation.h"
#include "commandline.h"
#include "data/problems.h"
#include "data/userstore.h"
#include "languagemenu.h"
#include "mainwindow.h"
#include "ui/messages.h"
#include "singleinstance.h"

#include <QApplication>
#include <QIcon>
#include <QMenuBar>
#include <QTimer>
#include <chrono>
#include <cstdio>

int main(int argc, char **argv)
{
    QApplication::setApplicationName(QStringLiteral("zarfan"));
    // Help, version and refusals are answered before any display is needed.
    QStringList given;
    for (int i = 1; i < argc; ++i)
        given.append(QString::fromLocal8Bit(argv[i]));
    const zarfan::CommandLine asked = zarfan::readCommandLine(given);
    if (asked != zarfan::CommandLine::Run) {
        // The catalogue needs an application object, not a display.
        const QCoreApplication core(argc, argv);
        zarfan::applyLanguage(zarfan::languageAsked(given).value_or(zarfan::Language::Arabic));
        if (asked == zarfan::CommandLine::Unknown) {
            std::fputs(zarfan::refusalText(given).toLocal8Bit().constData(), stderr);
            return 2;
        }
        const QByteArray text = (asked == zarfan::CommandLine::Help ? zarfan::usageText() : zarfan::versionText()).toLocal8Bit();
        // A full disk or a closed pipe must not pass for an answer given.
        if (std::fputs(text.constData(), stdout) < 0 || std::fflush(stdout) != 0 || std::ferror(stdout)) {
            std::fputs(QCoreApplication::translate("zarfan::CommandLine", "تعذرت كتابة الجواب في المخرج؛ تحقق من المكان الذي يوجه إليه\n"
                                      "Could not write to standard output.\n")
                           .toLocal8Bit()
                           .constData(),
                       stderr);
            return 1;
        }
        return 0;
    }
    QApplication app(argc, argv);
    // What is left once Qt took its own options is not for this program.
    if (const QStringList left = QApplication::arguments().mid(1);
        zarfan::readCommandLine(left) != zarfan::CommandLine::Run) {
        std::fputs(zarfan::refusalText(left).toLocal8Bit().constData(), stderr);
        return 2;
    }
    const QByteArray quit = qgetenv("ZARFAN_QUIT_AFTER_SHOW");
    zarfan::applyLanguage(zarfan::languageAsked(QApplication::arguments())
                              .value_or(zarfan::storedLanguage(zarfan::UserStore::defaultPath())));
    // The name the desktop shows comes from the desktop file; a display name
    // would be appended to every window title.
    QGuiApplication::setDesktopFileName(QStringLiteral("zarfan"));
    zarfan::initResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zarfan.svg")));
    zarfan::installFontSubstitutions();

    const zarfan::SingleInstance instance;
    if (!instance.isFirst()) {
        zarfan::showMessage(nullptr, QCoreApplication::translate("zarfan::CommandLine", "لا يمكن تشغيل أكثر من نسخة من البرنامج"));
        return 0;
    }

    zarfan::ReadingState state(QCoreApplication::applicationDirPath());
    zarfan::UserStore store;
    const zarfan::UserStore::Opened opened = store.open(zarfan::UserStore::defaultPath());
    state.setUserStore(&store);
    zarfan::MainWindow window(state);
    window.menuBar()->addMenu(new zarfan::LanguageMenu(&store, &window));
    zarfan::setProblemReporter([&window](const QString &message) { zarfan::showMessage(&window, message); });
    window.show();
    // Told once the window is up, never from inside the work that met it.
    const auto tell = [&window](const QString &text) {
        QTimer::singleShot(0, &window, [&window, text] { zarfan::showMessage(&window, text); });
    };
    QObject::connect(&state, &zarfan::ReadingState::userDataMovedAside, &window,
                     [tell](const QString &aside) { tell(zarfan::userDataDamagedWhileRunning(aside)); });
    if (instance.notALock())
        tell(zarfan::lockNotAFile(zarfan::SingleInstance::defaultLockPath()));
    if (const QString notice = zarfan::userDataNotice(store, opened); !notice.isEmpty())
        tell(notice);
    if (const QString damage = state.khatma().takeDamageMessage(); !damage.isEmpty())
        tell(damage);
    if (const QString notes = state.takeNotesMessage(); !notes.isEmpty())
        tell(notes);
    // For start-up measurements: say when the window is up (the monotonic
    // clock, so the reader's own wake-up is not counted), then end, or with
    // "search" end once the search texts are read as well.
    if (!quit.isEmpty())
        QTimer::singleShot(0, &app, [] {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("shown %lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fflush(stdout);
        });
    if (!quit.isEmpty() && quit != "search") {
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    } else {
        // Once the window is up, nothing beside it while it is built: the
        // forgiving search's texts and words read on a thread of their own,
        // then the listing opened on the connection keyed there.
        QObject::connect(&state, &zarfan::ReadingState::searchMemoryRead, &window, [&state, quit] {
            state.listingControl().open();
            if (quit == "search")
                QCoreApplication::quit();
        });
        QTimer::singleShot(0, &window, [&state] { state.startSearchMemory(); });
    }
    return app.exec();
}
