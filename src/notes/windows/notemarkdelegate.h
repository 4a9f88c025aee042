#pragma once

#include <QStyledItemDelegate>
#include <functional>

namespace zarfan {

// Draws a mark beside the reference of a listing line whose aya has a note,
// after the reference as the line reads; the line's text stays as it is.
class NoteMarkDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    NoteMarkDelegate(std::function<bool(int row)> marked, QObject *parent)
        : QStyledItemDelegate(parent), marked_(std::move(marked))
    {
    }
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Where the line's text and the mark are drawn within a line's rectangle.
    QRect textRect(const QStyleOptionViewItem &option, const QModelIndex &index) const;
    QRect markRect(const QStyleOptionViewItem &option, const QModelIndex &index) const;

private:
    std::function<bool(int row)> marked_;
};

} // namespace zarfan
