#pragma once

#include "searchstatement.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>
#include <string>
#include <string_view>

namespace zarfan {

// What a word search looked for, kept with the listing it produced: the
// text as the statement searched for it (folded or cleaned, quotes not
// doubled), the mode, and which column of which text.
struct SearchMatch {
    QString needle;
    bool singleWord = false;
    bool literal = false;
    SearchTarget target = SearchTarget::Quran;
    WordKey key = WordKey::Letters; // by root or lemma: the words come from the word table, not a column
    QString shown = {}; // by root or lemma: the key as the data writes it, for the reader
    QString column() const; // the searched column
};

// The words of a root or lemma search, by aya ID: their numbers among the
// aya's words (pause marks set aside), ascending.
using WordsByAya = QHash<int, QList<int>>;

struct TextRange {
    qsizetype start = 0;
    qsizetype length = 0;
    friend bool operator==(const TextRange &, const TextRange &) = default;
};

// Every occurrence of the needle in the padded search text, with the meaning
// LIKE gives it (% any run, here the shortest; _ one character; ASCII letters
// without case; in single-word mode a blank on each side), leftmost first and
// never overlapping. The ranges leave out the single-word mode's blanks.
QList<TextRange> findOccurrences(QStringView padded, QStringView needle, bool singleWord);
int countOccurrences(QStringView padded, const SearchMatch &sought);

// The same count on texts as the database stores them (UTF-8), made for
// counting every row of a listing: a plain needle is matched on the bytes.
class OccurrenceCounter {
public:
    explicit OccurrenceCounter(const SearchMatch &sought);
    int count(std::string_view utf8) const;

private:
    SearchMatch sought_;
    std::string bytes_; // the needle, with its blanks in single-word mode
    bool onBytes_ = false;
};

// The words of a displayed text as the search column holds them: each token
// of the display made search text (folded, cleaned or as it stands; pause
// marks and other tokens that vanish give no word), with the display range
// each search word comes from.
struct WordMap {
    QString padded;           // " word word ... "
    QList<TextRange> display; // display range of search word k
};
enum class WordForm { Folded, Cleaned, AsStored };
WordMap mapWords(QStringView display, WordForm form);

// The display ranges of the words that the search matched in a text shown
// as it is stored: every word an occurrence touches.
QList<TextRange> highlightRanges(QStringView display, const SearchMatch &sought);

} // namespace zarfan
