#include "mainwindowkeys.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace zarfan {

namespace {
bool isEnter(const QKeyEvent *key) { return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter; }
} // namespace

MainWindowKeys::MainWindowKeys(QWidget *window, const QList<QAction *> &shortcuts, QWidget *searchBox,
                               QWidget *results, QWidget *chosen)
    : window_(window), shortcuts_(shortcuts), searchBox_(searchBox), results_(results), chosen_(chosen)
{
    for (QAction *action : shortcuts_)
        action->setShortcutContext(Qt::WindowShortcut);
    qApp->installEventFilter(this);
}

MainWindowKeys::~MainWindowKeys() { qApp->removeEventFilter(this); }

bool MainWindowKeys::runsSearch(const QKeyEvent *event) const
{
    if (!isEnter(event))
        return false;
    const QWidget *focus = window_->focusWidget();
    return focus != searchBox_ && focus != results_ && focus != chosen_;
}

bool MainWindowKeys::eventFilter(QObject *watched, QEvent *event)
{
    // Installed on the application: every event passes here, so key events
    // of this window are picked out before anything else is looked at.
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != window_)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    // The menu's shortcuts belong to the window, also where a text box has
    // its own Ctrl+C or Ctrl+A: the key reaches the box and is turned into
    // the command here.
    const QKeySequence pressed(key->keyCombination());
    for (QAction *action : shortcuts_) {
        if (action->shortcut() == pressed) {
            event->accept();
            if (event->type() == QEvent::KeyPress && action->isEnabled())
                action->trigger();
            return true;
        }
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    if (watched == results_ && isEnter(key)) {
        emit enterOnResults();
        return true;
    }
    if (watched == chosen_ && key->key() == Qt::Key_Delete) {
        emit deleteOnChosen();
        return true;
    }
    return false;
}

} // namespace zarfan
