#pragma once

#include "ui/fonts.h"
#include "ui/resources.h"
#include "app/mainwindow.h"
#include "browse/programstate.h"
#include "data/problems.h"
#include "state/listingfill.h"
#include "testutil.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <memory>

namespace guitest {

// Runs f on the modal window that the next blocking call opens.
inline void whenModal(std::function<void(QWidget *)> f)
{
    QTimer::singleShot(0, [f] {
        QPointer<QWidget> w = QApplication::activeModalWidget();
        QVERIFY(w);
        f(w);
        // A failed check inside f must not leave the test blocked on the window.
        if (QTest::currentTestFailed() && w && w->isVisible())
            w->close();
    });
}

// An application folder of its own: the real database linked in, all.txt free.
struct AppFolder {
    QTemporaryDir dir;
    AppFolder()
    {
        QFile::link(testutil::realDbFolder() + QStringLiteral("/zarfan.zf"), dir.filePath(QStringLiteral("zarfan.zf")));
    }
    QString path() const { return dir.path(); }
};

// The program's state over the user store at a path, as the program makes it.
struct StoredState {
    zarfan::UserStore store;
    zarfan::ReadingState state;
    StoredState(const QString &appFolder, const QString &storePath) : state(appFolder)
    {
        store.open(storePath);
        state.setUserStore(&store);
    }
};

// Messages shown by the program, read back from its message log.
struct MessageLog {
    QTemporaryDir dir;
    QString path;
    MessageLog() : path(dir.filePath(QStringLiteral("messages.txt"))) { qputenv("ZARFAN_MESSAGE_LOG", path.toUtf8()); }
    ~MessageLog() { qunsetenv("ZARFAN_MESSAGE_LOG"); }
    QStringList lines() const
    {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    // How many messages, each "title|text" over one line or more.
    int messages() const { return int(lines().filter(QRegularExpression(QStringLiteral("^[^|\\n]+\\|"))).size()); }
};

template <class T> T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qWarning("no child %s", name);
    return c;
}

// The main window over an application folder of its own, as each window's
// test starts it, with the helpers those tests drive it by.
struct MainWindowFixture {
    std::unique_ptr<guitest::AppFolder> folder;
    std::unique_ptr<zarfan::MainWindow> w;
    std::vector<testutil::SourceAya> source;

    QListView *results() { return child<QListView>(w.get(), "suraayaalist"); }
    QString text1() { return child<QPlainTextEdit>(w.get(), "Text1")->toPlainText(); }
    QString label(const char *name) { return child<QLabel>(w.get(), name)->text(); }
    QAction *action(const char *name) { return child<QAction>(w.get(), name); }
    QStringList lines()
    {
        QStringList out;
        for (int k = 0; k < w->listing().count(); ++k)
            out.append(w->listing().at(k).line);
        return out;
    }
    void select(int row) { results()->setCurrentIndex(w->listing().index(row)); }
    void navigate(const char *combo, int index)
    {
        guitest::whenModal([=](QWidget *dialog) {
            QCOMPARE(dialog->objectName(), u"Form7"_qs);
            child<QComboBox>(dialog, combo)->setCurrentIndex(index);
            emit child<QComboBox>(dialog, combo)->activated(index);
        });
        action("fullsearch")->trigger();
    }
    void search(const QString &text)
    {
        child<QLineEdit>(w.get(), "searcht")->setText(text);
        QTest::keyClick(child<QLineEdit>(w.get(), "searcht"), Qt::Key_Return);
    }
    // A point on a word of the aya box, as the pointer rests there.
    QPoint pointOn(const QString &word)
    {
        auto *text1 = child<QPlainTextEdit>(w.get(), "Text1");
        QTextCursor cursor = text1->document()->find(word);
        cursor.setPosition(cursor.selectionStart() + 1);
        return text1->cursorRect(cursor).center();
    }
    QString toolTipOn(const QString &word)
    {
        QWidget *viewport = child<QPlainTextEdit>(w.get(), "Text1")->viewport();
        const QPoint at = pointOn(word);
        QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
        QCoreApplication::sendEvent(viewport, &help);
        return QToolTip::text();
    }
    // Opens the aya box's context menu on a word and picks an item by its
    // text with the keyboard.
    void chooseOnWord(const QString &word, const QString &item)
    {
        QTimer::singleShot(0, [item] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction *a : menu->actions())
                if (a->text() == item)
                    menu->setActiveAction(a);
            QVERIFY(menu->activeAction() && menu->activeAction()->text() == item);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QWidget *viewport = child<QPlainTextEdit>(w.get(), "Text1")->viewport();
        const QPoint at = pointOn(word);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
        QCoreApplication::sendEvent(viewport, &event);
    }

    // The spelling as typed: its searches run the statements, whose fill
    // yields as it goes (the default mode answers from memory at once).
    void searchLiterally()
    {
        guitest::whenModal([](QWidget *dialog) {
            child<QCheckBox>(dialog, "literalsearch")->setChecked(true);
            child<QToolButton>(dialog, "Command1")->click();
        });
        action("tools")->trigger();
    }
    const testutil::SourceAya &aya(int sura, int n)
    {
        return *std::find_if(source.begin(), source.end(), [&](const auto &a) { return a.sura == sura && a.aya == n; });
    }

    void startCase()
    {
        zarfan::initResources();
        zarfan::installFontSubstitutions();
        source = testutil::readSource();
        QCOMPARE(int(source.size()), 6236);
    }
    void start()
    {
        zarfan::programState() = zarfan::ProgramState();
        zarfan::EventYield::setDefaultInterval(zarfan::EventYield::kDefaultIntervalMs);
        folder = std::make_unique<guitest::AppFolder>();
        w = std::make_unique<zarfan::MainWindow>(folder->path());
        w->show();
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    void stop()
    {
        w.reset();
        QApplication::clipboard()->clear();
    }
};

} // namespace guitest
