#include "mushafview.h"

#include "reading/tajweed.h"

#include "browse/suratables.h"
#include "reading/windows/textaccessible.h"
#include "search/arabicfolding.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace zarfan {

namespace {

constexpr double kBand = MushafLayout::kBand, kFrameSide = MushafLayout::kFrameSide;
constexpr double kWidth = MushafLayout::kWidth, kHeight = MushafLayout::kHeight;

// A word or end mark at its place, its right edge at the piece's, centred in
// a row from top; shaped once when the text is the piece's own.

// The page as text for a screen reader: its lines in reading order, the
// caret on the line the keyboard is on.
class MushafAccessible : public ReadOnlyTextAccessible {
public:
    explicit MushafAccessible(MushafView *view) : ReadOnlyTextAccessible(view) {}
    MushafView *view() const { return static_cast<MushafView *>(widget()); }

    QString all() const { return view()->accessibleText(); }
    void selection(int, int *start, int *end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override
    {
        const QStringList lines = view()->lineTexts();
        int at = 0;
        for (int j = 0; j < view()->caretLine() && j < lines.size(); ++j)
            at += int(lines[j].size()) + 1;
        return at;
    }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override { return all().mid(start, end - start); }
    int characterCount() const override { return int(all().size()); }
    QRect characterRect(int) const override { return QRect(); }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
};

QAccessibleInterface *accessibleFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String("zarfan::MushafView") && object && object->isWidgetType())
        return new MushafAccessible(static_cast<MushafView *>(object));
    return nullptr;
}

} // namespace

MushafView::MushafView(QWidget *parent) : QAbstractScrollArea(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setFocusPolicy(Qt::StrongFocus);
    setLayoutDirection(Qt::RightToLeft);
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    font_.setFamilies({QStringLiteral("Amiri Quran")});
}

void MushafView::setPages(const QList<PrintedPage> &pages)
{
    caretLine_ = 0;
    layout_.setPages(pages, font_);
    updateBars();
    viewport()->update();
}

void MushafView::setQuranFont(const QFont &font)
{
    font_ = font;
    layout_.setPages(layout_.pages(), font_);
    viewport()->update();
}

void MushafView::setZoom(int percent)
{
    zoom_ = std::clamp(percent, 10, 1000);
    updateBars();
    viewport()->update();
}

void MushafView::setCurrentAya(int ayaId)
{
    currentAya_ = ayaId;
    viewport()->update();
}

void MushafView::setMarkedWords(const QList<PageWord> &words)
{
    marked_ = words;
    viewport()->update();
}

QList<PageWord> MushafView::pageWords() const
{
    QList<PageWord> words;
    for (const PrintedPage &page : layout_.pages())
        words += page.words();
    return words;
}

void MushafView::setVeil(const WordVeil *veil)
{
    veil_ = veil;
    viewport()->update();
}

double MushafView::scale() const
{
    const QSizeF spread = layout_.spreadSize();
    // Fitted to the area without scroll bars: a bar that came and went with
    // the scale would take its own room back and forth without end.
    const QSize area = maximumViewportSize();
    const double fit = std::max(0.01, std::min(area.width() / spread.width(), area.height() / spread.height()));
    return fit * zoom_ / 100.0;
}

QTransform MushafView::transform() const
{
    const double s = scale();
    const QSizeF size = layout_.spreadSize() * s;
    const QSize area = viewport()->size();
    // Right to left, the bar's start shows the page's right side, where the lines begin.
    const QScrollBar *bar = horizontalScrollBar();
    const int offset = isRightToLeft() ? bar->maximum() - bar->value() : bar->value();
    const double x = size.width() <= area.width() ? (area.width() - size.width()) / 2 : -offset;
    const double y = size.height() <= area.height() ? (area.height() - size.height()) / 2 : -verticalScrollBar()->value();
    return QTransform(s, 0, 0, s, x, y);
}

