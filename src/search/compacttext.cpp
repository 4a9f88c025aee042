#include "compacttext.h"

#include "wordpostings.h"

namespace zarfan {

namespace {

constexpr qsizetype kRunChars = 1 << 15;

// The byte of a character, or -1 when it has none.
int byteOf(char16_t c)
{
    if (c < 0x80)
        return c;
    if (c >= 0x600 && c < 0x680)
        return c - 0x580;
    return -1;
}

void widen(const char *from, qsizetype n, QChar *to)
{
    for (qsizetype i = 0; i < n; ++i) {
        const auto b = static_cast<unsigned char>(from[i]);
        to[i] = QChar(char16_t(b < 0x80 ? b : b + 0x580));
    }
}

} // namespace

void CompactText::append(QStringView row)
{
    if (starts_.empty())
        starts_.push_back(0);
    wide_ += row;
    starts_.push_back(wide_.size());
}

void CompactText::finish()
{
    std::optional<std::string> bytes = narrowed(wide_);
    if (!bytes)
        return;
    bytes_ = std::move(*bytes);
    narrow_ = true;
    wide_ = QString();
}

std::optional<std::string> CompactText::narrowed(QStringView text)
{
    std::string out(std::size_t(text.size()), '\0');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int b = byteOf(text[i].unicode());
        if (b < 0)
            return std::nullopt;
        out[std::size_t(i)] = char(b);
    }
    return out;
}

std::optional<CompactText> CompactText::fromNarrow(std::string bytes, const std::vector<quint32> &lengths)
{
    CompactText t;
    t.starts_.reserve(lengths.size() + 1);
    t.starts_.push_back(0);
    for (const quint32 n : lengths)
        t.starts_.push_back(t.starts_.back() + qsizetype(n));
    if (lengths.empty() || t.starts_.back() != qsizetype(bytes.size()))
        return std::nullopt;
    t.bytes_ = std::move(bytes);
    t.narrow_ = true;
    return t;
}

QString CompactText::row(int k) const
{
    const qsizetype from = start(k), n = start(k + 1) - from;
    if (!narrow_)
        return wide_.mid(from, n);
    QString out(n, Qt::Uninitialized);
    widen(bytes_.data() + from, n, out.data());
    return out;
}

int CompactText::wordCount(int k) const
{
    int n = 0;
    const qsizetype from = start(k), to = start(k + 1);
    const auto blank = [&](qsizetype i) { return narrow_ ? bytes_[std::size_t(i)] == ' ' : wide_[i] == u' '; };
    for (qsizetype i = from + 1; i < to; ++i)
        n += blank(i - 1) && !blank(i);
    return n;
}

void CompactText::forRuns(int first, int last, bool whole, const std::function<void(QStringView, qsizetype)> &f) const
{
    if (first >= last)
        return;
    if (!narrow_) {
        f(QStringView(wide_).mid(start(first), start(last) - start(first)), start(first));
        return;
    }
    QString run;
    for (int a = first; a < last;) {
        int b = a + 1;
        while (b < last && (whole || start(b + 1) - start(a) <= kRunChars))
            ++b;
        const qsizetype n = start(b) - start(a);
        if (run.size() < n)
            run.resize(n);
        widen(bytes_.data() + start(a), n, run.data());
        f(QStringView(run).first(n), start(a));
        a = b;
    }
}

std::uint64_t CompactText::fingerprint() const
{
    std::uint64_t h = kFnvBasis;
    forRuns(0, rows(), false, [&](QStringView run, qsizetype) { h = WordPostings::fingerprint(run, h); });
    return h;
}

} // namespace zarfan
