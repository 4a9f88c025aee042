#include "mushafview.h"

#include "browse/suratables.h"
#include "reading/tajweed.h"
#include "search/arabicfolding.h"

#include <QAccessible>
#include <QAccessibleWidget>
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

// The page's parts in page units.
constexpr double kBand = 80;           // above and below the frame
constexpr double kFrameSide = 70;      // frame's distance from the page edge
constexpr double kColumnSide = 110;    // text column's distance from the page edge
constexpr double kFramePad = 25;       // frame to the first and last row
constexpr int kRows = 15;
constexpr double kFontPixels = 40;

// One word laid out on one unwrapped line at the origin.
std::shared_ptr<QTextLayout> shape(const QString &text, const QFont &font)
{
    auto layout = std::make_shared<QTextLayout>(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout->setTextOption(option);
    layout->setCacheEnabled(true);
    layout->beginLayout();
    QTextLine line = layout->createLine();
    if (line.isValid())
        line.setLineWidth(1e6);
    layout->endLayout();
    if (!line.isValid())
        return nullptr;
    return layout;
}

double rowHeight() { return (MushafView::kHeight - 2 * kBand - 2 * kFramePad) / kRows; }
double rowTop(int row) { return kBand + kFramePad + row * rowHeight(); }
QRectF column() { return QRectF(kColumnSide, 0, MushafView::kWidth - 2 * kColumnSide, 0); }

// The first letter of a word with the marks on it.
QString firstLetter(const QString &word)
{
    qsizetype n = word.isEmpty() ? 0 : 1;
    while (n < word.size() && (word[n].category() == QChar::Mark_NonSpacing || word[n].category() == QChar::Mark_Enclosing
                               || word[n].category() == QChar::Mark_SpacingCombining))
        ++n;
    return word.left(n);
}

// The page as text for a screen reader: its lines in reading order, the
// caret on the line the keyboard is on.
class MushafAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit MushafAccessible(MushafView *view) : QAccessibleWidget(view, QAccessible::EditableText) {}
    MushafView *view() const { return static_cast<MushafView *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this) : QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        s.multiLine = true;
        return s;
    }
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
    QString attributes(int offset, int *start, int *end) const override
    {
        *start = *end = offset;
        return QString();
    }
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
    pages_ = pages;
    caretLine_ = 0;
    layout();
    updateBars();
    viewport()->update();
}

void MushafView::setQuranFont(const QFont &font)
{
    font_ = font;
    layout();
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
    for (const PrintedPage &page : pages_)
        words += page.words();
    return words;
}

void MushafView::setVeil(const WordVeil *veil)
{
    veil_ = veil;
    viewport()->update();
}

void MushafView::layout()
{
    laid_.clear();
    QFont font = font_;
    font.setPixelSize(int(kFontPixels));
    font.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(font);
    const double space = metrics.horizontalAdvance(u' ');
    const double markGap = space * 0.35, minGap = space * 0.3;
    const QRectF col = column();
    for (int p = 0; p < pages_.size(); ++p) {
        const PrintedPage &page = pages_[p];
        Laid laid;
        laid.x = pages_.size() == 2 && p == 0 ? kWidth + kFacingGap : 0;
        // Pages 1 and 2 stand their few lines in the middle of the frame.
        const int firstRow = page.lines.size() < kRows ? (kRows - int(page.lines.size())) / 2 : 0;
        for (int j = 0; j < page.lines.size(); ++j) {
            const PrintedLine &pl = page.lines[j];
            Line line;
            line.rect = QRectF(col.left(), rowTop(firstRow + j), col.width(), rowHeight());
            double words = 0;
            int stretch = 0, fixed = 0;
            QList<double> widths;
            QList<std::shared_ptr<QTextLayout>> shaped;
            for (int k = 0; k < pl.items.size(); ++k) {
                shaped.append(shape(pl.items[k].text, font));
                widths.append(shaped.last() ? shaped.last()->lineAt(0).naturalTextWidth() : metrics.horizontalAdvance(pl.items[k].text));
                words += widths.last();
                if (k > 0)
                    (pl.items[k].endMark() ? fixed : stretch) += 1;
            }
            double squeeze = 1, gap = space;
            const double natural = words + fixed * markGap + stretch * space;
            const bool centre = stretch == 0 || ((page.centred() || pl.lastOfSura) && natural < col.width() * 0.8);
            if (words + fixed * markGap + stretch * minGap > col.width()) {
                // Too long even tight: the words are drawn a little narrower.
                gap = minGap;
                squeeze = (col.width() - fixed * markGap - stretch * minGap) / words;
            } else if (!centre) {
                gap = (col.width() - words - fixed * markGap) / stretch;
            }
            line.justified = !centre;
            const double used = words * squeeze + fixed * markGap + stretch * gap;
            double right = centre ? col.center().x() + std::min(used, col.width()) / 2 : col.right();
            for (int k = 0; k < pl.items.size(); ++k) {
                if (k > 0)
                    right -= pl.items[k].endMark() ? markGap : gap;
                const double w = widths[k] * squeeze;
                line.pieces.append({pl.items[k], QRectF(right - w, line.rect.top(), w, line.rect.height()), squeeze,
                                    shaped[k], {}});
                right -= w;
            }
            laid.lines.append(line);
        }
        laid_.append(laid);
    }
    colourPieces();
}