void MushafView::updateBars()
{
    const QSizeF size = layout_.spreadSize() * scale();
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, int(std::ceil(size.width())) - area.width()));
    horizontalScrollBar()->setPageStep(area.width());
    horizontalScrollBar()->setSingleStep(std::max(1, int(MushafLayout::rowHeight() * scale() / 3)));
    verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(size.height())) - area.height()));
    verticalScrollBar()->setPageStep(area.height());
    verticalScrollBar()->setSingleStep(std::max(1, int(MushafLayout::rowHeight() * scale() / 3)));
}

void MushafView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateBars();
}

void MushafView::scrollContentsBy(int, int) { viewport()->update(); }

void MushafView::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), palette().window());
    p.setTransform(transform());
    paintPages(p);
    if (hasFocus()) {
        // The caret line, for the keyboard.
        double x = 0;
        if (const Line *line = layout_.line(caretLine_, &x)) {
            QPen pen(palette().color(QPalette::Highlight), 2);
            pen.setCosmetic(true);
            pen.setStyle(Qt::DotLine);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRect(line->rect.translated(x, 0).adjusted(-8, 0, 8, 0));
        }
    }
}

void MushafView::paintPages(QPainter &p) const
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QPalette pal = palette();
    const QColor ink = pal.color(QPalette::Text);
    const QFont font = MushafLayout::pageFont(font_);
    QFont small = QApplication::font();
    small.setPixelSize(30);
    small.setHintingPreference(QFont::PreferNoHinting);
    for (int pg = 0; pg < layout_.laid().size(); ++pg) {
        const PrintedPage &page = layout_.pages()[pg];
        const MushafLayout::Laid &laid = layout_.laid()[pg];
        p.save();
        p.translate(laid.x, 0);
        p.fillRect(QRectF(0, 0, kWidth, kHeight), pal.base());
        QPen framePen(ink, 3);
        p.setPen(framePen);
        p.setBrush(Qt::NoBrush);
        const QRectF frame(kFrameSide, kBand, kWidth - 2 * kFrameSide, kHeight - 2 * kBand);
        p.drawRect(frame);
        p.setPen(QPen(ink, 1));
        p.drawRect(frame.adjusted(8, 8, -8, -8));
        // Juz and sura above, the page number below.
        p.setFont(small);
        p.setPen(ink);
        const QRectF band(kFrameSide, 0, kWidth - 2 * kFrameSide, kBand);
        p.drawText(band, Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("سورة ") + SuraTables::name(page.sura));
        p.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("الجزء ") + arabicIndicNumber(page.juz));
        p.drawText(QRectF(0, kHeight - kBand, kWidth, kBand), Qt::AlignCenter, arabicIndicNumber(page.number));

        for (int j = 0; j < laid.lines.size(); ++j) {
            const Line &line = laid.lines[j];
            const PrintedLine &pl = page.lines[j];
            if (pl.quarterStarts) {
                // In the outer margin: the right one of an odd page.
                p.setFont(font);
                p.setPen(ink);
                const double x = page.number % 2 ? kWidth - kFrameSide / 2 : kFrameSide / 2;
                p.drawText(QRectF(x - 30, line.rect.top(), 60, line.rect.height()), Qt::AlignCenter, QStringLiteral("۞"));
            }
            if (pl.kind != PrintedLine::Text) {
                p.setFont(font);
                p.setPen(ink);
                if (pl.kind == PrintedLine::Heading) {
                    const QRectF box = line.rect.adjusted(20, 8, -20, -8);
                    p.setBrush(pal.alternateBase());
                    p.drawRoundedRect(box, 12, 12);
                    p.setBrush(Qt::NoBrush);
                }
                p.drawText(line.rect, Qt::AlignCenter, pl.text);
                continue;
            }
            // The current aya's background joins its pieces on the line.
            double left = 0, right = 0;
            bool any = false;
            for (const Piece &piece : line.pieces) {
                if (piece.item.ayaId != currentAya_)
                    continue;
                left = any ? std::min(left, piece.rect.left()) : piece.rect.left();
                right = any ? std::max(right, piece.rect.right()) : piece.rect.right();
                any = true;
            }
            // With the colours, a light tint and a frame: they stay readable on it.
            const bool tinted = layout_.tajweed() && page.script == Script::Uthmani;
            const QRectF ayaBand(left - 4, line.rect.top() + 4, right - left + 8, line.rect.height() - 8);
            if (any && tinted) {
                p.fillRect(ayaBand, currentAyaTint(pal));
                p.setPen(QPen(pal.color(QPalette::Highlight), 2));
                p.drawRect(ayaBand);
            } else if (any) {
                p.fillRect(ayaBand, pal.highlight());
            }
            p.setFont(font);
            for (const Piece &piece : line.pieces) {
                const bool current = piece.item.ayaId == currentAya_ && !tinted;
                const bool marked = !piece.item.endMark() && marked_.contains(piece.item.word);
                const QColor colour = current ? pal.color(QPalette::HighlightedText) : marked ? pal.color(QPalette::Link) : ink;
                const WordShow show = veil_ && !piece.item.endMark() ? veil_->show(piece.item.word) : WordShow::Whole;
                const double underlineY = piece.rect.bottom() - piece.rect.height() * 0.2;
                if (show == WordShow::Hidden) {
                    // A blank of the word's width, its place underlined.
                    p.setPen(QPen(ink, 2));
                    p.drawLine(QPointF(piece.rect.left() + 2, underlineY), QPointF(piece.rect.right() - 2, underlineY));
                    continue;
                }
                const QString text = show == WordShow::FirstLetter ? firstLetter(piece.item.text) : piece.item.text;
                p.setPen(colour);
                drawPiece(p, piece, piece.rect.top(), text, show == WordShow::Whole, colour);
                if (marked) {
                    p.setPen(QPen(colour, 2));
                    p.drawLine(QPointF(piece.rect.left(), underlineY), QPointF(piece.rect.right(), underlineY));
                }
            }
        }
        p.restore();
    }
}

