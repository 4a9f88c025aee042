#include "tajweedglyphs.h"

#include <algorithm>
#include <vector>

#include <QHash>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace zarfan {

namespace {

// A glyph by its id and place; places compare in 1/64 of a pixel.
struct GlyphKey {
    quint32 glyph;
    qint64 x, y;
    bool operator==(const GlyphKey &) const = default;
};
size_t qHash(const GlyphKey &k, size_t seed = 0) { return qHashMulti(seed, k.glyph, k.x, k.y); }
GlyphKey keyOf(quint32 glyph, QPointF at) { return {glyph, std::llround(at.x() * 64), std::llround(at.y() * 64)}; }

} // namespace

QList<ColouredRun> colourGlyphs(const QTextLayout &layout, const std::vector<TajweedSpan> &spans, int only)
{
    QHash<GlyphKey, int> classOf;
    for (const TajweedSpan &s : spans) {
        const int cls = int(tajweedRules()[s.rule].cls);
        if (only >= 0 && cls != only)
            continue;
        for (const QGlyphRun &run : layout.glyphRuns(s.start, s.end - s.start)) {
            const QList<quint32> ids = run.glyphIndexes();
            const QList<QPointF> at = run.positions();
            for (qsizetype i = 0; i < ids.size() && i < at.size(); ++i)
                classOf.insert(keyOf(ids[i], at[i]), cls); // the later span's class
        }
    }
    QList<ColouredRun> out;
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QList<quint32> ids = run.glyphIndexes();
        const QList<QPointF> at = run.positions();
        // Consecutive glyphs of one class stay one run.
        qsizetype i = 0;
        while (i < ids.size()) {
            const int cls = classOf.value(keyOf(ids[i], at[i]), -1);
            QList<quint32> partIds;
            QList<QPointF> partAt;
            while (i < ids.size() && classOf.value(keyOf(ids[i], at[i]), -1) == cls) {
                partIds.append(ids[i]);
                partAt.append(at[i]);
                ++i;
            }
            QGlyphRun part = run;
            part.setGlyphIndexes(partIds);
            part.setPositions(partAt);
            out.append({part, cls});
        }
    }
    return out;
}

QList<ColouredRun> colourWord(const PrintedItem &item, const QTextLayout &layout, const TajweedSpans &spans, int only)
{
    if (item.start < 0 || item.endMark())
        return {};
    // The word's letters: its pause marks, after a blank, carry no rule.
    const qsizetype blank = item.text.indexOf(u' ');
    const int end = item.start + int(blank < 0 ? item.text.size() : blank);
    std::vector<TajweedSpan> within = spans.within(item.ayaId, item.start, end);
    if (within.empty())
        return {};
    // A stretched line shapes the word with tatweel put between its letters:
    // the written letters are found again in the shaped text, in order.
    const QString shaped = layout.text();
    std::vector<int> at(std::size_t(item.text.size()) + 1, 0);
    int j = 0;
    for (qsizetype i = 0; i < item.text.size(); ++i) {
        while (j < shaped.size() && shaped.at(j) != item.text.at(i) && shaped.at(j) == QChar(0x0640))
            ++j;
        at[std::size_t(i)] = j;
        if (j < shaped.size())
            ++j;
    }
    at[std::size_t(item.text.size())] = int(shaped.size());
    const auto place = [&](int offset) { return at[std::size_t(std::clamp<qsizetype>(offset, 0, item.text.size()))]; };
    for (TajweedSpan &s : within) {
        const int spanEnd = s.end - item.start;
        s.start = place(s.start - item.start);
        // The end follows the span's last letter, not the tatweel after it.
        s.end = spanEnd > 0 ? place(spanEnd - 1) + 1 : 0;
    }
    return colourGlyphs(layout, within, only);
}

void drawColoured(QPainter &p, QPointF origin, const QList<ColouredRun> &runs, const QPalette &palette, const QColor &ink)
{
    const QPen before = p.pen();
    for (const ColouredRun &c : runs) {
        p.setPen(c.cls < 0 ? ink : tajweedColour(TajweedClass(c.cls), palette));
        p.drawGlyphRun(origin, c.run);
    }
    p.setPen(before);
}

} // namespace zarfan
