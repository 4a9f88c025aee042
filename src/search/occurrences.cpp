#include "occurrences.h"

#include "arabicfolding.h"

#include <algorithm>
#include <cstring>
#include <utility>
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

// The first place at or after `from` where the letters stand, or the end.
qsizetype nextHead(QStringView text, qsizetype from, QStringView letters)
{
    const QChar first = letters.front();
    const bool cased = (first >= u'A' && first <= u'Z') || (first >= u'a' && first <= u'z');
    for (qsizetype j = from; j + letters.size() <= text.size(); ++j) {
        if (!cased) {
            j = text.indexOf(first, j);
            if (j < 0 || j + letters.size() > text.size())
                break;
        }
        qsizetype k = 0;
        while (k < letters.size() && sameChar(letters[k], text[j + k]))
            ++k;
        if (k == letters.size())
            return j;
    }
    return text.size();
}

// The leftmost match of needle in text at or after `from`, the shortest of
// those starting there, as [start, end); start -1 when there is none. One
// walk over the text, keeping for each needle position the earliest start
// that reaches it: two starts at the same position go on alike, so the
// earlier one stands for both. The walk costs text times needle, however
// many places a wildcard could start from.
std::pair<qsizetype, qsizetype> leftmostShortestMatch(QStringView text, qsizetype from, QStringView needle,
                                                      bool atBlanksOnly, std::vector<qsizetype> &states,
                                                      std::vector<qsizetype> &next)
{
    constexpr qsizetype none = -1;
    const qsizetype m = needle.size();
    const auto better = [](qsizetype a, qsizetype b) { return a >= 0 && (b < 0 || a < b); };
    const auto close = [&](std::vector<qsizetype> &set) {
        for (qsizetype p = 0; p < m; ++p) {
            if (set[std::size_t(p)] >= 0 && needle[p] == u'%' && better(set[std::size_t(p)], set[std::size_t(p + 1)]))
                set[std::size_t(p + 1)] = set[std::size_t(p)];
        }
    };
    states.assign(std::size_t(m + 1), none);
    qsizetype bestStart = none, bestEnd = none;
    // The letters before the first wildcard: while no start is walking, the
    // walk jumps to the next place they stand.
    qsizetype head = 0;
    while (head < m && needle[head] != u'%' && needle[head] != u'_')
        ++head;
    bool walking = false;
    for (qsizetype j = from;; ++j) {
        if (!walking && bestStart < 0 && head > 0)
            j = nextHead(text, j, needle.first(head));
        // A match may start here, unless an earlier start has already matched.
        if (j < text.size() && bestStart < 0 && (!atBlanksOnly || text[j] == u' ') && states[0] < 0) {
            states[0] = j;
            close(states);
        }
        if (j >= text.size())
            break;
        // Once a start has matched, only earlier starts still walking can
        // take its place.
        bool earlier = bestStart < 0;
        for (qsizetype p = 0; p < m && !earlier; ++p)
            earlier = states[std::size_t(p)] >= 0 && states[std::size_t(p)] < bestStart;
        if (!earlier)
            break;
        next.assign(std::size_t(m + 1), none);
        for (qsizetype p = 0; p < m; ++p) {
            const qsizetype s = states[std::size_t(p)];
            if (s < 0 || (bestStart >= 0 && s >= bestStart))
                continue;
            const QChar c = needle[p];
            const qsizetype to = c == u'%' ? p : (c == u'_' || sameChar(c, text[j])) ? p + 1 : none;
            if (to >= 0 && better(s, next[std::size_t(to)]))
                next[std::size_t(to)] = s;
        }
        close(next);
        states.swap(next);
        // The first end an earlier start reaches is that start's shortest.
        if (better(states[std::size_t(m)], bestStart)) {
            bestStart = states[std::size_t(m)];
            bestEnd = j + 1;
        }
        states[std::size_t(m)] = none;
        walking = std::any_of(states.begin(), states.end() - 1, [](qsizetype s) { return s >= 0; });
    }
    return {bestStart, bestEnd};
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
    std::vector<qsizetype> states, next;
    for (qsizetype from = 0; from < padded.size();) {
        const auto [start, end] = leftmostShortestMatch(padded, from, whole, singleWord, states, next);
        if (start < 0)
            break;
        found.append({start + edge, end - start - 2 * edge});
        from = end - edge;
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
        // The search texts hold punctuation as blanks (a tafsir's «» ، .).
        const QString word = form == WordForm::Folded ? foldArabic(punctuationAsBlanks(token))
            : form == WordForm::Cleaned              ? cleanArabic(punctuationAsBlanks(token))
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