QImage MushafView::picture(double devicePixelRatio) const
{
    const QSizeF size = layout_.spreadSize() * scale() * devicePixelRatio;
    QImage image(size.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(palette().color(QPalette::Base));
    QPainter p(&image);
    p.scale(scale() * devicePixelRatio, scale() * devicePixelRatio);
    paintPages(p);
    return image;
}

void MushafView::setTajweed(const TajweedSpans *spans, int only)
{
    layout_.setTajweed(spans, only);
    viewport()->update();
}

void MushafView::drawPiece(QPainter &p, const Piece &piece, double top, const QString &text, bool whole,
                           const QColor &ink) const
{
    const double across = piece.squeeze * piece.size, height = piece.rect.height() / piece.size;
    p.save();
    p.translate(piece.rect.right(), top);
    p.scale(across, piece.size);
    if (whole && piece.shaped) {
        const QPointF origin = MushafLayout::shapedOrigin(piece, height);
        if (piece.coloured.isEmpty())
            piece.shaped->draw(&p, origin);
        else
            drawColoured(p, origin, piece.coloured, palette(), ink);
    } else {
        p.drawText(QRectF(-piece.rect.width() / across, 0, piece.rect.width() / across, height), Qt::AlignRight | Qt::AlignVCenter,
                   text);
    }
    p.restore();
}

QImage MushafView::ayaPicture(int ayaId, double pixelsPerUnit, const QString &reference, const QString &tafsir) const
{
    const QList<const Line *> lines = layout_.ayaLines(ayaId);
    if (lines.isEmpty())
        return {};
    const QFont font = MushafLayout::pageFont(font_);
    QFont small = QApplication::font();
    small.setPixelSize(30);
    const double margin = 40, h = MushafLayout::rowHeight();
    const QRectF textBox(margin, 0, kWidth - 2 * margin, 100000);
    const QRectF tafsirRect = tafsir.isEmpty()
        ? QRectF()
        : QFontMetricsF(small).boundingRect(textBox, Qt::TextWordWrap | Qt::AlignRight, tafsir);
    const double height = margin + double(lines.size()) * h + h + (tafsir.isEmpty() ? 0 : tafsirRect.height() + margin) + margin;
    const double s = std::max(0.05, pixelsPerUnit);
    QImage image(QSizeF(kWidth * s, height * s).toSize(), QImage::Format_ARGB32_Premultiplied);
    const QPalette pal = palette();
    image.fill(pal.color(QPalette::Base));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(s, s);
    p.setPen(pal.color(QPalette::Text));
    double y = margin;
    for (const Line *line : lines) {
        p.setFont(font);
        for (const Piece &piece : line->pieces) {
            if (piece.item.ayaId != ayaId)
                continue;
            drawPiece(p, piece, y, piece.item.text, true, pal.color(QPalette::Text));
        }
        y += h;
    }
    p.setFont(small);
    p.drawText(QRectF(0, y, kWidth, h), Qt::AlignCenter, reference);
    y += h;
    if (!tafsir.isEmpty()) {
        QTextOption option(Qt::AlignRight);
        option.setTextDirection(Qt::RightToLeft);
        option.setWrapMode(QTextOption::WordWrap);
        p.drawText(QRectF(margin, y + margin / 2, kWidth - 2 * margin, tafsirRect.height() + margin), tafsir, option);
    }
    return image;
}

const MushafView::Piece *MushafView::pieceAt(QPoint point) const
{
    return layout_.pieceAt(transform().inverted().map(QPointF(point)));
}

std::optional<PageWord> MushafView::wordAt(QPoint point) const
{
    const Piece *piece = pieceAt(point);
    if (!piece || piece->item.endMark())
        return std::nullopt;
    return piece->item.word;
}

QRectF MushafView::wordRect(const PageWord &word) const
{
    const QRectF rect = layout_.wordRect(word);
    return rect.isEmpty() ? QRectF() : transform().mapRect(rect);
}

int MushafView::ayaAt(QPoint point) const
{
    const Piece *piece = pieceAt(point);
    return piece ? piece->item.ayaId : 0;
}

QList<PageWord> MushafView::caretLineWords() const
{
    QList<PageWord> words;
    if (const Line *line = layout_.line(caretLine_)) {
        for (const Piece &piece : line->pieces)
            if (!piece.item.endMark() && (!veil_ || veil_->show(piece.item.word) == WordShow::Whole))
                words.append(piece.item.word);
    }
    return words;
}

QStringList MushafView::lineTexts() const { return layout_.lineTexts(veil_); }

QString MushafView::accessibleText() const { return lineTexts().join(u'\n'); }

QList<MushafView::LineBox> MushafView::lineBoxes() const
{
    QList<LineBox> boxes;
    const QTransform t = transform();
    for (const MushafLayout::Laid &laid : layout_.laid()) {
        for (const Line &line : laid.lines) {
            if (line.pieces.isEmpty())
                continue;
            LineBox box;
            QRectF ink;
            box.narrowest = 1;
            for (const Piece &piece : line.pieces) {
                ink = ink.united(piece.rect);
                box.pieces.append(t.mapRect(piece.rect.translated(laid.x, 0)));
                box.narrowest = std::min(box.narrowest, piece.squeeze);
            }
            box.column = t.mapRect(line.rect.translated(laid.x, 0));
            box.ink = t.mapRect(ink.translated(laid.x, 0));
            box.justified = line.justified;
            box.space = line.space * t.m11();
            boxes.append(box);
        }
    }
    return boxes;
}

QRectF MushafView::lineRect(int page, int line) const
{
    const QList<MushafLayout::Laid> &laid = layout_.laid();
    if (page < 0 || page >= laid.size() || line < 0 || line >= laid[page].lines.size())
        return {};
    return transform().mapRect(laid[page].lines[line].rect.translated(laid[page].x, 0));
}

void MushafView::setCaretLine(int line)
{
    caretLine_ = std::clamp(line, 0, std::max(0, layout_.lineCount() - 1));
    const QStringList texts = lineTexts();
    if (caretLine_ < texts.size())
        emit caretLineChanged(texts[caretLine_]);
    if (QAccessible::isActive()) {
        QAccessibleTextCursorEvent event(this, 0);
        if (QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(this)) {
            if (QAccessibleTextInterface *text = iface->textInterface())
                event.setCursorPosition(text->cursorPosition());
        }
        QAccessible::updateAccessibility(&event);
    }
    viewport()->update();
}

// Whole rows with one row of overlap; at the end of the page, a turn.
void MushafView::pageStep(int direction)
{
    QScrollBar *bar = verticalScrollBar();
    if (direction > 0 ? bar->value() >= bar->maximum() : bar->value() <= bar->minimum()) {
        emit turnRequested(direction);
        return;
    }
    const double s = scale();
    const double top = bar->value() / s, bottom = (bar->value() + viewport()->height()) / s;
    int target = bar->value();
    const double to = layout_.stepTo(top, bottom, direction);
    if (direction > 0) {
        target = to < 0 ? bar->maximum() : int(std::floor(to * s));
        target = std::max(target, bar->value() + 1);
    } else {
        target = to < 0 ? 0 : int(std::ceil(to * s)) - viewport()->height();
        target = std::min(target, bar->value() - 1);
    }
    bar->setValue(std::clamp(target, bar->minimum(), bar->maximum()));
    // The caret stays with the view: on the first row now seen whole.
    if (const int j = layout_.firstLineFrom(bar->value() / s); j >= 0)
        setCaretLine(j);
}

void MushafView::keyPressEvent(QKeyEvent *event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_PageDown:
        pageStep(1);
        return;
    case Qt::Key_PageUp:
        pageStep(-1);
        return;
    case Qt::Key_Home:
    case Qt::Key_End:
        if (ctrl) {
            emit endRequested(event->key() == Qt::Key_End);
            return;
        }
        break;
    case Qt::Key_Down:
    case Qt::Key_Up: {
        setCaretLine(caretLine_ + (event->key() == Qt::Key_Down ? 1 : -1));
        // The first page's rows: a facing page has the same ones.
        if (const Line *line = layout_.line(caretLine_)) {
            const QRectF r = transform().mapRect(line->rect);
            QScrollBar *bar = verticalScrollBar();
            if (r.top() < 0)
                bar->setValue(bar->value() + int(std::floor(r.top())));
            else if (r.bottom() > viewport()->height())
                bar->setValue(bar->value() + int(std::ceil(r.bottom() - viewport()->height())));
        }
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const Line *line = layout_.line(caretLine_);
        if (line && !line->pieces.isEmpty())
            emit ayaPicked(line->pieces.first().item.ayaId);
        return;
    }
    case Qt::Key_Equal:
    case Qt::Key_Plus:
    case Qt::Key_Minus:
        if (ctrl) {
            emit zoomRequested(event->key() == Qt::Key_Minus ? -1 : 1);
            return;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Right:
        // The book opens to the left: Alt+Left is the next page.
        if (event->modifiers() & Qt::AltModifier) {
            emit turnRequested(event->key() == Qt::Key_Left ? 1 : -1);
            return;
        }
        break;
    default:
        break;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

QVariant MushafView::inputMethodQuery(Qt::InputMethodQuery query) const
{
    double x = 0;
    const Line *line = query == Qt::ImCursorRectangle ? layout_.line(caretLine_, &x) : nullptr;
    if (!line)
        return QAbstractScrollArea::inputMethodQuery(query);
    return transform().mapRect(line->rect.translated(x, 0)).toAlignedRect().translated(viewport()->pos());
}

void MushafView::wheelEvent(QWheelEvent *event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->angleDelta().y() != 0)
            emit zoomRequested(event->angleDelta().y() > 0 ? 1 : -1);
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void MushafView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (const int aya = ayaAt(event->position().toPoint()))
            emit ayaPicked(aya);
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void MushafView::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        viewport()->update();
}

} // namespace zarfan
