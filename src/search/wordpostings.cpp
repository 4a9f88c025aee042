#include "wordpostings.h"

#include "searchquery.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace zarfan {

namespace {

constexpr char kMagic[4] = {'Z', 'W', 'P', '1'};
constexpr std::uint64_t kFnvBasis = 14695981039346656037ull, kFnvPrime = 1099511628211ull;

std::uint64_t fold(std::uint64_t h, QStringView text)
{
    for (const QChar c : text)
        h = (h ^ c.unicode()) * kFnvPrime;
    return h;
}

template <typename T>
void put(QByteArray &out, T value)
{
    const T le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

template <typename T>
void putAll(QByteArray &out, const std::vector<T> &values)
{
    for (const T v : values)
        put(out, v);
}

// Reads little-endian values off the front of the bytes; once short, every
// read fails.
class Reader {
public:
    explicit Reader(QByteArrayView bytes) : bytes_(bytes) {}
    template <typename T>
    bool get(T &value)
    {
        if (at_ + qsizetype(sizeof value) > bytes_.size())
            return false;
        std::memcpy(&value, bytes_.data() + at_, sizeof value);
        value = qFromLittleEndian(value);
        at_ += sizeof value;
        return true;
    }
    template <typename T>
    bool getAll(std::vector<T> &values, std::uint32_t n)
    {
        if (at_ + qsizetype(n) * qsizetype(sizeof(T)) > bytes_.size())
            return false;
        values.resize(n);
        for (T &v : values)
            get(v);
        return true;
    }
    bool atEnd() const { return at_ == bytes_.size(); }

private:
    QByteArrayView bytes_;
    qsizetype at_ = 0;
};

// Offsets that start at 0, never go back and end at the size.
bool runsWhole(const std::vector<std::uint32_t> &starts, std::size_t size)
{
    return !starts.empty() && starts.front() == 0 && starts.back() == size && std::is_sorted(starts.begin(), starts.end());
}

} // namespace

std::uint64_t WordPostings::fingerprint(QStringView text, std::uint64_t from) { return fold(from, text); }

WordPostings WordPostings::build(const QStringList &padded)
{
    const int rows = int(padded.size());
    struct Met {
        QStringView word;
        Posting at;
    };
    std::vector<Met> met;
    met.reserve(std::size_t(rows) * 16);
    if (rows < 0 || std::uint32_t(rows) >> (32 - kPositionBits))
        return {};
    std::uint64_t h = kFnvBasis;
    for (int row = 0; row < rows; ++row) {
        const QStringView text = padded.at(row);
        h = fold(h, text);
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
    QByteArray out(kMagic, sizeof kMagic);
    put(out, std::uint32_t(rows_));
    put(out, madeFrom_);
    put(out, std::uint32_t(wordStarts_.size()));
    put(out, std::uint32_t(words_.size()));
    put(out, std::uint32_t(posts_.size()));
    putAll(out, wordStarts_);
    putAll(out, postStarts_);
    for (const QChar c : words_)
        put(out, c.unicode());
    putAll(out, posts_);
    return out;
}

std::optional<WordPostings> WordPostings::fromBytes(const QByteArray &bytes)
{
    if (!bytes.startsWith(QByteArrayView(kMagic, sizeof kMagic)))
        return std::nullopt;
    Reader in(QByteArrayView(bytes).sliced(sizeof kMagic));
    WordPostings p;
    std::uint32_t rows = 0, starts = 0, chars = 0, posts = 0;
    std::vector<char16_t> units;
    if (!in.get(rows) || !in.get(p.madeFrom_) || !in.get(starts) || !in.get(chars) || !in.get(posts) || starts == 0
        || !in.getAll(p.wordStarts_, starts) || !in.getAll(p.postStarts_, starts) || !in.getAll(units, chars)
        || !in.getAll(p.posts_, posts) || !in.atEnd() || rows >> (32 - kPositionBits))
        return std::nullopt;
    p.rows_ = int(rows);
    p.words_ = QString(reinterpret_cast<const QChar *>(units.data()), qsizetype(units.size()));
    if (!runsWhole(p.wordStarts_, chars) || !runsWhole(p.postStarts_, posts))
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
