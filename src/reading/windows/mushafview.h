#pragma once

#include "reading/mushaflayout.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <optional>

namespace zarfan {

// "صفحة المصحف": one page (or two facing pages) drawn as the print lays them
// out, 15 justified lines in a frame, scaled to fit the window and zoomed
// beyond that. Laid out once per page in page units; painting only scales.
class MushafView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // The page in page units: the printed proportions.
    static constexpr double kWidth = MushafLayout::kWidth, kHeight = MushafLayout::kHeight,
                            kFacingGap = MushafLayout::kFacingGap;

    explicit MushafView(QWidget *parent = nullptr);

    // One page, or two facing pages (the odd on the right).
    void setPages(const QList<PrintedPage> &pages);
    const QList<PrintedPage> &pages() const { return layout_.pages(); }
    void setQuranFont(const QFont &font);
    // 100 = the whole page fits the window.
    void setZoom(int percent);
    void setCurrentAya(int ayaId);
    void setMarkedWords(const QList<PageWord> &words);
    // The words drawn, in reading order, with their aya and word number.
    QList<PageWord> pageWords() const;
    // nullptr draws every word whole.
    void setVeil(const WordVeil *veil);
    std::optional<PageWord> wordAt(QPoint point) const;
    // Where a word is drawn in the viewport; empty when it is not shown.
    QRectF wordRect(const PageWord &word) const;
    // The aya of the word or end mark at a point of the viewport; 0 for none.
    int ayaAt(QPoint point) const;
    // The page as a screen reader reads it: one line of text per printed line.
    QString accessibleText() const;
    QStringList lineTexts() const;
    int caretLine() const { return caretLine_; }
    // The words of the caret line a reader sees whole, in reading order.
    QList<PageWord> caretLineWords() const;

    // For checks of the layout: each text line's column, the span of its
    // drawn pieces and each piece, in viewport coordinates; a space's width
    // there and the narrowest squeeze of a word.
    struct LineBox {
        QRectF column, ink;
        bool justified = false;
        QList<QRectF> pieces;
        double space = 0, narrowest = 1;
    };
    QList<LineBox> lineBoxes() const;
    // Where a page's line lies in the viewport.
    QRectF lineRect(int page, int line) const;
    // The pages drawn into an image at the given scale, in the current palette.
    QImage picture(double devicePixelRatio) const;
    // An aya's lines alone, its reference under them and, when given, a
    // tafsir text below; the width of a page, pixelsPerUnit pixels a page unit.
    QImage ayaPicture(int ayaId, double pixelsPerUnit, const QString &reference, const QString &tafsir) const;
    // Viewport pixels a page unit, as the page is shown now.
    double pixelsPerUnit() const { return scale(); }
    // Colours the rules of recitation on Uthmani words; nullptr draws none.
    // With only >= 0, that class alone.
    void setTajweed(const TajweedSpans *spans, int only = -1);
    const TajweedSpans *tajweed() const { return layout_.tajweed(); }
    // The glyphs drawn for a line or a word, in page units, with the class
    // each is coloured by (-1 the ink).
    QList<ColouredRun> lineGlyphs(int page, int line) const { return layout_.lineGlyphs(page, line); }
    QList<ColouredRun> wordGlyphs(const PageWord &word) const { return layout_.wordGlyphs(word); }

signals:
    void turnRequested(int direction);
    void endRequested(bool last);
    void zoomRequested(int direction);
    void ayaPicked(int ayaId);
    void caretLineChanged(const QString &text);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // The caret line's place, where a tip for the keyboard is shown.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void wheelEvent(QWheelEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    using Piece = MushafLayout::Piece;
    using Line = MushafLayout::Line;
    void updateBars();
    // Page units to viewport pixels.
    QTransform transform() const;
    double scale() const;
    void paintPages(QPainter &p) const;
    void pageStep(int direction);
    void setCaretLine(int line);
    const Piece *pieceAt(QPoint point) const;
    // A word at the top right corner of its row: whole as shaped (in its
    // tajweed colours), or a part of it as text.
    void drawPiece(QPainter &p, const Piece &piece, double top, const QString &text, bool whole,
                   const QColor &ink) const;

    MushafLayout layout_;
    QFont font_;
    int zoom_ = 100;
    int currentAya_ = 0;
    QList<PageWord> marked_;
    const WordVeil *veil_ = nullptr;
    int caretLine_ = 0; // over the lines of all pages shown
};

} // namespace zarfan
