#pragma once

#include <QString>

namespace zarfan {

// What the search column can hold of a typed text: compatibility forms made
// plain letters (NFKC), diacritics, tatweel and Quranic marks removed, runs of
// blanks made one and the ends trimmed.
QString cleanArabic(const QString &text);

// The spelling a reader types: the cleaning above, and the hamza forms with
// their bare letters, alef maqsura with ya, ta marbuta with ha, and the
// Persian and Urdu letters with the Arabic ones all made the same. The
// database builder stores texts through this function and the search folds
// what was typed through it, so the two never drift apart.
QString foldArabic(const QString &text);

} // namespace zarfan
