#include "occurrences.h"

#include "arabicfolding.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace zarfan {

QString SearchMatch::column() const
{
    SearchOptions o;
    o.literal = literal;
    o.target = target;
    return searchColumn(o);
}

namespace {

bool sameChar(QChar a, QChar b)
{
    const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    return lower(a.unicode()) == lower(b.unicode());
}

// The end of the shortest match of needle starting at text[i], or -1. The
// states are the needle positions reached so far: a walk costs at most
// text times needle, whatever the wildcards.
qsizetype shortestMatchEnd(QStringView text, qsizetype i, QStringView needle, std::vector<char> &states,
                           std::vector<char> &next)
{
    const qsizetype m = needle.size();
    states.assign(std::size_t(m + 1), 0);
    const auto close = [&](std::vector<char> &set) {
        for (qsizetype p = 0; p < m; ++p) {
            if (set[std::size_t(p)] && needle[p] == u'%')
                set[std::size_t(p + 1)] = 1;
        }
    };
    states[0] = 1;
    close(states);
    if (states[std::size_t(m)])
        return i;
    for (qsizetype j = i; j < text.size(); ++j) {
        next.assign(std::size_t(m + 1), 0);
        bool any = false;
        for (qsizetype p = 0; p < m; ++p) {
            if (!states[std::size_t(p)])
                continue;
            const QChar c = needle[p];
            if (c == u'%') {
                next[std::size_t(p)] = 1;
                any = true;
            } else if (c == u'_' || sameChar(c, text[j])) {
                next[std::size_t(p + 1)] = 1;
                any = true;
            }
        }
        if (!any)
            return -1;
        close(next);
        states.swap(next);
        if (states[std::size_t(m)])
            return j + 1;
    }
    return -1;
}

bool hasWildcard(QStringView needle) { return needle.contains(u'%') || needle.contains(u'_'); }

// A run of % means what one does; made one, the walk no longer grows with
// the length of the run.
QString oneWildcardPerRun(QStringView needle)
{
    QString out;
    out.reserve(needle.size());
    for (const QChar c : needle) {
        if (c != u'%' || !out.endsWith(u'%'))
            out.append(c);
    }
    return out;
}

} // namespace

QList<TextRange> findOccurrences(QStringView padded, QStringView typedNeedle, bool singleWord)
{
    QList<TextRange> found;
    const QString collapsed = oneWildcardPerRun(typedNeedle);
    QStringView needle = collapsed;
    if (needle.isEmpty())
        return found;
    // A leading % adds nothing to the shortest match at a place.
    while (!singleWord && needle.startsWith(u'%'))
        needle = needle.mid(1);
    if (needle.isEmpty())
        return found;
    const QString whole = singleWord ? u' ' + needle.toString() + u' ' : needle.toString();
    const qsizetype edge = singleWord ? 1 : 0;
    if (!hasWildcard(needle)) {
        for (qsizetype at = padded.indexOf(whole, 0, Qt::CaseInsensitive); at >= 0;) {
            found.append({at + edge, needle.size()});
            // In single-word mode the closing blank opens the next word.
            at = padded.indexOf(whole, at + whole.size() - edge, Qt::CaseInsensitive);
        }
        return found;
    }
    std::vector<char> states, next;
    for (qsizetype i = 0; i < padded.size();) {
        if (singleWord && padded[i] != u' ') {
            ++i;
            continue;
        }
        const qsizetype end = shortestMatchEnd(padded, i, whole, states, next);
        if (end < 0 || end == i) {
            ++i;
            continue;
        }
        found.append({i + edge, end - i - 2 * edge});
        i = end - edge;
    }
    return found;
}

int countOccurrences(QStringView padded, const SearchMatch &sought)
{
    // A pattern of only % matches the empty text: once in every aya it lists.
    const bool matchesEmpty = !sought.singleWord && !sought.needle.isEmpty()
        && std::all_of(sought.needle.cbegin(), sought.needle.cend(), [](QChar c) { return c == u'%'; });
    if (matchesEmpty)
        return 1;
    return int(findOccurrences(padded, sought.needle, sought.singleWord).size());
}

