#include "pageveil.h"

namespace zarfan {

namespace {
quint64 keyOf(const PageWord &w) { return (quint64(quint32(w.sura)) << 40) | (quint64(quint32(w.aya)) << 20) | quint32(w.word); }
} // namespace

void PageVeil::setMode(HideMode mode)
{
    mode_ = mode;
    hideAgain();
}

void PageVeil::setPage(const QList<PageWord> &words, int currentSura, int currentAya)
{
    words_ = words;
    sura_ = currentSura;
    aya_ = currentAya;
    index_.clear();
    for (int i = 0; i < words_.size(); ++i)
        index_.insert(keyOf(words_.at(i)), i);
    hideAgain();
}

void PageVeil::hideAgain()
{
    const std::size_t n = std::size_t(words_.size());
    veiled_.assign(n, false);
    revealed_.assign(n, false);
    order_.clear();
    for (std::size_t i = 0; i < n; ++i) {
        const PageWord &w = words_.at(qsizetype(i));
        switch (mode_) {
        case HideMode::AllWords:
        case HideMode::FirstLetter:
            veiled_[i] = true;
            break;
        case HideMode::AfterCurrentAya:
            veiled_[i] = w.sura > sura_ || (w.sura == sura_ && w.aya > aya_);
            break;
        case HideMode::EveryOther:
            veiled_[i] = i % 2 == 1;
            break;
        }
    }
}

int PageVeil::indexOf(const PageWord &word) const { return index_.value(keyOf(word), -1); }

WordShow PageVeil::show(const PageWord &word) const
{
    const int i = indexOf(word);
    if (i < 0 || !hiddenAt(i))
        return WordShow::Whole;
    return mode_ == HideMode::FirstLetter ? WordShow::FirstLetter : WordShow::Hidden;
}

int PageVeil::hiddenCount() const
{
    int n = 0;
    for (int i = 0; i < words_.size(); ++i)
        n += hiddenAt(i) ? 1 : 0;
    return n;
}

QList<PageWord> PageVeil::revealAt(const QList<int> &indices)
{
    QList<PageWord> changed;
    for (int i : indices) {
        if (!hiddenAt(i))
            continue;
        revealed_[std::size_t(i)] = true;
        order_.push_back(i);
        changed.append(words_.at(i));
    }
    return changed;
}

QList<PageWord> PageVeil::revealNext()
{
    for (int i = 0; i < words_.size(); ++i)
        if (hiddenAt(i))
            return revealAt({i});
    return {};
}

QList<PageWord> PageVeil::revealRestOfAya()
{
    int first = -1;
    for (int i = 0; i < words_.size() && first < 0; ++i)
        if (hiddenAt(i))
            first = i;
    if (first < 0)
        return {};
    QList<int> indices;
    const PageWord &w = words_.at(first);
    for (int i = first; i < words_.size() && words_.at(i).sura == w.sura && words_.at(i).aya == w.aya; ++i)
        indices.append(i);
    return revealAt(indices);
}

QList<PageWord> PageVeil::revealAll()
{
    QList<int> indices;
    for (int i = 0; i < words_.size(); ++i)
        indices.append(i);
    return revealAt(indices);
}

QList<PageWord> PageVeil::hideLast()
{
    if (order_.empty())
        return {};
    const int i = order_.back();
    order_.pop_back();
    revealed_[std::size_t(i)] = false;
    return {words_.at(i)};
}

QList<PageWord> PageVeil::reveal(const PageWord &word)
{
    const int i = indexOf(word);
    return i < 0 ? QList<PageWord>() : revealAt({i});
}

} // namespace zarfan
