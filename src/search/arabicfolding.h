#pragma once

#include <QString>

namespace zarfan {

// What the search column can hold of a typed text: compatibility forms made
// plain letters (NFKC), diacritics, tatweel and Quranic marks removed, runs of
// blanks made one and the ends trimmed.
QString cleanArabic(const QString &text);

// The spelling a reader types: the cleaning above, and the hamza forms with
// their bare letters, alef maqsura with ya, ta marbuta with ha, and the
// Persian and Urdu letters with the Arabic ones all made the same; a bare
// hamza is dropped and a hamza's seat merges with the same letter beside it,
// so the usual spellings of one word meet (يؤوده يئوده يءوده, شيء شئ شي). The
// database builder stores texts through this function and the search folds
// what was typed through it, so the two never drift apart.
QString foldArabic(const QString &text);

// Every mark of punctuation (anything but letters, digits, Arabic marks,
// blanks and the wildcards % _) made a blank: the tafsirs' words stand apart from «» ، ؛ . : as
// the aya text's do.
QString punctuationAsBlanks(const QString &text);

// The text without the direction and joining marks that paste leaves unseen
// (zero-width and bidirectional controls, the byte order mark).
QString withoutInvisibleMarks(const QString &text);

// A root as the word table keys it and as a typed root is sought: folded,
// every hamza form (ء أ إ ؤ ئ آ) the same letter, blanks removed.
QString foldRoot(const QString &text);

// The superscript alef written as the alef it stands for (a waw or ya
// carrying it is the long a itself), as the data spell lemmas.
QString alefForSuperscript(const QString &text);

// A number in Arabic-Indic digits: 255 gives ٢٥٥.
QString arabicIndicNumber(int n);
// A number in the digits of the interface: Arabic-Indic in Arabic, Western in English.
QString interfaceNumber(int n);

} // namespace zarfan
