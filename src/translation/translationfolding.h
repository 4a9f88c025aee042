#pragma once

#include <QList>
#include <QString>
#include <QStringView>

namespace zarfan {

// A translation's text as its search reads it: lower case, Latin and Cyrillic
// letters without their marks (ā a, ḥ h, ё е), Turkish ı and İ as i, the
// Arabic script folded as the aya text is, every other character not a letter
// or digit a blank; one blank before, after and between the words. The
// builder stores texts through it and the search folds what was typed
// through it, so the two never drift apart.
struct FoldedTranslation {
    QString padded;
    QList<qsizetype> source; // for each character of padded, where it came from in the text
};
FoldedTranslation foldTranslationWithPositions(QStringView text);
QString foldTranslation(QStringView text);

// Whether the text holds a letter of a script written without blanks between
// words (Chinese, Japanese): there a term is sought as a run of letters.
bool hasUnspacedScript(QStringView text);

} // namespace zarfan
