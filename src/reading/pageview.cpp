#include "pageview.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

namespace zarfan {

PageView::PageView(QWidget *parent) : QTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setUndoRedoEnabled(false);
    setLayoutDirection(Qt::RightToLeft);
}

void PageView::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const QScrollBar *bar = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
        if (mods == Qt::NoModifier) {
            // Scrolls first; the key that can move neither the view nor the
            // caret any further turns the page.
            const int value = bar->value(), caret = textCursor().position();
            QTextEdit::keyPressEvent(event);
            if (bar->value() == value && textCursor().position() == caret)
                emit turnRequested(event->key() == Qt::Key_PageDown ? 1 : -1);
            return;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        // The book opens to the left: Alt+Left is the next page.
        if (mods == Qt::AltModifier) {
            emit turnRequested(event->key() == Qt::Key_Left ? 1 : -1);
            return;
        }
        break;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (mods == Qt::ControlModifier) {
            emit endRequested(event->key() == Qt::Key_End);
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit picked(textCursor().position());
        return;
    default:
        break;
    }
    QTextEdit::keyPressEvent(event);
}

void PageView::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const int delta = event->angleDelta().y();
        if (delta != 0)
            emit zoomRequested(delta > 0 ? 1 : -1);
        event->accept();
        return;
    }
    QTextEdit::wheelEvent(event);
}

void PageView::mouseReleaseEvent(QMouseEvent *event)
{
    QTextEdit::mouseReleaseEvent(event);
    // A click, not the end of a drag that selected text.
    if (event->button() == Qt::LeftButton && !textCursor().hasSelection())
        emit picked(cursorForPosition(event->position().toPoint()).position());
}

QMimeData *PageView::createMimeDataFromSelection() const
{
    auto *copied = new QMimeData;
    copied->setText(textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n'));
    return copied;
}

QValidator::State PageSpinBox::validate(QString &input, int &pos) const
{
    const QValidator::State state = QSpinBox::validate(input, pos);
    bool ok = false;
    input.toInt(&ok);
    return state == QValidator::Invalid && ok ? QValidator::Intermediate : state;
}

void PageSpinBox::fixup(QString &input) const
{
    bool ok = false;
    const int n = input.toInt(&ok);
    if (ok)
        input = QString::number(std::clamp(n, minimum(), maximum()));
}

} // namespace zarfan
