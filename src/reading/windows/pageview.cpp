#include "pageview.h"

#include "reading/windows/textaccessible.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace zarfan {

namespace {

// The page's text for a screen reader, read through the text box's own caret
// and selection, but with the words hidden for memorising left out.
class PageViewAccessible : public ReadOnlyTextAccessible {
public:
    explicit PageViewAccessible(PageView *view) : ReadOnlyTextAccessible(view) {}
    PageView *view() const { return static_cast<PageView *>(widget()); }

    QAccessible::State state() const override
    {
        QAccessible::State s = ReadOnlyTextAccessible::state();
        s.selectableText = true;
        return s;
    }
    void selection(int index, int *start, int *end) const override
    {
        const QTextCursor c = view()->textCursor();
        *start = *end = 0;
        if (index == 0 && c.hasSelection()) {
            *start = c.selectionStart();
            *end = c.selectionEnd();
        }
    }
    int selectionCount() const override { return view()->textCursor().hasSelection() ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override
    {
        QTextCursor c = view()->textCursor();
        c.clearSelection();
        view()->setTextCursor(c);
    }
    void setSelection(int, int start, int end) override
    {
        QTextCursor c = view()->textCursor();
        c.setPosition(clamped(start));
        c.setPosition(clamped(end), QTextCursor::KeepAnchor);
        view()->setTextCursor(c);
    }
    int cursorPosition() const override { return view()->textCursor().position(); }
    void setCursorPosition(int position) override
    {
        QTextCursor c = view()->textCursor();
        c.setPosition(clamped(position));
        view()->setTextCursor(c);
    }
    QString text(int start, int end) const override { return view()->spokenText().mid(start, end - start); }
    int characterCount() const override { return int(view()->spokenText().size()); }
    QRect characterRect(int offset) const override
    {
        QTextCursor c = view()->textCursor();
        c.setPosition(clamped(offset));
        const QRect r = view()->cursorRect(c);
        return QRect(view()->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint &point) const override
    {
        return view()->cursorForPosition(view()->viewport()->mapFromGlobal(point)).position();
    }
    void scrollToSubstring(int start, int) override
    {
        QTextCursor c = view()->textCursor();
        c.setPosition(clamped(start));
        view()->setTextCursor(c);
        view()->ensureCursorVisible();
    }

private:
    int clamped(int position) const { return std::clamp(position, 0, characterCount()); }
};

QAccessibleInterface *accessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("zarfan::PageView") && object && object->isWidgetType())
        return new PageViewAccessible(static_cast<PageView *>(object));
    return nullptr;
}

} // namespace

void PageView::setUnspoken(const QList<std::pair<int, int>> &spans) { unspoken_ = spans; }

QString PageView::spokenText() const
{
    QString text = toPlainText();
    for (const auto &[start, length] : unspoken_) {
        for (int i = std::max(0, start); i < start + length && i < text.size(); ++i)
            text[i] = u' ';
    }
    return text;
}

PageView::PageView(QWidget *parent) : QTextEdit(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
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
    switch (event->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
        if (mods == Qt::NoModifier) {
            pageStep(event->key() == Qt::Key_PageDown ? 1 : -1);
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

// Whole lines with one line of overlap; at the end of the page, a turn.
void PageView::pageStep(int direction)
{
    QScrollBar *bar = verticalScrollBar();
    if (direction > 0 ? bar->value() >= bar->maximum() : bar->value() <= bar->minimum()) {
        emit turnRequested(direction);
        return;
    }
    // Every shown line: its top and bottom in the document, and where it starts.
    struct Line {
        qreal top, bottom;
        int position;
    };
    QList<Line> lines;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const QTextLayout *layout = block.layout();
        if (!layout)
            continue;
        const qreal y = layout->position().y();
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            lines.append({y + line.y(), y + line.y() + line.height(), block.position() + line.textStart()});
        }
    }
    const qreal top = bar->value(), bottom = top + viewport()->height();
    const qreal half = viewport()->height() / 2.0;
    int target = bar->value();
    if (direction > 0) {
        // The last line seen whole comes to the top; if none is, the first cut one.
        qreal to = -1;
        for (const Line &line : lines) {
            if (line.top >= top - 0.5 && line.bottom <= bottom + 0.5)
                to = line.top;
        }
        if (to <= top + 0.5) {
            to = -1;
            for (const Line &line : lines) {
                if (line.bottom > bottom + 0.5) {
                    to = std::max(line.top, top + half);
                    break;
                }
            }
        }
        target = to < 0 ? bar->maximum() : int(std::floor(to));
        target = std::max(target, bar->value() + 1);
    } else {
        // The first line seen whole goes to the bottom; if none is, the last cut one.
        qreal to = -1;
        for (const Line &line : lines) {
            if (line.top >= top - 0.5 && line.bottom <= bottom + 0.5) {
                to = line.bottom;
                break;
            }
        }
        if (to < 0 || to >= bottom - 0.5) {
            to = -1;
            for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
                if (it->top < top - 0.5) {
                    to = std::min(it->bottom, bottom - half);
                    break;
                }
            }
        }
        target = to < 0 ? 0 : int(std::ceil(to - viewport()->height()));
        target = std::min(target, bar->value() - 1);
    }
    target = std::clamp(target, bar->minimum(), bar->maximum());
    // The caret stays with the view: at the start of the first line seen whole.
    for (const Line &line : lines) {
        if (line.top >= target - 0.5) {
            QTextCursor caret = textCursor();
            caret.setPosition(line.position);
            setTextCursor(caret);
            break;
        }
    }
    bar->setValue(target);
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
