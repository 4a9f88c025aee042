#include "tafsirpanel.h"

#include <QLayout>
#include <QMainWindow>
#include <QPlainTextEdit>

namespace zarfan {

void TafsirPanel::show()
{
    if (shown_)
        return;
    shown_ = true;
    // The window grows by the tafsir box (2110 twips in the fixed layout).
    const int before = window_->height();
    growth_ = box_->minimumHeight() + window_->centralWidget()->layout()->spacing();
    box_->show();
    window_->centralWidget()->layout()->activate();
    window_->layout()->activate();
    window_->resize(window_->width(), before + growth_);
}

void TafsirPanel::hide()
{
    box_->hide();
    if (!shown_)
        return;
    shown_ = false;
    // Let the layout drop the box's height from the window's minimum first.
    window_->centralWidget()->layout()->activate();
    window_->layout()->activate();
    window_->resize(window_->width(), window_->height() - growth_);
}

} // namespace zarfan
