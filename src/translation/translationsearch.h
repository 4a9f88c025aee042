#pragma once

#include "search/occurrences.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zarfan {

// An edition's search texts (foldTranslation's form) in one buffer, each
// aya's followed by a line break that no term holds: a term is sought once
// over the whole, not aya by aya.
class FoldedEdition {
public:
    void reserve(int ayas) { starts_.reserve(std::size_t(ayas) + 1); }
    // The next aya's text; one not in that form holds nothing.
    void append(QStringView padded);
    // Read whole: the buffer takes no more room than its text.
    void squeeze() { all_.squeeze(); }
    int ayaCount() const { return int(starts_.size()) - 1; }
    bool isEmpty() const { return ayaCount() == 0; }
    const QString &all() const { return all_; }
    // Where aya ID id's text starts in all(); ayaCount() + 1 gives the end.
    qsizetype start(int id) const { return starts_[std::size_t(id) - 1]; }

private:
    QString all_;
    std::vector<qsizetype> starts_{0};
};

// A search in the chosen translation: each term of the typed text (the
// search's " + ", " | ", " - " and parentheses) folded as the texts are and
// sought as whole words, a phrase as its words in a row; in a script written
// without blanks, as a run of letters.
class TranslationSearch {
public:
    // Nothing when the combination is malformed or no term has a letter.
    static std::optional<TranslationSearch> parse(const QString &typed);

    // The aya IDs, ascending, among first..last (aya IDs) whose folded text
    // the search finds.
    QList<int> find(const FoldedEdition &folded, int first, int last) const;
    // The terms to mark: those not on the right of a " - ".
    const QStringList &shownTerms() const { return shown_; }

    // Where folded terms stand in a translation's text as shown.
    static QList<TextRange> ranges(const QString &text, const QStringList &foldedTerms);

private:
    // Of the ayas first..last, by ID - first, those the node finds.
    std::vector<char> holding(int node, const FoldedEdition &folded, int first, int last) const;
    static std::vector<char> holdingTerm(const QString &term, const FoldedEdition &folded, int first, int last);

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
