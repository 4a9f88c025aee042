#include "mushaflayout.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

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

namespace {

// Where a tatweel may lengthen a word, as the print stretches its letters:
// between two letters that join, past the marks on the first, never inside
// lam-alef. The last such place of the word comes first.
QList<qsizetype> kashidaPlaces(const QString &word)
{
    QList<qsizetype> places;
    qsizetype previous = -1;
    for (qsizetype i = 0; i < word.size(); ++i) {
        const QChar c = word[i];
        if (c.joiningType() == QChar::Joining_Transparent)
            continue;
        if (previous >= 0 && word[previous].joiningType() == QChar::Joining_Dual
            && (c.joiningType() == QChar::Joining_Dual || c.joiningType() == QChar::Joining_Right)
            && !(word[previous] == u'\u0644' && QStringView(u"\u0627\u0623\u0625\u0622\u0671").contains(c)))
            places.prepend(i);
        previous = c.isLetter() ? i : -1;
    }
    return places;
}

QString stretched(const QString &word, const QList<qsizetype> &places, int count)
{
    // Spread over the places, the last place first; inserted from the end
    // so that the earlier places stay where they are.
    QList<int> at(places.size(), 0);
    for (int k = 0; k < count; ++k)
        ++at[k % places.size()];
    QString out = word;
    for (qsizetype p = 0; p < places.size(); ++p)
        out.insert(places[p], QString(at[p], QChar(0x0640)));
    return out;
}

} // namespace

void MushafLayout::setPages(const QList<PrintedPage> &pages, const QFont &chosen)
{
    pages_ = pages;
    laid_.clear();
    const QFont font = pageFont(chosen);
    const QFontMetricsF metrics(font);
    const double space = metrics.horizontalAdvance(u' ');
    const double markGap = space * 0.35, minGap = space * 0.3;
    const QRectF col = column();
    const auto measure = [&](const std::shared_ptr<QTextLayout> &shaped, const QString &text) {
        return shaped ? shaped->lineAt(0).naturalTextWidth() : metrics.horizontalAdvance(text);
    };
    // A tatweel's width between joined letters: alone it may have none.
    const auto joined = [&](const QString &text) { return measure(shape(text, font), text); };
    const double tatweel = (joined(QStringLiteral("ب\u0640\u0640\u0640\u0640ب")) - joined(QStringLiteral("بب"))) / 4;
    for (int p = 0; p < pages_.size(); ++p) {
        const PrintedPage &page = pages_[p];
        Laid laid;
        laid.x = pages_.size() == 2 && p == 0 ? kWidth + kFacingGap : 0;
        // Pages 1 and 2 stand their few lines in the middle of the frame.
        const int firstRow = page.lines.size() < kRows ? (kRows - int(page.lines.size())) / 2 : 0;
        struct Measured {
            QList<QString> texts;
            QList<double> widths;
            QList<std::shared_ptr<QTextLayout>> shaped;
            double words = 0;
            int stretch = 0, fixed = 0;
        };
        QList<Measured> measured;
        // The page is set a little smaller where its longest line would
        // otherwise be squeezed below 95 % of its width.
        double size = 1;
        for (const PrintedLine &pl : page.lines) {
            Measured m;
            for (int k = 0; k < pl.items.size(); ++k) {
                m.texts.append(pl.items[k].text);
                m.shaped.append(shape(pl.items[k].text, font));
                m.widths.append(measure(m.shaped.last(), pl.items[k].text));
                m.words += m.widths.last();
                if (k > 0)
                    (pl.items[k].endMark() ? m.fixed : m.stretch) += 1;
            }
            if (m.words > 0)
                size = std::min(size, col.width() / (0.96 * m.words + m.fixed * markGap + m.stretch * minGap));
            measured.append(m);
        }
        const double width = col.width() / size; // the column in the font's units
        for (int j = 0; j < page.lines.size(); ++j) {
            const PrintedLine &pl = page.lines[j];
            Measured &m = measured[j];
            Line line;
            line.rect = QRectF(col.left(), rowTop(firstRow + j), col.width(), rowHeight());
            double squeeze = 1, gap = space;
            const double natural = m.words + m.fixed * markGap + m.stretch * space;
            // The first pages are set centred, as printed.
            const bool centre = m.stretch == 0 || page.centred() || (pl.lastOfSura && natural < width * 0.8);
            if (m.words + m.fixed * markGap + m.stretch * minGap > width) {
                // Too long even tight: the words are drawn a little narrower.
                gap = minGap;
                squeeze = (width - m.fixed * markGap - m.stretch * minGap) / m.words;
            } else if (!centre) {
                gap = (width - m.words - m.fixed * markGap) / m.stretch;
                if (gap > 2.5 * space && tatweel > 0) {
                    // Wide gaps: the words are lengthened with tatweel instead.
                    QList<QList<qsizetype>> places;
                    int words = 0;
                    for (int k = 0; k < pl.items.size(); ++k) {
                        places.append(pl.items[k].endMark() ? QList<qsizetype>() : kashidaPlaces(m.texts[k]));
                        words += places.last().isEmpty() ? 0 : 1;
                    }
                    const int wanted = int(std::ceil((gap - 2.5 * space) * m.stretch / tatweel));
                    for (int k = 0, given = 0, left = words; k < pl.items.size() && left > 0; ++k) {
                        if (places[k].isEmpty())
                            continue;
                        const int count = (wanted - given) / left--;
                        given += count;
                        if (count == 0)
                            continue;
                        m.texts[k] = stretched(m.texts[k], places[k], count);
                        m.shaped[k] = shape(m.texts[k], font);
                        const double w = measure(m.shaped[k], m.texts[k]);
                        m.words += w - m.widths[k];
                        m.widths[k] = w;
                    }
                    gap = std::max(minGap, (width - m.words - m.fixed * markGap) / m.stretch);
                }
            }
            line.justified = !centre;
            line.space = space * size;
            const double used = (m.words * squeeze + m.fixed * markGap + m.stretch * gap) * size;
            double right = centre ? col.center().x() + std::min(used, col.width()) / 2 : col.right();
            for (int k = 0; k < pl.items.size(); ++k) {
                if (k > 0)
                    right -= (pl.items[k].endMark() ? markGap : gap) * size;
                const double w = m.widths[k] * squeeze * size;
                // The item keeps the text as written; only its shaping carries the
                // tatweel that stretches the line.
                line.pieces.append({pl.items[k], QRectF(right - w, line.rect.top(), w, line.rect.height()), squeeze, size, m.shaped[k], {}});
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
        // Only the page under the point: facing pages share their rows.
        if (local.x() < 0 || local.x() > kWidth)
            continue;
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
