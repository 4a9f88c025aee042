#include "didyoumeanbar.h"

#include "state/searchmemory.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace zarfan {

DidYouMeanBar::DidYouMeanBar(QWidget *parent) : QWidget(parent), layout_(new QHBoxLayout(this))
{
    setObjectName(QStringLiteral("didyoumean"));
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(2);
    hide();
}

void DidYouMeanBar::propose(const QStringList &proposals, QWidget *after)
{
    proposals_ = proposals;
    // Hidden while it is rebuilt: showing it shows the new buttons at once.
    hide();
    while (QLayoutItem *item = layout_->takeAt(0)) {
        if (QWidget *w = item->widget()) {
            w->hide();
            w->deleteLater(); // a button may be in its own click
        }
        delete item;
    }
    setAccessibleName(didYouMeanText(proposals));
    if (proposals.isEmpty())
        return;
    layout_->addWidget(new QLabel(tr("هل تقصد : "), this));
    for (qsizetype i = 0; i < proposals.size(); ++i) {
        if (i > 0)
            layout_->addWidget(new QLabel(tr("، "), this));
        auto *button = new QPushButton(proposals.at(i), this);
        button->setFlat(true);
        button->setFocusPolicy(Qt::StrongFocus);
        button->setAccessibleName(tr("هل تقصد : ") + proposals.at(i));
        button->installEventFilter(this);
        const QString text = proposals.at(i);
        connect(button, &QPushButton::clicked, this, [this, text] { emit chosen(text); });
        layout_->addWidget(button);
        if (after)
            QWidget::setTabOrder(after, button);
        after = button;
    }
    layout_->addStretch();
    show();
}

bool DidYouMeanBar::eventFilter(QObject *watched, QEvent *event)
{
    // Enter takes a proposal as Space does.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (auto *button = qobject_cast<QPushButton *>(watched); button && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            button->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zarfan
