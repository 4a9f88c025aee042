#pragma once

#include <QColor>
#include <QList>
#include <QPalette>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace zarfan {

// The colour classes of a tajweed mushaf; each rule belongs to one.
enum class TajweedClass { Silent, Madd2, Madd246, Madd45, Madd6, Ghunna, IdghamNoGhunna, Qalqala };
inline constexpr int kTajweedClasses = 8;

struct TajweedRule {
    const char *key;    // as the data names it
    const char *arabic; // source text for translation, context "Tajweed"
    TajweedClass cls;
};
inline constexpr int kTajweedRules = 18;
const std::array<TajweedRule, kTajweedRules> &tajweedRules();
// The rule's place in tajweedRules(); -1 for a key not among them.
int tajweedRuleIndex(QStringView key);
QString tajweedRuleName(int rule);
// The class's name, the names of its rules, and how it is recited, in Arabic.
QString tajweedClassName(TajweedClass cls);
QStringList tajweedClassRules(TajweedClass cls);
QString tajweedClassDescription(TajweedClass cls);
// The class's colour on a page of the palette's Base colour: one set for
// light pages, one for dark ones.
QColor tajweedColour(TajweedClass cls, const QPalette &palette);
// The current aya's background while the colours show: a tint of the
// highlight light enough for every colour to stay readable on it.
QColor currentAyaTint(const QPalette &palette);

// Where a rule applies: code points of the aya's Uthmani text, end exclusive.
struct TajweedSpan {
    int start = 0, end = 0, rule = 0;
};

// Every span of the mushaf, read once from the database.
class TajweedSpans {
public:
    // False, and no spans, when the database cannot give them.
    bool load(const QString &connection);
    bool isEmpty() const { return count_ == 0; }
    int count() const { return count_; }
    const std::vector<TajweedSpan> &of(int ayaId) const;
    // The spans of an aya that touch [from, to), clipped to it.
    std::vector<TajweedSpan> within(int ayaId, int from, int to) const;
    // The names of the rules touching [from, to) of an aya, in text order,
    // each once, joined by " — "; empty for none.
    QString names(int ayaId, int from, int to) const;

private:
    std::vector<std::vector<TajweedSpan>> byAya_; // by aya ID
    int count_ = 0;
};

} // namespace zarfan
