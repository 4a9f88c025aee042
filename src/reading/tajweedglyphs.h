#pragma once

#include "reading/printedpage.h"
#include "reading/tajweed.h"

#include <QGlyphRun>
#include <QList>
#include <vector>

class QPainter;
class QTextLayout;

namespace zarfan {

// A run of glyphs and the class whose colour draws it; -1 draws it in ink.
struct ColouredRun {
    QGlyphRun run;
    int cls = -1;
};

// The glyphs of a laid-out text, split by the class of the letters they
// show: each glyph once, with the id and place the whole text's shaping gave
// it, so colouring never reshapes a word. The spans count in the layout's
// text; with only >= 0, the other classes are drawn in ink.
QList<ColouredRun> colourGlyphs(const QTextLayout &layout, const std::vector<TajweedSpan> &spans, int only = -1);

// The coloured glyphs of a printed word shaped as layout; empty when no
// rule touches it (or it is no Uthmani word), and then drawn as it is.
QList<ColouredRun> colourWord(const PrintedItem &item, const QTextLayout &layout, const TajweedSpans &spans, int only = -1);

// Draws the runs with their origin at a point: each class in its colour for
// the palette's page, the rest in ink.
void drawColoured(QPainter &p, QPointF origin, const QList<ColouredRun> &runs, const QPalette &palette, const QColor &ink);

} // namespace zarfan
