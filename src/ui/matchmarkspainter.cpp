#include "matchmarkspainter.h"

#include <QPlainTextEdit>
#include <QTextEdit>

namespace zarfan {

void paintMatchMarks(QPlainTextEdit *box, const QList<TextRange> &ranges)
{
    QList<QTextEdit::ExtraSelection> selections;
    for (const TextRange &range : ranges) {
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(box->document());
        selection.cursor.setPosition(int(range.start));
        selection.cursor.setPosition(int(range.start + range.length), QTextCursor::KeepAnchor);
        selection.format.setBackground(box->palette().brush(QPalette::Highlight));
        selection.format.setForeground(box->palette().brush(QPalette::HighlightedText));
        selections.append(selection);
    }
    box->setExtraSelections(selections);
}

} // namespace zarfan
