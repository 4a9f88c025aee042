#pragma once

// What the notes tests share: notes and files to feed the store, and a main
// window over a store of its own.
#include "guitest.h"
#include "data/userstore.h"
#include "notes/notesstore.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace notestest {
using namespace zarfan;
using guitest::child;

inline Note makeNote(int sura, int from, int to, const QString &text, const QStringList &tags = {})
{
    Note n;
    n.range = {sura, from, to};
    n.text = text;
    n.tags = tags;
    return n;
}

inline QStringList rowsOf(const std::vector<Note> &notes)
{
    QStringList out;
    for (const Note &n : notes)
        out.append(n.range.text() + u'|' + n.text + u'|' + n.tags.join(u',') + u'|'
                   + QString::number(n.modified.toMSecsSinceEpoch()));
    return out;
}

// Typed key by key: each character a key press of its own.
inline void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

inline QByteArray scalar(UserStore &store, const QByteArray &sql)
{
    sql::Statement s(store.connection().handle(), sql);
    return s && s.step() == SQLITE_ROW ? s.text(0).toUtf8() : QByteArray();
}

// A main window over a store of its own, listing the ayas of a reference.
struct Reader {
    QTemporaryDir data;
    UserStore store;
    ReadingState state;
    std::unique_ptr<MainWindow> window;
    Reader(const QString &appFolder, const QString &reference) : state(appFolder)
    {
        store.open(data.filePath(u"user.db"_qs));
        state.setUserStore(&store);
        window = std::make_unique<MainWindow>(state);
        window->show();
        auto *search = child<QLineEdit>(window.get(), "searcht");
        search->setText(reference);
        QTest::keyClick(search, Qt::Key_Return);
    }
};
// How many SQLite virtual machine steps (in hundreds) f costs on the store:
// a count that load cannot change.
inline quint64 stepsOf(UserStore &store, const std::function<void()> &f)
{
    quint64 steps = 0;
    sqlite3_progress_handler(
        store.connection().handle(), 100, [](void *n) { return ++*static_cast<quint64 *>(n), 0; }, &steps);
    f();
    sqlite3_progress_handler(store.connection().handle(), 0, nullptr, nullptr);
    return steps;
}

inline QByteArray notesFile(const QByteArray &notes, const QByteArray &lists = "[]")
{
    return R"({"format": "zarfan-notes", "version": 1, "notes": )" + notes + R"(, "lists": )" + lists + "}";
}

} // namespace notestest