void MushafView::setTajweed(const TajweedSpans *spans, int only)
{
    tajweed_ = spans;
    tajweedOnly_ = only;
    colourPieces();
    viewport()->update();
}

void MushafView::colourPieces()
{
    for (Laid &laid : laid_) {
        for (Line &line : laid.lines) {
            for (Piece &piece : line.pieces)
                piece.coloured = tajweed_ && piece.shaped ? colourWord(piece.item, *piece.shaped, *tajweed_, tajweedOnly_)
                                                          : QList<ColouredRun>();
        }
    }
}

void MushafView::drawPiece(QPainter &p, const Piece &piece, QPointF topRight, double rowHeight, const QString &text,
                           bool whole, const QColor &ink) const
{
    p.save();
    p.translate(topRight);
    p.scale(piece.squeeze, 1);
    if (whole && piece.shaped) {
        // As drawText would place it: right-aligned, centred in the row.
        const QTextLine shapedLine = piece.shaped->lineAt(0);
        const QPointF origin(-shapedLine.naturalTextRect().right(), (rowHeight - shapedLine.height()) / 2);
        if (piece.coloured.isEmpty())
            piece.shaped->draw(&p, origin);
        else
            drawColoured(p, origin, piece.coloured, palette(), ink);
    } else {
        p.drawText(QRectF(-piece.rect.width() / piece.squeeze, 0, piece.rect.width() / piece.squeeze, rowHeight),
                   Qt::AlignRight | Qt::AlignVCenter, text);
    }
    p.restore();
}

QList<ColouredRun> MushafView::glyphsOf(const Piece &piece, double x) const
{
    if (!piece.shaped)
        return {};
    QList<ColouredRun> runs = piece.coloured;
    if (runs.isEmpty()) {
        for (const QGlyphRun &run : piece.shaped->glyphRuns())
            runs.append({run, -1});
    }
    const QTextLine shapedLine = piece.shaped->lineAt(0);
    const QPointF origin(-shapedLine.naturalTextRect().right(), (piece.rect.height() - shapedLine.height()) / 2);
    for (ColouredRun &c : runs) {
        QList<QPointF> at = c.run.positions();
        for (QPointF &point : at)
            point = QPointF(x + piece.rect.right() + (origin.x() + point.x()) * piece.squeeze, piece.rect.top() + origin.y() + point.y());
        c.run.setPositions(at);
    }
    return runs;
}

QList<ColouredRun> MushafView::lineGlyphs(int page, int line) const
{
    QList<ColouredRun> runs;
    if (page < 0 || page >= laid_.size() || line < 0 || line >= laid_[page].lines.size())
        return runs;
    for (const Piece &piece : laid_[page].lines[line].pieces)
        runs += glyphsOf(piece, laid_[page].x);
    return runs;
}

QList<ColouredRun> MushafView::wordGlyphs(const PageWord &word) const
{
    for (const Laid &laid : laid_) {
        for (const Line &line : laid.lines) {
            for (const Piece &piece : line.pieces) {
                if (!piece.item.endMark() && piece.item.word == word)
                    return glyphsOf(piece, laid.x);
            }
        }
    }
    return {};
}

QSizeF MushafView::spreadSize() const
{
    return QSizeF(pages_.size() == 2 ? 2 * kWidth + kFacingGap : kWidth, kHeight);
}

double MushafView::scale() const
{
    const QSizeF spread = spreadSize();
    const QSize area = viewport()->size();
    const double fit = std::max(0.01, std::min(area.width() / spread.width(), area.height() / spread.height()));
    return fit * zoom_ / 100.0;
}

QTransform MushafView::transform() const
{
    const double s = scale();
    const QSizeF size = spreadSize() * s;
    const QSize area = viewport()->size();
    const double x = size.width() <= area.width() ? (area.width() - size.width()) / 2 : -horizontalScrollBar()->value();
    const double y = size.height() <= area.height() ? (area.height() - size.height()) / 2 : -verticalScrollBar()->value();
    return QTransform(s, 0, 0, s, x, y);
}

