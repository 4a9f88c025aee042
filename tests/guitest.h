#pragma once

#include "ui/appcontext.h"
#include "app/mainwindow.h"
#include "browse/programstate.h"
#include "data/problems.h"
#include "testutil.h"

#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QTimer>
#include <QtTest>
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
};

template <class T> T *child(QWidget *w, const char *name)
{
    T *c = w->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qWarning("no child %s", name);
    return c;
}

} // namespace guitest
