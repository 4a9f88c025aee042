#include "similarayas.h"

#include "search/foldedtext.h"

#include <QHash>
#include <algorithm>

namespace zarfan {

namespace {

bool isPauseMark(QStringView word)
{
    return std::all_of(word.begin(), word.end(), [](QChar c) { return c.unicode() >= 0x06D6 && c.unicode() <= 0x06ED; });
}

// Sixteen bits a word: the vocabulary of the text stays far below that.
constexpr int kMaxWords = 0xFFFF;

} // namespace

std::vector<QStringView> foldedWords(QStringView padded)
{
    std::vector<QStringView> out;
    for (QStringView w : padded.split(u' ', Qt::SkipEmptyParts))
        if (!isPauseMark(w))
            out.push_back(w);
    return out;
}

std::uint64_t SimilarAyas::key(const int *w, int n)
{
    std::uint64_t k = 0;
    for (int i = 0; i < n; ++i)
        k = (k << 16) | std::uint64_t(w[i]);
    return k;
}

bool SimilarAyas::build(const FoldedText &text)
{
    *this = SimilarAyas();
    if (!text.isLoaded())
        return false;
    QHash<QStringView, int> numbers;
    numbers.reserve(20000);
    offsets_.reserve(std::size_t(text.size()) + 1);
    offsets_.push_back(0);
    // The words are keyed by views: the texts stay until the numbers are given.
    QStringList ayas;
    ayas.reserve(text.size());
    for (int k = 0; k < text.size(); ++k)
        ayas.append(text.padded(k));
    for (const QString &aya : ayas) {
        for (QStringView w : foldedWords(aya)) {
            // From 1: a zero would not tell a short key from a longer one.
            auto it = numbers.constFind(w);
            if (it == numbers.constEnd())
                it = numbers.insert(w, int(numbers.size()) + 1);
            words_.push_back(it.value());
        }
        offsets_.push_back(int(words_.size()));
    }
    if (numbers.size() >= kMaxWords) {
        *this = SimilarAyas();
        return false;
    }
    for (int k = 0; k < text.size(); ++k) {
        const int n = wordCount(k);
        for (int i = 0; i + kRun <= n; ++i)
            runs_.emplace_back(key(words(k) + i, kRun), k);
        if (n > 0 && n <= kRun)
            wholes_.emplace_back(key(words(k), n), k);
    }
    std::sort(runs_.begin(), runs_.end());
    runs_.erase(std::unique(runs_.begin(), runs_.end()), runs_.end());
    std::sort(wholes_.begin(), wholes_.end());
    return true;
}

std::vector<SimilarAya> SimilarAyas::of(int k) const
{
    std::vector<SimilarAya> out;
    if (k < 0 || k + 1 >= int(offsets_.size()))
        return out;
    const int n = wordCount(k);
    const int *own = words(k);
    std::vector<int> candidates;
    const auto add = [&](const std::vector<std::pair<std::uint64_t, int>> &index, std::uint64_t wanted) {
        auto it = std::lower_bound(index.begin(), index.end(), std::make_pair(wanted, -1));
        for (; it != index.end() && it->first == wanted; ++it)
            if (it->second != k)
                candidates.push_back(it->second);
    };
    for (int i = 0; i + kRun <= n; ++i)
        add(runs_, key(own + i, kRun));
    if (n > 0 && n <= kRun)
        add(wholes_, key(own, n));
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

    // The longest shared run with each, by the common-run table of the two.
    std::vector<int> previous, current;
    for (int other : candidates) {
        const int m = wordCount(other);
        const int *theirs = words(other);
        previous.assign(std::size_t(m) + 1, 0);
        current.assign(std::size_t(m) + 1, 0);
        SimilarAya found{other, 0, 0, 0, m};
        for (int i = 1; i <= n; ++i) {
            for (int j = 1; j <= m; ++j) {
                const int run = own[i - 1] == theirs[j - 1] ? previous[std::size_t(j) - 1] + 1 : 0;
                current[std::size_t(j)] = run;
                if (run > found.shared)
                    found = {other, run, j - run, i - run, m};
            }
            std::swap(previous, current);
        }
        out.push_back(found);
    }
    std::sort(out.begin(), out.end(), [](const SimilarAya &a, const SimilarAya &b) {
        return a.shared != b.shared ? a.shared > b.shared : a.row < b.row;
    });
    return out;
}

} // namespace zarfan
