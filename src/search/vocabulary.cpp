#include "vocabulary.h"

#include <algorithm>
#include <array>

namespace zarfan {

namespace {

// The distance of a and b when it is at most one, else 2: without a table,
// as a correction of one edit is sought across the whole vocabulary.
int withinOneEdit(QStringView a, QStringView b)
{
    if (a.size() < b.size())
        std::swap(a, b);
    const qsizetype n = a.size(), m = b.size();
    if (n - m > 1)
        return 2;
    qsizetype i = 0;
    while (i < m && a[i] == b[i])
        ++i;
    if (i == m)
        return n == m ? 0 : 1;
    // One substitution, or a's letter at i left out.
    return (n == m ? a.mid(i + 1) == b.mid(i + 1) : a.mid(i + 1) == b.mid(i)) ? 1 : 2;
}

} // namespace

int boundedEditDistance(QStringView a, QStringView b, int limit)
{
    const qsizetype n = a.size(), m = b.size();
    if (std::abs(n - m) > limit)
        return limit + 1;
    if (limit == 1)
        return withinOneEdit(a, b);
    // Two rows of the table, on the stack for any word of the text.
    std::array<int, 64> small[2];
    std::vector<int> large[2];
    int *prev = small[0].data(), *cur = small[1].data();
    if (m >= 64) {
        large[0].resize(std::size_t(m + 1));
        large[1].resize(std::size_t(m + 1));
        prev = large[0].data(), cur = large[1].data();
    }
    for (qsizetype j = 0; j <= m; ++j)
        prev[j] = int(j);
    for (qsizetype i = 1; i <= n; ++i) {
        cur[0] = int(i);
        int rowMin = cur[0];
        for (qsizetype j = 1; j <= m; ++j) {
            const int substitute = prev[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            cur[j] = std::min({prev[j] + 1, cur[j - 1] + 1, substitute});
            rowMin = std::min(rowMin, cur[j]);
        }
        if (rowMin > limit)
            return limit + 1;
        std::swap(prev, cur);
    }
    return std::min(prev[m], limit + 1);
}

Vocabulary::Vocabulary(std::vector<std::pair<QString, int>> counts)
{
    std::sort(counts.begin(), counts.end());
    entries_.reserve(counts.size());
    for (auto &[word, n] : counts) {
        if (word.isEmpty() || n <= 0)
            continue;
        if (!entries_.empty() && entries_.back().word == word) {
            entries_.back().count += n;
            continue;
        }
        entries_.push_back({std::move(word), n});
    }
    index_.reserve(qsizetype(entries_.size()));
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry &e = entries_[i];
        index_.insert(e.word, int(i));
        const std::size_t length = std::size_t(e.word.size());
        if (byLength_.size() <= length)
            byLength_.resize(length + 1);
        byLength_[length].push_back(int(i));
    }
}

QString Vocabulary::writtenPhrase(const QString &phrase) const
{
    QStringList words = phrase.split(u' ');
    for (QString &w : words)
        w = written(w);
    return words.join(u' ');
}

int Vocabulary::count(const QString &word) const
{
    const auto it = index_.constFind(word);
    return it == index_.cend() ? 0 : entries_[std::size_t(*it)].count;
}

std::vector<Vocabulary::Entry> Vocabulary::withPrefix(QStringView prefix, int limit) const
{
    std::vector<Entry> out;
    if (prefix.isEmpty() || limit <= 0)
        return out;
    const auto first = std::lower_bound(entries_.begin(), entries_.end(), prefix,
                                        [](const Entry &e, QStringView p) { return QStringView(e.word) < p; });
    std::vector<const Entry *> found;
    for (auto it = first; it != entries_.end() && it->word.startsWith(prefix); ++it)
        found.push_back(&*it);
    const auto better = [](const Entry *a, const Entry *b) { return a->count != b->count ? a->count > b->count : a->word < b->word; };
    const std::size_t kept = std::min(found.size(), std::size_t(limit));
    std::partial_sort(found.begin(), found.begin() + std::ptrdiff_t(kept), found.end(), better);
    for (std::size_t i = 0; i < kept; ++i)
        out.push_back(*found[i]);
    return out;
}

QStringList Vocabulary::corrections(const QString &word, int limit) const
{
    const qsizetype length = word.size();
    if (length <= 3 || contains(word) || limit <= 0)
        return {};
    const int reach = length >= 8 ? 2 : 1;
    struct Near {
        int distance;
        const Entry *entry;
    };
    std::vector<Near> near;
    for (qsizetype l = length - reach; l <= length + reach; ++l) {
        if (l < 1 || std::size_t(l) >= byLength_.size())
            continue;
        for (const int i : byLength_[std::size_t(l)]) {
            const Entry &e = entries_[std::size_t(i)];
            const int d = boundedEditDistance(word, e.word, reach);
            if (d <= reach)
                near.push_back({d, &e});
        }
    }
    std::sort(near.begin(), near.end(), [](const Near &a, const Near &b) {
        if (a.distance != b.distance)
            return a.distance < b.distance;
        return a.entry->count != b.entry->count ? a.entry->count > b.entry->count : a.entry->word < b.entry->word;
    });
    QStringList out;
    for (const Near &n : near) {
        if (out.size() == limit)
            break;
        out.append(n.entry->word);
    }
    return out;
}

QStringList Vocabulary::phraseCorrections(const QString &phrase, const std::function<bool(const QString &)> &listsAyas,
                                          int limit) const
{
    const QStringList words = phrase.split(u' ', Qt::SkipEmptyParts);
    // A long text is no phrase to correct: the work stays bounded however
    // much is typed.
    if (words.size() > kPhraseWords)
        return {};
    std::vector<QStringList> options;
    bool anyLacking = false;
    for (const QString &w : words) {
        if (contains(w)) {
            options.push_back({w});
            continue;
        }
        anyLacking = true;
        QStringList near = corrections(w, 3);
        if (near.isEmpty())
            near.append(w);
        options.push_back(near);
    }
    QStringList out;
    if (!anyLacking || limit <= 0)
        return out;
    // Every choice of one proposal per word, fewest steps from the best
    // proposals first; a bounded number of them is tried.
    std::vector<std::vector<int>> choices = {std::vector<int>(options.size(), 0)};
    constexpr std::size_t kTried = 40;
    for (std::size_t i = 0; i < options.size(); ++i) {
        std::vector<std::vector<int>> wider;
        for (const auto &c : choices)
            for (int k = 0; k < options[i].size(); ++k) {
                auto next = c;
                next[i] = k;
                wider.push_back(next);
            }
        std::stable_sort(wider.begin(), wider.end(), [](const auto &a, const auto &b) {
            int sa = 0, sb = 0;
            for (int v : a) sa += v;
            for (int v : b) sb += v;
            return sa < sb;
        });
        if (wider.size() > kTried)
            wider.resize(kTried);
        choices = std::move(wider);
    }
    for (const auto &c : choices) {
        QStringList picked;
        for (std::size_t i = 0; i < options.size(); ++i)
            picked.append(options[i].at(c[i]));
        const QString candidate = picked.join(u' ');
        if (candidate != phrase && !out.contains(candidate) && listsAyas(candidate))
            out.append(candidate);
        if (out.size() == limit)
            break;
    }
    return out;
}

} // namespace zarfan
