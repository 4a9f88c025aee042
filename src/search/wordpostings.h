#pragma once

#include "preparedindex.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace zarfan {

// Every distinct word of the folded aya texts with where it stands: its
// postings, (row, position among the row's words), in row order. Prepared by
// the database builder and read at start; built from the texts when the
// prepared one is missing, damaged or made from other texts.
class WordPostings {
public:
    using Posting = std::uint32_t; // row << kPositionBits | position
    static constexpr int kPositionBits = 12;

    // From the padded texts of the rows; empty when a row holds more words
    // than a position can count.
    static WordPostings build(const QStringList &padded);
    bool isBuilt() const { return !wordStarts_.empty(); }
    int rows() const { return rows_; }

    // The texts' fingerprint: what a prepared index must have been made from.
    // FNV-1a over the UTF-16 units, going on from an earlier fingerprint.
    static std::uint64_t fingerprint(QStringView text, std::uint64_t from = kFnvBasis);
    std::uint64_t madeFrom() const { return madeFrom_; }

    QByteArray toBytes() const;
    // Nothing when the bytes are not a whole index.
    static std::optional<WordPostings> fromBytes(const QByteArray &bytes);

    // The postings of a word as it stands between blanks; empty when the
    // texts do not hold it.
    std::span<const Posting> of(QStringView word) const;
    static int row(Posting p) { return int(p >> kPositionBits); }
    static int position(Posting p) { return int(p & ((1u << kPositionBits) - 1)); }

    // Adds to each row in [first, last) its hits of the folded needle as
    // single-word mode means them (findTerm's); false, and nothing added,
    // when the index cannot answer (a wildcard, blanks other than one
    // between words). A phrase's rows are counted in the text itself.
    bool addWholeWordHits(QStringView needle, int first, int last, const std::function<QString(int)> &padded,
                          std::vector<int> &counts) const;

private:
    QString words_; // the distinct words, sorted, one after the other
    std::vector<std::uint32_t> wordStarts_; // word k is [wordStarts_[k], wordStarts_[k + 1])
    std::vector<std::uint32_t> postStarts_; // its postings are [postStarts_[k], postStarts_[k + 1])
    std::vector<Posting> posts_;
    std::uint64_t madeFrom_ = 0;
    int rows_ = 0;
};

} // namespace zarfan
