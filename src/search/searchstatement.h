#pragma once

#include <QString>

namespace zarfan {

// What the word search reads from the options window: the scope code, the
// mode and the selected positions (-1 when nothing is selected).
struct SearchOptions {
    int searchtype = 0;
    bool singleWord = false;
    int part = -1, part1 = -1, part2 = -1;
    int sora = -1, sora1 = -1, sora2 = -1;
};

// Single quotes are doubled so that a quote is searched for and cannot end
// the pattern; % and _ stay wildcards.
QString escapeSearchText(const QString &text);

// The one SELECT statement of a word search for the trimmed text.
QString buildSearchStatement(const QString &text, const SearchOptions &options);

// Leading and trailing blanks (the space character only) removed.
QString trimBlanks(const QString &text);

} // namespace zarfan
