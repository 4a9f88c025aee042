#include "wordglosstip.h"

#include <QAccessible>
#include <QAction>
#include <QHelpEvent>
#include <QMenu>
#include <QToolTip>
#include <QWidget>

namespace zarfan {

namespace {
// Isolated left to right, so that a right-to-left tip keeps the brackets of
// "(of) Allah" in their places.
QString isolated(const QString &text) { return text.isEmpty() ? text : QChar(0x2066) + text + QChar(0x2069); }
} // namespace

WordGlossTip::WordGlossTip(QWidget *view, AtPoint atPoint, AtCaret atCaret, QObject *parent, bool ownTips)
    : QObject(parent), view_(view), heard_(view), atPoint_(std::move(atPoint)), atCaret_(std::move(atCaret)),
      caret_(new QAction(tr("معنى الكلمة"), view))
{
    caret_->setObjectName(QStringLiteral("wordmeaning"));
    caret_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    caret_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    view_->addAction(caret_);
    connect(caret_, &QAction::triggered, this, [this] {
        const QRect caret = heard_->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        say(atCaret_(), heard_->mapToGlobal(caret.bottomLeft()));
    });
    if (atPoint_ && ownTips)
        view_->installEventFilter(this);
}

void WordGlossTip::addMenuItem(QMenu *menu, QPoint at)
{
    QAction *item = menu->addAction(tr("معنى الكلمة"));
    item->setObjectName(QStringLiteral("wordmeaningmenu"));
    const std::optional<WordGloss> gloss = atPoint_ ? atPoint_(at) : std::nullopt;
    item->setEnabled(gloss.has_value());
    connect(item, &QAction::triggered, this, [this, gloss, at] { say(gloss, view_->mapToGlobal(at)); });
}

QString WordGlossTip::tipAt(QPoint at) const
{
    const std::optional<WordGloss> gloss = atPoint_ ? atPoint_(at) : std::nullopt;
    return gloss ? isolated(gloss->text()) : QString();
}

void WordGlossTip::say(const std::optional<WordGloss> &gloss, QPoint global)
{
    said_ = gloss ? gloss->text() : QString();
    if (said_.isEmpty()) {
        QToolTip::hideText();
        return;
    }
    QToolTip::showText(global, isolated(said_), view_);
    // The description is what a screen reader reads out for the view.
    heard_->setAccessibleDescription(said_);
    QAccessibleEvent event(heard_, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

bool WordGlossTip::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != view_ || event->type() != QEvent::ToolTip)
        return false;
    const auto *help = static_cast<QHelpEvent *>(event);
    const std::optional<WordGloss> gloss = atPoint_(help->pos());
    if (!gloss) {
        QToolTip::hideText();
        return true;
    }
    said_ = gloss->text();
    QToolTip::showText(help->globalPos(), isolated(said_), view_);
    return true;
}

} // namespace zarfan
