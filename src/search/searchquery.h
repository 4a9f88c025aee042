#pragma once

#include "occurrences.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zarfan {

// A search text with terms joined by " + " (both), " | " (either) and
// " - " (the first without the second), taken left to right, with
// parentheses for grouping. Each term is a whole search text of its own.
struct SearchQuery {
    enum class Op { Term, Both, Either, Without };
    struct Node {
        Op op = Op::Term;
        QString term;           // Op::Term: the words as typed
        int left = -1, right = -1; // the operands, as node numbers
    };
    std::vector<Node> nodes;
    int root = -1;

    // The terms, left to right, that are not on the right of a " - ": the
    // ones marked and counted.
    QStringList shownTerms() const;
    QStringList allTerms() const;
};

// The most terms one text may combine; more make it malformed.
constexpr int kSearchTermLimit = 64;

// Whether the text combines terms at all: it holds one of the operators as
// a blank-separated token. A text without them means what it always meant.
bool hasSearchOperators(const QString &text);

// A text that combines nothing, with its parentheses taken away ("(الجنة)",
// "( الله"); a text with operators as it stands.
QString withoutStrayGrouping(const QString &text);

// The text parsed, parentheses balanced as meant (a stray ")" dropped, an
// open group closed at the end); nothing when it is malformed (an
// operator without a term on each side, an empty group).
std::optional<SearchQuery> parseSearchQuery(const QString &text);

// Where a folded term occurs in a padded folded text (" word word ... "),
// non-overlapping, leftmost first. Without singleWord: every occurrence of
// the letters. With it: whole words, which may carry the prefixes Arabic
// attaches (one of و ف, then one of ب ك ل; ل before ال written لل, not with
// a wildcard); each range then covers the whole written word(s), prefix
// included.
QList<TextRange> findTerm(QStringView padded, QStringView needle, bool singleWord);

// The written words findTerm takes as the first word of a folded needle in
// single-word mode: the word, after each prefix, and the ل form; once each.
QStringList wholeWordForms(QStringView needle);

// The display ranges to mark for these folded terms in an aya shown as it
// is stored: every word one of their occurrences touches.
QList<TextRange> termRanges(QStringView display, const QStringList &foldedTerms, bool singleWord);

} // namespace zarfan
