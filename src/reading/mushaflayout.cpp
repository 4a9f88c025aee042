#include "mushaflayout.h"

#include <QFontMetricsF>
#include <algorithm>

namespace zarfan {

namespace {

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

double rowTop(int row) { return MushafLayout::kBand + MushafLayout::kFramePad + row * MushafLayout::rowHeight(); }
QRectF column() { return QRectF(MushafLayout::kColumnSide, 0, MushafLayout::kWidth - 2 * MushafLayout::kColumnSide, 0); }

} // namespace

QString firstLetter(const QString &word)
{
    qsizetype n = word.isEmpty() ? 0 : 1;
    while (n < word.size() && (word[n].category() == QChar::Mark_NonSpacing || word[n].category() == QChar::Mark_Enclosing
                               || word[n].category() == QChar::Mark_SpacingCombining))
        ++n;
    return word.left(n);
}

double MushafLayout::rowHeight() { return (kHeight - 2 * kBand - 2 * kFramePad) / kRows; }

QFont MushafLayout::pageFont(const QFont &chosen)
{
    QFont font = chosen;
    font.setPixelSize(int(kFontPixels));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void MushafLayout::setPages(const QList<PrintedPage> &pages, const QFont &chosen)
{
    pages_ = pages;
    laid_.clear();
    const QFont font = pageFont(chosen);
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

void MushafLayout::setTajweed(const TajweedSpans *spans, int only)
{
    tajweed_ = spans;
    tajweedOnly_ = only;
    colourPieces();
}

void MushafLayout::colourPieces()
{
    for (Laid &laid : laid_) {
        for (Line &line : laid.lines) {
            for (Piece &piece : line.pieces)
                piece.coloured = tajweed_ && piece.shaped ? colourWord(piece.item, *piece.shaped, *tajweed_, tajweedOnly_)
                                                          : QList<ColouredRun>();
        }
    }
}

QPointF MushafLayout::shapedOrigin(const Piece &piece, double rowHeight)
{
    const QTextLine shapedLine = piece.shaped->lineAt(0);
    return QPointF(-shapedLine.naturalTextRect().right(), (rowHeight - shapedLine.height()) / 2);
}

QList<ColouredRun> MushafLayout::glyphsOf(const Piece &piece, double x)
{
    if (!piece.shaped)
        return {};
    QList<ColouredRun> runs = piece.coloured;
    if (runs.isEmpty()) {
        for (const QGlyphRun &run : piece.shaped->glyphRuns())
            runs.append({run, -1});
    }
    const QPointF origin = shapedOrigin(piece, piece.rect.height());
    for (ColouredRun &c : runs) {
        QList<QPointF> at = c.run.positions();
        for (QPointF &point : at)
            point = QPointF(x + piece.rect.right() + (origin.x() + point.x()) * piece.squeeze, piece.rect.top() + origin.y() + point.y());
        c.run.setPositions(at);
    }
    return runs;
}

QList<ColouredRun> MushafLayout::lineGlyphs(int page, int line) const
{
    QList<ColouredRun> runs;
    if (page < 0 || page >= laid_.size() || line < 0 || line >= laid_[page].lines.size())
        return runs;
    for (const Piece &piece : laid_[page].lines[line].pieces)
        runs += glyphsOf(piece, laid_[page].x);
    return runs;
}

QList<ColouredRun> MushafLayout::wordGlyphs(const PageWord &word) const
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

QSizeF MushafLayout::spreadSize() const
{
    return QSizeF(pages_.size() == 2 ? 2 * kWidth + kFacingGap : kWidth, kHeight);
}

const MushafLayout::Piece *MushafLayout::pieceAt(QPointF at) const
{
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

QRectF MushafLayout::wordRect(const PageWord &word) const
{
    for (const Laid &laid : laid_) {
        for (const Line &line : laid.lines) {
            for (const Piece &piece : line.pieces) {
                if (!piece.item.endMark() && piece.item.word == word)
                    return piece.rect.translated(laid.x, 0);
            }
        }
    }
    return {};
}

QList<const MushafLayout::Line *> MushafLayout::ayaLines(int ayaId) const
{
    QList<const Line *> lines;
    for (const Laid &laid : laid_) {
        for (const Line &line : laid.lines) {
            if (std::any_of(line.pieces.cbegin(), line.pieces.cend(), [&](const Piece &p) { return p.item.ayaId == ayaId; }))
                lines.append(&line);
        }
    }
    return lines;
}

int MushafLayout::lineCount() const
{
    int total = 0;
    for (const Laid &laid : laid_)
        total += int(laid.lines.size());
    return total;
}

const MushafLayout::Line *MushafLayout::line(int index, double *pageX) const
{
    for (const Laid &laid : laid_) {
        if (index >= 0 && index < laid.lines.size()) {
            if (pageX)
                *pageX = laid.x;
            return &laid.lines[index];
        }
        index -= int(laid.lines.size());
    }
    return nullptr;
}

QStringList MushafLayout::lineTexts(const WordVeil *veil) const
{
    QStringList lines;
    for (const PrintedPage &page : pages_) {
        for (const PrintedLine &line : page.lines) {
            if (line.kind != PrintedLine::Text || !veil) {
                lines.append(line.plainText());
                continue;
            }
            // Hidden words are not read out; a first letter is all there is.
            QStringList parts;
            for (const PrintedItem &item : line.items) {
                const WordShow show = item.endMark() ? WordShow::Whole : veil->show(item.word);
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

double MushafLayout::stepTo(double top, double bottom, int direction) const
{
    const double h = rowHeight();
    // The rows of the first page decide; a facing page has the same rows.
    const QList<Line> &lines = laid_.isEmpty() ? QList<Line>() : laid_.first().lines;
    double to = -1;
    if (direction > 0) {
        // The last row seen whole comes to the top; if none is, the first cut one.
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
        return to;
    }
    // The first row seen whole goes to the bottom.
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
    return to;
}

int MushafLayout::firstLineFrom(double y) const
{
    const QList<Line> &lines = laid_.isEmpty() ? QList<Line>() : laid_.first().lines;
    for (int j = 0; j < lines.size(); ++j) {
        if (lines[j].rect.top() >= y - 0.5)
            return j;
    }
    return -1;
}

} // namespace zarfan
