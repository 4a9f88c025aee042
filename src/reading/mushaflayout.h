#pragma once

#include "reading/printedpage.h"
#include "reading/tajweedglyphs.h"
#include "reading/wordveil.h"

#include <QFont>
#include <QList>
#include <QRectF>
#include <QStringList>
#include <QTextLayout>
#include <memory>

namespace zarfan {

// One page (or two facing pages) set as the print sets them, in page units:
// 15 justified lines in a frame, each word shaped once, a crowded page in a
// smaller size and a sparse line lengthened with tatweel. A view only scales it.
class MushafLayout {
public:
    // The page in page units: the printed proportions.
    static constexpr double kWidth = 1000, kHeight = 1460, kFacingGap = 24;
    static constexpr double kBand = 80;        // above and below the frame
    static constexpr double kFrameSide = 70;   // frame's distance from the page edge
    static constexpr double kColumnSide = 110; // text column's distance from the page edge
    static constexpr double kFramePad = 25;    // frame to the first and last row
    static constexpr int kRows = 15;
    static constexpr double kFontPixels = 40;

    struct Piece {
        PrintedItem item;
        QRectF rect; // in page units
        double squeeze = 1; // across, of the words alone
        double size = 1;    // of the page's font, both ways
        // The word shaped once, when laid out, and only drawn on each paint.
        std::shared_ptr<QTextLayout> shaped;
        QList<ColouredRun> coloured; // empty: drawn whole in one colour
    };
    struct Line {
        QRectF rect; // the line's row
        QList<Piece> pieces;
        bool justified = false;
        double space = 0; // a space's width as drawn
    };
    struct Laid {
        QList<Line> lines;
        double x = 0; // of the page within the spread
    };

    // One page, or two facing pages (the odd on the right).
    void setPages(const QList<PrintedPage> &pages, const QFont &font);
    const QList<PrintedPage> &pages() const { return pages_; }
    const QList<Laid> &laid() const { return laid_; }
    QSizeF spreadSize() const;
    static double rowHeight();
    // The chosen font at the size the page is set in.
    static QFont pageFont(const QFont &chosen);

    // Colours the rules of recitation on Uthmani words, now and on every
    // page set; nullptr colours none. With only >= 0, that class alone.
    void setTajweed(const TajweedSpans *spans, int only);
    const TajweedSpans *tajweed() const { return tajweed_; }
    // The glyphs drawn for a line or a word, in page units, with the class
    // each is coloured by (-1 the ink).
    QList<ColouredRun> lineGlyphs(int page, int line) const;
    QList<ColouredRun> wordGlyphs(const PageWord &word) const;
    // Where a piece's shaped word is drawn from, in the piece's own units
    // from its top right corner: right-aligned, centred in a row.
    static QPointF shapedOrigin(const Piece &piece, double rowHeight);

    // The piece nearest a point of the spread on its line; nullptr off the lines.
    const Piece *pieceAt(QPointF at) const;
    // Where a word lies in the spread; empty when not on these pages.
    QRectF wordRect(const PageWord &word) const;
    // The lines with pieces of an aya, in reading order.
    QList<const Line *> ayaLines(int ayaId) const;
    // The lines of all pages shown, counted on from the first page's.
    int lineCount() const;
    const Line *line(int index, double *pageX = nullptr) const;
    // What a screen reader reads: one text a printed line; veiled words as drawn.
    QStringList lineTexts(const WordVeil *veil) const;

    // Paging by whole rows with one row of overlap: where the view's top
    // (forward) or bottom (back) goes, from the span top..bottom now seen;
    // negative when no row decides.
    double stepTo(double top, double bottom, int direction) const;
    // The first row at or below y, on the first page; -1 for none.
    int firstLineFrom(double y) const;

private:
    void colourPieces();
    static QList<ColouredRun> glyphsOf(const Piece &piece, double x);

    QList<PrintedPage> pages_;
    QList<Laid> laid_;
    const TajweedSpans *tajweed_ = nullptr;
    int tajweedOnly_ = -1;
};

// The first letter of a word with the marks on it.
QString firstLetter(const QString &word);

} // namespace zarfan
