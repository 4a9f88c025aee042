#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <vector>

namespace zarfan {

class DataControl;
class FoldedText;

// An aya like another: a run of its words the two share.
struct SimilarAya {
    int row = 0;        // its row in the folded text
    int shared = 0;     // words in the longest shared run
    int start = 0;      // where the run starts among its words
    int ownStart = 0;   // where the run starts among the asked aya's words
    int wordCount = 0;  // its words
};

// The ayas that memorisers confuse: those sharing a run of at least four
// folded words, and, for ayas of four words or fewer, those equal after
// folding. Built once from the folded texts; each question then looks at
// the ayas holding one of the aya's four-word runs only.
class SimilarAyas {
public:
    static constexpr int kRun = 4;

    // False (and empty) when the text is not loaded or too varied to key.
    bool build(const FoldedText &text);
    // As the builder prepared them from these texts; false, with one line
    // in the log, when the database holds none whole, or made from others.
    bool read(DataControl &control, const FoldedText &text);

    // What the builder stores, and back (nothing for bytes that do not read
    // whole, or that are not of that many ayas).
    QByteArray toBytes() const;
    static std::optional<SimilarAyas> fromBytes(const QByteArray &bytes, int ayas);
    bool operator==(const SimilarAyas &) const = default;
    bool isBuilt() const { return !offsets_.empty(); }

    // The ayas like row k, most shared words first, then in mushaf order.
    std::vector<SimilarAya> of(int k) const;

    int wordCount(int k) const { return offsets_[std::size_t(k) + 1] - offsets_[std::size_t(k)]; }

private:
    const int *words(int k) const { return words_.data() + offsets_[std::size_t(k)]; }
    static std::uint64_t key(const int *w, int n);

    std::uint64_t madeFrom_ = 0;                   // the fingerprint of the texts built from
    std::vector<int> words_;                       // every aya's word numbers, one after the other
    std::vector<int> offsets_;                     // aya k's words start at offsets_[k]
    std::vector<std::pair<std::uint64_t, int>> runs_;   // (four words, row), sorted
    std::vector<std::pair<std::uint64_t, int>> wholes_; // short ayas: (all words, row), sorted
};

// The folded words of a padded text, the pause marks left out.
std::vector<QStringView> foldedWords(QStringView padded);

} // namespace zarfan
