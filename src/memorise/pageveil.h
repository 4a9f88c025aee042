#pragma once

#include "reading/wordveil.h"

#include <QHash>
#include <QList>
#include <vector>

namespace zarfan {

// What a memorising reader hides of the page.
enum class HideMode { AllWords, AfterCurrentAya, FirstLetter, EveryOther };

// The page's words as a memorising reader sees them: hidden by the mode,
// revealed one by one in reading order, and hidden again backwards. Setting
// a page hides it afresh.
class PageVeil : public WordVeil {
public:
    void setMode(HideMode mode);
    HideMode mode() const { return mode_; }
    // The page's words in reading order, and the aya the reader is on (for
    // "ما بعد الآية الحالية").
    void setPage(const QList<PageWord> &words, int currentSura = 0, int currentAya = 0);
    const QList<PageWord> &words() const { return words_; }

    WordShow show(const PageWord &word) const override;
    bool isHidden(const PageWord &word) const { return show(word) != WordShow::Whole; }
    int hiddenCount() const;

    // Each returns the words it changed (empty: nothing to do).
    QList<PageWord> revealNext();
    // The rest of the aya of the next hidden word.
    QList<PageWord> revealRestOfAya();
    QList<PageWord> revealAll();
    QList<PageWord> hideLast();
    QList<PageWord> reveal(const PageWord &word);

private:
    void hideAgain();
    int indexOf(const PageWord &word) const;
    bool hiddenAt(int i) const { return veiled_[std::size_t(i)] && !revealed_[std::size_t(i)]; }
    QList<PageWord> revealAt(const QList<int> &indices);

    HideMode mode_ = HideMode::AllWords;
    int sura_ = 0, aya_ = 0;
    QList<PageWord> words_;
    QHash<quint64, int> index_;
    std::vector<bool> veiled_, revealed_;
    std::vector<int> order_; // the words revealed, last last
};

} // namespace zarfan
