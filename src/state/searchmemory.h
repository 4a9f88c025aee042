#pragma once

#include "state/readingstate.h"
#include "search/foldedtext.h"
#include "search/memorysearch.h"
#include "search/vocabulary.h"
#include "search/wordkeyindex.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace zarfan {

// What the forgiving search holds in memory: the folded ayas, the roots and
// lemmas of the words, and the vocabularies made from them. The texts and
// their word index are loaded once, while the main window is built; until
// then every search takes the statements. The keys and vocabularies are
// read on first use (a root search, a completion), from the same database.
class SearchMemory {
public:
    // False when the database cannot be read; the statements still work.
    bool load(const QString &connectionString);
    // Through that control (a worker's, apart from the shared connection).
    bool load(DataControl &control);
    bool isLoaded() const { return text_.isLoaded(); }

    const FoldedText &text() const { return text_; }
    const WordKeyIndex &keys() const;
    const Vocabulary &words() const;
    const Vocabulary &vocabulary(WordKey by) const;

    SearchAnswer answer(const QString &text, const SearchOptions &options) const
    {
        return answerFromMemory(text, options, text_, options.key == WordKey::Letters ? nullptr : &keys());
    }

    // The listing request for an answered search: its rows ready, its
    // terms to mark; the statement kept for what reads it.
    ReadingState::Request request(const SearchAnswer &answer, const QString &text, const SearchOptions &options) const;

    // For a search that listed nothing: up to five texts to search instead,
    // nearest first, their words as the text writes them; for combined
    // terms, the text with each term that lists nothing corrected. None in
    // the literal mode, nor for a text longer than kDidYouMeanChars; at most
    // kDidYouMeanCandidates texts are searched to find them.
    static constexpr int kDidYouMeanChars = 200;
    static constexpr int kDidYouMeanCandidates = 12;
    QStringList didYouMean(const QString &text, const SearchOptions &options) const;

private:
    void readPostings(DataControl &control);
    QStringList termCorrections(const QString &term, const SearchOptions &options, int &budget) const;
    QStringList shown(QStringList proposals, const SearchOptions &options) const;

    FoldedText text_;
    QString connection_;
    mutable std::optional<WordKeyIndex> keys_;
    mutable std::optional<Vocabulary> words_, roots_, lemmas_;
};

// "هل تقصد : a ، b" for the proposals; empty for none.
QString didYouMeanText(const QStringList &proposals);

} // namespace zarfan
