#pragma once

#include <QList>
#include <QString>
#include <vector>

namespace zarfan {

class FoldedText;

// An aya the reader recites from memory: its ID and its text as shown.
struct RecitedAya {
    int id = 0;
    QString line; // its reference
    QString text;
};

enum class WordMark { Right, Wrong, Missing, Extra };

// One word of the check, in reading order: an aya's word (right, wrong or
// missing) or a typed word with no aya word (extra, placed where typed).
struct CheckedWord {
    WordMark mark = WordMark::Right;
    int aya = 0;      // index into the recited ayas
    QString expected; // the aya's word as shown; empty for an extra word
    QString typed;    // what was typed for it; empty for a missing word
};

struct RecitalCheck {
    std::vector<CheckedWord> words;
    int right = 0, total = 0;
    bool tooLong = false; // refused: too many words to align at once
    int typedWords = 0;

    // The most words a check of so many aya words takes: a paste far longer
    // than the ayas is refused, not aligned.
    static int mostTyped(int ayaWords) { return 2 * ayaWords + 50; }

    // "صحيح : 37 من 40"
    QString score() const;
    // Every mistake in words, for a screen reader: "ناقصة : …" and the like.
    QString spoken(const std::vector<RecitedAya> &ayas) const;
    // The IDs of the ayas with a wrong or missing word, in order.
    QList<int> ayasToHear(const std::vector<RecitedAya> &ayas) const;
};

// Aligns the typed words with the ayas' words after the search's folding
// (diacritics and hamza forms aside), by the fewest insertions, deletions and
// substitutions.
RecitalCheck checkRecital(const std::vector<RecitedAya> &ayas, const QString &typed);

// Where a recital from row `start` of the folded text ends.
enum class RecitalEnd { Aya, PageEnd, SuraEnd };
// The rows recited: from start to the end asked (an aya number of the same
// sura for RecitalEnd::Aya, kept within the sura and not before the start;
// a page end may run into the next sura).
std::vector<int> recitalRows(const FoldedText &text, int start, RecitalEnd end, int endAya = 0);

} // namespace zarfan
