#pragma once

#include "search/occurrences.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zarfan {

// A search in the chosen translation: each term of the typed text (the
// search's " + ", " | ", " - " and parentheses) folded as the texts are and
// sought as whole words, a phrase as its words in a row; in a script written
// without blanks, as a run of letters.
class TranslationSearch {
public:
    // Nothing when the combination is malformed or no term has a letter.
    static std::optional<TranslationSearch> parse(const QString &typed);

    // The aya IDs, ascending, among first..last (aya IDs) whose folded text
    // (by aya ID - 1) the search finds.
    QList<int> find(const std::vector<QString> &folded, int first, int last) const;
    // The terms to mark: those not on the right of a " - ".
    const QStringList &shownTerms() const { return shown_; }

    // Where folded terms stand in a translation's text as shown.
    static QList<TextRange> ranges(const QString &text, const QStringList &foldedTerms);

private:
    bool holds(int node, QStringView padded) const;
    static bool holdsTerm(QStringView padded, const QString &term);

    struct Node {
        int op = 0; // 0 term, 1 both, 2 either, 3 without
        QString term;
        int left = -1, right = -1;
    };
    std::vector<Node> nodes_;
    int root_ = -1;
    QStringList shown_;
};

} // namespace zarfan