OccurrenceCounter::OccurrenceCounter(const SearchMatch &sought) : sought_(sought)
{
    // Bytes compare as characters do unless a letter has a case to ignore.
    const bool cased = std::any_of(sought.needle.cbegin(), sought.needle.cend(), [](QChar c) {
        return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    });
    onBytes_ = !sought.needle.isEmpty() && !cased && !hasWildcard(sought.needle);
    bytes_ = (sought.singleWord ? u' ' + sought.needle + u' ' : sought.needle).toStdString();
}

int OccurrenceCounter::count(std::string_view utf8) const
{
    if (!onBytes_)
        return countOccurrences(QString::fromUtf8(utf8.data(), qsizetype(utf8.size())), sought_);
    // Every Arabic letter opens with one of two bytes: look for the needle's
    // last byte, which tells the letters apart, and compare back from it.
    const std::size_t m = bytes_.size(), edge = sought_.singleWord ? 1 : 0;
    const char last = bytes_.back();
    int n = 0;
    std::size_t from = 0; // where the next occurrence may begin
    while (from + m <= utf8.size()) {
        const void *hit = std::memchr(utf8.data() + from + m - 1, last, utf8.size() - from - m + 1);
        if (!hit)
            break;
        const std::size_t end = std::size_t(static_cast<const char *>(hit) - utf8.data()) + 1;
        if (std::memcmp(utf8.data() + end - m, bytes_.data(), m) == 0) {
            ++n;
            from = end - edge;
        } else {
            from = end - m + 1;
        }
    }
    return n;
}

WordMap mapWords(QStringView display, WordForm form)
{
    WordMap map;
    map.padded = QStringLiteral(" ");
    qsizetype i = 0;
    const qsizetype n = display.size();
    while (i < n) {
        while (i < n && display[i].isSpace())
            ++i;
        const qsizetype start = i;
        while (i < n && !display[i].isSpace())
            ++i;
        if (i == start)
            break;
        const QString token = display.mid(start, i - start).toString();
        const QString word = form == WordForm::Folded ? foldArabic(token)
            : form == WordForm::Cleaned              ? cleanArabic(token)
                                                     : token;
        if (word.isEmpty())
            continue;
        // A compatibility form may open into several words: each points back
        // to the whole token.
        for (const QString &part : word.split(u' ', Qt::SkipEmptyParts)) {
            map.padded += part + u' ';
            map.display.append({start, i - start});
        }
    }
    return map;
}

QList<TextRange> highlightRanges(QStringView display, const SearchMatch &sought)
{
    const WordForm form = sought.literal ? WordForm::Cleaned : WordForm::Folded;
    const WordMap map = mapWords(display, form);
    // Where each search word starts in the padded text.
    std::vector<qsizetype> starts;
    for (qsizetype k = 1; k < map.padded.size(); ++k) {
        if (map.padded[k - 1] == u' ' && map.padded[k] != u' ')
            starts.push_back(k);
    }
    QList<TextRange> ranges;
    std::vector<bool> marked(starts.size(), false);
    for (const TextRange &hit : findOccurrences(map.padded, sought.needle, sought.singleWord)) {
        for (std::size_t w = 0; w < starts.size(); ++w) {
            const qsizetype wordEnd = map.padded.indexOf(u' ', starts[w]);
            if (starts[w] < hit.start + hit.length && hit.start < wordEnd)
                marked[w] = true;
        }
    }
    for (std::size_t w = 0; w < starts.size(); ++w) {
        if (marked[w] && (ranges.isEmpty() || !(ranges.last() == map.display.at(qsizetype(w)))))
            ranges.append(map.display.at(qsizetype(w)));
    }
    return ranges;
}

} // namespace zarfan
