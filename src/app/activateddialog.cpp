#include "activateddialog.h"

#include <QEvent>
#include <QTimer>

namespace zarfan {

void ActivatedDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ranSinceShow_ = false;
    QTimer::singleShot(0, this, [this] {
        if (!ranSinceShow_ && isVisible())
            run();
    });
}

void ActivatedDialog::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible() && !busy_)
        run();
}

void ActivatedDialog::run()
{
    ranSinceShow_ = true;
    activated();
}

} // namespace zarfan
