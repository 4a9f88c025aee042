#pragma once

#include <QStyleOptionViewItem>

class QPainter;
class QTextDocument;

namespace zarfan {

// A list row shown as HTML: laid out right to left, wrapping anywhere when a
// word is wider than the row.
void layOutHtmlItem(QTextDocument &doc, const QFont &font, const QString &html, qreal width);

// The row's plain background as the style draws it, then the laid-out
// document over it, in the selection's colours when selected; clipped to the
// row when asked.
void paintHtmlItem(QPainter *painter, const QStyleOptionViewItem &option, const QStyleOptionViewItem &plain, QTextDocument &doc,
                   bool clip);

} // namespace zarfan
