#pragma once

#include "browse/resultlisting.h"
#include "occurrences.h"
#include "searchstatement.h"

#include <QStringList>
#include <vector>

namespace zarfan {

class FoldedText;
class WordKeyIndex;

// A search of the default mode (folded letters in the aya text) or by root
// or lemma, answered from the texts and keys held in memory.
struct SearchAnswer {
    enum class Status { Answered, Malformed, NotInMemory };
    Status status = Status::NotInMemory;
    std::vector<int> rows; // FoldedText rows, in ID order or by relevance
    std::vector<double> scores; // by relevance: each row's score, highest first
    std::vector<int> hits; // the occurrences in each row
    QStringList terms;     // the searched (folded) terms that are marked and counted
    WordsByAya words;      // root or lemma: the marked words, by aya ID
    bool keyUnknown = false; // root or lemma: no term names a known key

    // The listing lines, each carrying its count.
    std::vector<ResultRecord> records(const FoldedText &text) const;
};

// The message for a malformed combination of terms.
QString malformedQueryMessage();

// Answers the trimmed search text as the options say, when memory can: not
// in the literal mode nor in the notes, nor before the texts (and, by root or
// lemma, the keys) are loaded. By relevance, the rows are ordered by a BM25
// score over the folded words (k1 1.2, b 0.75): a hit that is a whole word
// weighs 1 and one inside a word half; a phrase weighs its words and half
// more; by root or lemma, a word other than the one typed weighs half. Ties
// keep the mushaf's order.
SearchAnswer answerFromMemory(const QString &text, const SearchOptions &options, const FoldedText &folded,
                              const WordKeyIndex *keys);

} // namespace zarfan
