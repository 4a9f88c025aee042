#include "wordpostings.h"

#include "preparedbytes.h"
#include "searchquery.h"

#include <algorithm>

namespace zarfan {

namespace {

// Offsets that start at 0, never go back and end at the size.
bool runsWhole(const std::vector<std::uint32_t> &starts, std::size_t size)
{
    return !starts.empty() && starts.front() == 0 && starts.back() == size && std::is_sorted(starts.begin(), starts.end());
}

} // namespace

std::uint64_t WordPostings::fingerprint(QStringView text, std::uint64_t from)
{
    for (const QChar c : text)
        from = (from ^ c.unicode()) * kFnvPrime;
    return from;
}

WordPostings WordPostings::build(const QStringList &padded)
{
    const int rows = int(padded.size());
    struct Met {
        QStringView word;
        Posting at;
    };
    if (std::uint32_t(rows) >> (32 - kPositionBits))
        return {};
    std::vector<Met> met;
    met.reserve(std::size_t(rows) * 16);
    std::uint64_t h = kFnvBasis;
    for (int row = 0; row < rows; ++row) {
        const QStringView text = padded.at(row);
        h = fingerprint(text, h);
        std::uint32_t position = 0;
        for (const QStringView word : text.split(u' ', Qt::SkipEmptyParts)) {
            if (position >> kPositionBits)
                return {}; // more words than a position holds: the scan answers
            met.push_back({word, Posting(row) << kPositionBits | position++});
        }
    }
    // Stable: each word's postings stay in row order.
    std::stable_sort(met.begin(), met.end(), [](const Met &a, const Met &b) { return a.word < b.word; });
    WordPostings out;
    out.rows_ = rows;
    out.madeFrom_ = h;
    out.posts_.reserve(met.size());
    for (std::size_t i = 0; i < met.size(); ++i) {
        if (i == 0 || met[i].word != met[i - 1].word) {
            out.wordStarts_.push_back(std::uint32_t(out.words_.size()));
            out.postStarts_.push_back(std::uint32_t(out.posts_.size()));
            out.words_ += met[i].word;
        }
        out.posts_.push_back(met[i].at);
    }
    out.wordStarts_.push_back(std::uint32_t(out.words_.size()));
    out.postStarts_.push_back(std::uint32_t(out.posts_.size()));
    return out;
}

QByteArray WordPostings::toBytes() const
{
    PreparedWriter out;
    out.number(quint32(rows_));
    out.array(std::vector<quint64>{madeFrom_});
    out.array(wordStarts_);
    out.array(postStarts_);
    out.text(words_);
    out.array(posts_);
    return out.bytes;
}

std::optional<WordPostings> WordPostings::fromBytes(const QByteArray &bytes)
{
    PreparedReader in(bytes);
    WordPostings p;
    const quint32 rows = in.number();
    const std::vector<quint64> madeFrom = in.array<quint64>();
    p.wordStarts_ = in.array<std::uint32_t>();
    p.postStarts_ = in.array<std::uint32_t>();
    p.words_ = in.text();
    p.posts_ = in.array<Posting>();
    if (!in.done() || madeFrom.size() != 1 || p.wordStarts_.size() < 2 || p.postStarts_.size() != p.wordStarts_.size()
        || rows >> (32 - kPositionBits))
        return std::nullopt;
    p.madeFrom_ = madeFrom.front();
    p.rows_ = int(rows);
    if (!runsWhole(p.wordStarts_, std::size_t(p.words_.size())) || !runsWhole(p.postStarts_, p.posts_.size()))
        return std::nullopt;
    // Words distinct, sorted and blank-free; each word's postings in order,
    // every one in a row the texts have.
    for (std::size_t k = 0; k + 1 < p.wordStarts_.size(); ++k) {
        const QStringView word = QStringView(p.words_).sliced(p.wordStarts_[k], p.wordStarts_[k + 1] - p.wordStarts_[k]);
        if (word.isEmpty() || word.contains(u' ') || p.postStarts_[k] == p.postStarts_[k + 1])
            return std::nullopt;
        if (k > 0 && !(QStringView(p.words_).sliced(p.wordStarts_[k - 1], p.wordStarts_[k] - p.wordStarts_[k - 1]) < word))
            return std::nullopt;
        const auto begin = p.posts_.begin() + p.postStarts_[k], end = p.posts_.begin() + p.postStarts_[k + 1];
        if (!std::is_sorted(begin, end) || row(*(end - 1)) >= p.rows_)
            return std::nullopt;
    }
    return p;
}

std::span<const WordPostings::Posting> WordPostings::of(QStringView word) const
{
    if (wordStarts_.size() < 2)
        return {};
    const auto wordAt = [&](std::size_t k) {
        return QStringView(words_).sliced(wordStarts_[k], wordStarts_[k + 1] - wordStarts_[k]);
    };
    std::size_t lo = 0, hi = wordStarts_.size() - 1;
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        if (wordAt(mid) < word)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == wordStarts_.size() - 1 || wordAt(lo) != word)
        return {};
    return std::span<const Posting>(posts_).subspan(postStarts_[lo], postStarts_[lo + 1] - postStarts_[lo]);
}

bool WordPostings::addWholeWordHits(QStringView needle, int first, int last, const std::function<QString(int)> &padded,
                                    std::vector<int> &counts) const
{
    if (!isBuilt() || needle.isEmpty() || needle.contains(u'%') || needle.contains(u'_') || needle.startsWith(u' ')
        || needle.endsWith(u' ') || needle.contains(u"  ") || counts.size() < std::size_t(rows_))
        return false;
    first = std::max(first, 0);
    last = std::min(last, rows_);
    const auto inRows = [&](std::span<const Posting> posts) {
        const auto from = std::lower_bound(posts.begin(), posts.end(), Posting(first) << kPositionBits);
        const auto to = std::lower_bound(from, posts.end(), Posting(last) << kPositionBits);
        return std::span<const Posting>(from, to);
    };
    const QStringList forms = wholeWordForms(needle);
    const QList<QStringView> words = needle.split(u' ');
    if (words.size() == 1) {
        // Each written word holds the needle once, and no two forms are alike.
        for (const QString &form : forms)
            for (const Posting p : inRows(of(form)))
                ++counts[std::size_t(row(p))];
        return true;
    }
    // A phrase: where a form of its first word is followed by the rest, word
    // by word; those rows are then counted in the text itself.
    std::vector<Posting> starts;
    for (const QString &form : forms) {
        const std::span<const Posting> posts = inRows(of(form));
        starts.insert(starts.end(), posts.begin(), posts.end());
    }
    std::sort(starts.begin(), starts.end());
    for (qsizetype w = 1; w < words.size() && !starts.empty(); ++w) {
        const std::span<const Posting> next = inRows(of(words.at(w)));
        std::vector<Posting> kept;
        auto at = next.begin();
        for (const Posting s : starts) {
            if ((position(s) + w) >> kPositionBits)
                continue; // past the last position a row can have
            at = std::lower_bound(at, next.end(), s + Posting(w));
            if (at != next.end() && *at == s + Posting(w))
                kept.push_back(s);
        }
        starts.swap(kept);
    }
    int previous = -1;
    for (const Posting p : starts) {
        if (row(p) == previous)
            continue;
        previous = row(p);
        const QString text = padded(previous);
        counts[std::size_t(previous)] = int(findTerm(text, needle, true).size());
    }
    return true;
}

} // namespace zarfan
