#include "notemarkdelegate.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>

namespace zarfan {

namespace {
const QString kMark = QStringLiteral("✎");
constexpr int kGap = 6;
} // namespace

QRect NoteMarkDelegate::textRect(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QStyle *style = opt.widget ? opt.widget->style() : QApplication::style();
    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    // The text as laid out: from the leading edge of its area, as wide as it is.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
    const int width = std::min(area.width(), opt.fontMetrics.horizontalAdvance(opt.text) + 2 * margin);
    return QStyle::visualRect(opt.direction, area, QRect(area.left(), area.top(), width, area.height()));
}

QRect NoteMarkDelegate::markRect(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QRect text = textRect(option, index);
    const int width = option.fontMetrics.horizontalAdvance(kMark);
    // After the reference as it reads: to its left in a right-to-left line.
    const int x = option.direction == Qt::RightToLeft ? text.left() - kGap - width : text.right() + 1 + kGap;
    return QRect(x, option.rect.top(), width, option.rect.height());
}

void NoteMarkDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (!marked_ || !marked_(index.row()))
        return;
    painter->save();
    painter->setPen(option.state & QStyle::State_Selected ? option.palette.color(QPalette::HighlightedText)
                                                          : option.palette.color(QPalette::Link));
    painter->drawText(markRect(option, index), Qt::AlignCenter, kMark);
    painter->restore();
}

QSize NoteMarkDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.rwidth() += option.fontMetrics.horizontalAdvance(kMark) + 2 * kGap;
    return size;
}

} // namespace zarfan
