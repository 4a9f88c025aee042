#include "completions.h"

#include "arabicfolding.h"
#include "vocabulary.h"

namespace zarfan {

QString arabicIndicNumber(int n)
{
    QString digits = QString::number(n);
    for (QChar &c : digits)
        if (c.isDigit())
            c = QChar(char16_t(0x0660 + (c.unicode() - u'0')));
    return digits;
}

QList<CompletionOffer> completionOffers(const QString &typed, const QStringList &history, const Vocabulary &words)
{
    QList<CompletionOffer> offers;
    const QString folded = foldArabic(typed);
    if (folded.isEmpty())
        return offers;
    for (const QString &earlier : history) {
        if (earlier != typed && foldArabic(earlier).contains(folded))
            offers.append({earlier, earlier, true});
    }
    // The last word as typed is replaced; a blank at the end starts a new one.
    if (typed.endsWith(u' '))
        return offers;
    const qsizetype cut = typed.lastIndexOf(u' ') + 1;
    const QString lastWord = foldArabic(typed.mid(cut));
    if (lastWord.isEmpty())
        return offers;
    for (const Vocabulary::Entry &e : words.withPrefix(lastWord, 10)) {
        const QString completed = typed.left(cut) + e.word;
        if (completed != typed)
            offers.append({e.word + QStringLiteral("  ") + arabicIndicNumber(e.count), completed, false});
    }
    return offers;
}

} // namespace zarfan
