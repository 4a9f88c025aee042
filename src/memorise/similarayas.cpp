#include "similarayas.h"

#include "search/foldedtext.h"
#include "search/preparedbytes.h"
#include "search/preparedindex.h"

#include <QtDebug>

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
    madeFrom_ = text.fingerprint();
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

bool SimilarAyas::read(DataControl &control, const FoldedText &text)
{
    *this = SimilarAyas();
    const std::optional<QByteArray> bytes = readPreparedIndex(control, QStringLiteral("similar"));
    if (!bytes || !text.isLoaded())
        return false;
    std::optional<SimilarAyas> prepared = fromBytes(*bytes, text.size());
    if (!prepared || prepared->madeFrom_ != text.fingerprint()) {
        qWarning("zarfan: the prepared search index \"similar\" was made from other texts; it is built in memory instead");
        return false;
    }
    *this = std::move(*prepared);
    return true;
}

QByteArray SimilarAyas::toBytes() const
{
    // Sixteen bits for a word number and for a row keep the whole under
    // the megabyte a cell may hold; the runs and wholes as two arrays each:
    // their keys, then their rows.
    if (offsets_.size() > 0x10000)
        return {};
    PreparedWriter out;
    out.array(std::vector<quint64>{madeFrom_});
    out.array(std::vector<quint16>(words_.begin(), words_.end()));
    out.array(std::vector<quint32>(offsets_.begin(), offsets_.end()));
    for (const auto *index : {&runs_, &wholes_}) {
        std::vector<quint64> keys;
        std::vector<quint16> rows;
        for (const auto &[k, row] : *index) {
            keys.push_back(k);
            rows.push_back(quint16(row));
        }
        out.array(keys);
        out.array(rows);
    }
    return out.bytes;
}

std::optional<SimilarAyas> SimilarAyas::fromBytes(const QByteArray &bytes, int ayas)
{
    PreparedReader in(bytes);
    SimilarAyas s;
    const std::vector<quint64> madeFrom = in.array<quint64>();
    s.madeFrom_ = madeFrom.empty() ? 0 : madeFrom.front();
    const std::vector<quint16> words = in.array<quint16>();
    const std::vector<quint32> offsets = in.array<quint32>();
    s.words_.assign(words.begin(), words.end());
    s.offsets_.assign(offsets.begin(), offsets.end());
    for (auto *index : {&s.runs_, &s.wholes_}) {
        const std::vector<quint64> keys = in.array<quint64>();
        const std::vector<quint16> rows = in.array<quint16>();
        if (keys.size() != rows.size())
            return std::nullopt;
        index->reserve(keys.size());
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (int(rows[i]) >= ayas)
                return std::nullopt;
            index->emplace_back(keys[i], int(rows[i]));
        }
    }
    // Every aya's words lie in order within the word numbers.
    if (!in.done() || madeFrom.size() != 1 || s.offsets_.size() != std::size_t(ayas) + 1 || s.offsets_.front() != 0
        || !std::is_sorted(s.offsets_.begin(), s.offsets_.end()) || std::size_t(s.offsets_.back()) != s.words_.size())
        return std::nullopt;
    return s;
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
