#include "htmlitems.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextDocument>
#include <QWidget>

namespace zarfan {

void layOutHtmlItem(QTextDocument &doc, const QFont &font, const QString &html, qreal width)
{
    doc.setDefaultFont(font);
    QTextOption text = doc.defaultTextOption();
    text.setTextDirection(Qt::RightToLeft);
    text.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    doc.setDefaultTextOption(text);
    doc.setHtml(html);
    doc.setTextWidth(width);
}

void paintHtmlItem(QPainter *painter, const QStyleOptionViewItem &option, const QStyleOptionViewItem &plain, QTextDocument &doc,
                   bool clip)
{
    QStyleOptionViewItem background = plain;
    background.text.clear();
    background.widget->style()->drawControl(QStyle::CE_ItemViewItem, &background, painter, background.widget);
    painter->save();
    painter->translate(option.rect.topLeft());
    if (clip)
        painter->setClipRect(QRect(QPoint(0, 0), option.rect.size()));
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = option.palette;
    if (option.state & QStyle::State_Selected)
        context.palette.setColor(QPalette::Text, option.palette.color(QPalette::HighlightedText));
    doc.documentLayout()->draw(painter, context);
    painter->restore();
}

} // namespace zarfan
