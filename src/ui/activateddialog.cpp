#include "activateddialog.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

namespace zarfan {

namespace {
// True when w is owner or a window opened over it (its own message boxes).
bool ownedBy(const QWidget *w, const QWidget *owner)
{
    for (; w; w = w->parentWidget()) {
        if (w == owner)
            return true;
    }
    return false;
}
} // namespace

void ActivatedDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ranSinceShow_ = false;
    leftForOtherWindow_ = false;
    QTimer::singleShot(0, this, [this] {
        if (!ranSinceShow_ && isVisible())
            run();
    });
}

void ActivatedDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isVisible())
        return;
    if (!isActiveWindow()) {
        // Another program (no active window here) or our own message box
        // coming and going is no reason to redo the work.
        const QWidget *now = QApplication::activeWindow();
        leftForOtherWindow_ = now && !ownedBy(now, this);
        return;
    }
    if (!busy_ && (!ranSinceShow_ || leftForOtherWindow_))
        run();
    leftForOtherWindow_ = false;
}

void ActivatedDialog::run()
{
    ranSinceShow_ = true;
    activated();
}

} // namespace zarfan
