#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarfan {

// Rows of folded text one after the other, held one byte a character when
// every character has a byte (ASCII as it is, the Arabic block U+0600-U+067F
// at 0x80-0xFF), as UTF-16 otherwise. The folded texts need half the memory
// so, and a plain needle is sought in the bytes themselves.
class CompactText {
public:
    void append(QStringView row);
    // Done appending: narrowed when every character allows it.
    void finish();
    void clear() { *this = CompactText(); }
    // Rows already narrowed, of those lengths; nothing when the lengths do
    // not add up to the bytes.
    static std::optional<CompactText> fromNarrow(std::string bytes, const std::vector<quint32> &lengths);

    int rows() const { return starts_.empty() ? 0 : int(starts_.size()) - 1; }
    bool isNarrow() const { return narrow_; }
    // Row k is [start(k), start(k + 1)) in the whole text.
    qsizetype start(int k) const { return starts_[std::size_t(k)]; }
    QString row(int k) const;
    // Row k's words: the runs between blanks.
    int wordCount(int k) const;

    // Rows [first, last) as UTF-16, in runs of whole rows: f(text, offset
    // of its first character in the whole). One run when asked whole.
    void forRuns(int first, int last, bool whole, const std::function<void(QStringView, qsizetype)> &f) const;
    // The narrow text's bytes (empty when it is held as UTF-16).
    std::string_view bytes() const { return bytes_; }
    // A text in the narrow code; nothing when a character has no byte.
    static std::optional<std::string> narrowed(QStringView text);

    // FNV-1a over the UTF-16 units of every row, as WordPostings counts it.
    std::uint64_t fingerprint() const;

private:
    QString wide_;
    std::string bytes_;
    bool narrow_ = false;
    std::vector<qsizetype> starts_;
};

} // namespace zarfan