void MushafView::updateBars()
{
    const QSizeF size = spreadSize() * scale();
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, int(std::ceil(size.width())) - area.width()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setRange(0, std::max(0, int(std::ceil(size.height())) - area.height()));
    verticalScrollBar()->setPageStep(area.height());
    verticalScrollBar()->setSingleStep(std::max(1, int(rowHeight() * scale() / 3)));
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
        int index = caretLine_;
        for (int pg = 0; pg < laid_.size(); ++pg) {
            if (index < laid_[pg].lines.size()) {
                QPen pen(palette().color(QPalette::Highlight), 2);
                pen.setCosmetic(true);
                pen.setStyle(Qt::DotLine);
                p.setPen(pen);
                p.setBrush(Qt::NoBrush);
                p.drawRect(laid_[pg].lines[index].rect.translated(laid_[pg].x, 0).adjusted(-8, 0, 8, 0));
                break;
            }
            index -= int(laid_[pg].lines.size());
        }
    }
}

void MushafView::paintPages(QPainter &p) const
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QPalette pal = palette();
    const QColor ink = pal.color(QPalette::Text);
    QFont font = font_;
    font.setPixelSize(int(kFontPixels));
    font.setHintingPreference(QFont::PreferNoHinting);
    QFont small = QApplication::font();
    small.setPixelSize(30);
    small.setHintingPreference(QFont::PreferNoHinting);
    for (int pg = 0; pg < laid_.size(); ++pg) {
        const PrintedPage &page = pages_[pg];
        const Laid &laid = laid_[pg];
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
            const bool tinted = tajweed_ && page.script == Script::Uthmani;
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
                drawPiece(p, piece, piece.rect.topRight(), piece.rect.height(), text, show == WordShow::Whole, colour);
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
    const QSizeF size = spreadSize() * scale() * devicePixelRatio;
    QImage image(size.toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(palette().color(QPalette::Base));
    QPainter p(&image);
    p.scale(scale() * devicePixelRatio, scale() * devicePixelRatio);
    paintPages(p);
    return image;
}

QImage MushafView::ayaPicture(int ayaId, double pixelsPerUnit, const QString &reference, const QString &tafsir) const
{
    QList<const Line *> lines;
    for (const Laid &laid : laid_) {
        for (const Line &line : laid.lines) {
            if (std::any_of(line.pieces.cbegin(), line.pieces.cend(), [&](const Piece &p) { return p.item.ayaId == ayaId; }))
                lines.append(&line);
        }
    }
    if (lines.isEmpty())
        return {};
    QFont font = font_;
    font.setPixelSize(int(kFontPixels));
    font.setHintingPreference(QFont::PreferNoHinting);
    QFont small = QApplication::font();
    small.setPixelSize(30);
    const double margin = 40, h = rowHeight();
    const QRectF textBox(margin, 0, kWidth - 2 * margin, 100000);
    const QRectF tafsirRect = tafsir.isEmpty()
        ? QRectF()
        : QFontMetricsF(small).boundingRect(textBox, Qt::TextWordWrap | Qt::AlignRight, tafsir);
    const double height = margin + lines.size() * h + h + (tafsir.isEmpty() ? 0 : tafsirRect.height() + margin) + margin;
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
            drawPiece(p, piece, QPointF(piece.rect.right(), y), h, piece.item.text, true, pal.color(QPalette::Text));
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
    const QPointF at = transform().inverted().map(QPointF(point));
    for (const Laid &laid : laid_) {
        const QPointF local = at - QPointF(laid.x, 0);
        for (const Line &line : laid.lines) {
            if (local.y() < line.rect.top() || local.y() >= line.rect.bottom())
                continue;
            // The nearest piece of the line, so that a click between two
            // words still picks.
            const Piece *best = nullptr;
            double distance = rowHeight() / 2;
            for (const Piece &piece : line.pieces) {
                const double d = local.x() < piece.rect.left() ? piece.rect.left() - local.x()
                    : local.x() > piece.rect.right()            ? local.x() - piece.rect.right()
                                                                : 0;
                if (d <= distance) {
                    distance = d;
                    best = &piece;
                }
            }
            return best;
        }
    }
    return nullptr;
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
    for (const Laid &laid : laid_) {
        for (const Line &line : laid.lines) {
            for (const Piece &piece : line.pieces) {
                if (!piece.item.endMark() && piece.item.word == word)
                    return transform().mapRect(piece.rect.translated(laid.x, 0));
            }
        }
    }
    return {};
}

int MushafView::ayaAt(QPoint point) const
{
    const Piece *piece = pieceAt(point);
    return piece ? piece->item.ayaId : 0;
}

QStringList MushafView::lineTexts() const
{
    QStringList lines;
    for (const PrintedPage &page : pages_) {
        for (const PrintedLine &line : page.lines) {
            if (line.kind != PrintedLine::Text || !veil_) {
                lines.append(line.plainText());
                continue;
            }
            // Hidden words are not read out; a first letter is all there is.
            QStringList parts;
            for (const PrintedItem &item : line.items) {
                const WordShow show = item.endMark() ? WordShow::Whole : veil_->show(item.word);
                if (show == WordShow::Whole)
                    parts.append(item.text);
                else if (show == WordShow::FirstLetter)
                    parts.append(firstLetter(item.text));
            }
            lines.append(parts.join(u' '));
        }
    }
    return lines;
}

QString MushafView::accessibleText() const { return lineTexts().join(u'\n'); }

QList<MushafView::LineBox> MushafView::lineBoxes() const
{
    QList<LineBox> boxes;
    const QTransform t = transform();
    for (const Laid &laid : laid_) {
        for (const Line &line : laid.lines) {
            if (line.pieces.isEmpty())
                continue;
            QRectF ink;
            for (const Piece &piece : line.pieces)
                ink = ink.united(piece.rect);
            boxes.append({t.mapRect(line.rect.translated(laid.x, 0)), t.mapRect(ink.translated(laid.x, 0)), line.justified});
        }
    }
    return boxes;
}

QRectF MushafView::lineRect(int page, int line) const
{
    if (page < 0 || page >= laid_.size() || line < 0 || line >= laid_[page].lines.size())
        return {};
    return transform().mapRect(laid_[page].lines[line].rect.translated(laid_[page].x, 0));
}

void MushafView::setCaretLine(int line)
{
    int total = 0;
    for (const Laid &laid : laid_)
        total += int(laid.lines.size());
    caretLine_ = std::clamp(line, 0, std::max(0, total - 1));
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
    const double origin = transform().dy() + bar->value(); // the page's own offset, none when scrolled
    Q_UNUSED(origin);
    const double h = rowHeight();
    // The rows of the first page decide; a facing page has the same rows.
    const QList<Line> &lines = laid_.isEmpty() ? QList<Line>() : laid_.first().lines;
    int target = bar->value();
    if (direction > 0) {
        // The last row seen whole comes to the top; if none is, the first cut one.
        double to = -1;
        for (const Line &line : lines) {
            if (line.rect.top() >= top - 0.5 && line.rect.bottom() <= bottom + 0.5)
                to = line.rect.top();
        }
        if (to <= top + 0.5) {
            for (const Line &line : lines) {
                if (line.rect.bottom() > bottom + 0.5) {
                    to = std::max(line.rect.top(), top + h / 2);
                    break;
                }
            }
        }
        target = to < 0 ? bar->maximum() : int(std::floor(to * s));
        target = std::max(target, bar->value() + 1);
    } else {
        // The first row seen whole goes to the bottom.
        double to = -1;
        for (const Line &line : lines) {
            if (line.rect.top() >= top - 0.5 && line.rect.bottom() <= bottom + 0.5) {
                to = line.rect.bottom();
                break;
            }
        }
        if (to < 0 || to >= bottom - 0.5) {
            for (auto it = lines.crbegin(); it != lines.crend(); ++it) {
                if (it->rect.top() < top - 0.5) {
                    to = std::min(it->rect.bottom(), bottom - h / 2);
                    break;
                }
            }
        }
        target = to < 0 ? 0 : int(std::ceil(to * s)) - viewport()->height();
        target = std::min(target, bar->value() - 1);
    }
    bar->setValue(std::clamp(target, bar->minimum(), bar->maximum()));
    // The caret stays with the view: on the first row now seen whole.
    const double newTop = bar->value() / s;
    for (int j = 0; j < lines.size(); ++j) {
        if (lines[j].rect.top() >= newTop - 0.5) {
            setCaretLine(j);
            break;
        }
    }
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
        int index = caretLine_;
        for (int pg = 0; pg < laid_.size(); ++pg) {
            if (index < laid_[pg].lines.size()) {
                const QRectF r = transform().mapRect(laid_[pg].lines[index].rect);
                QScrollBar *bar = verticalScrollBar();
                if (r.top() < 0)
                    bar->setValue(bar->value() + int(std::floor(r.top())));
                else if (r.bottom() > viewport()->height())
                    bar->setValue(bar->value() + int(std::ceil(r.bottom() - viewport()->height())));
                break;
            }
            index -= int(laid_[pg].lines.size());
        }
        return;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        int index = caretLine_;
        for (int pg = 0; pg < laid_.size(); ++pg) {
            if (index < laid_[pg].lines.size()) {
                const QList<Piece> &pieces = laid_[pg].lines[index].pieces;
                if (!pieces.isEmpty())
                    emit ayaPicked(pieces.first().item.ayaId);
                break;
            }
            index -= int(laid_[pg].lines.size());
        }
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
