#include "translationfolding.h"

#include "search/arabicfolding.h"

namespace zarfan {

namespace {

bool isUnspaced(char32_t c)
{
    return (c >= 0x3040 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF)
        || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x2FA1F);
}

bool isArabicScript(char32_t c) { return (c >= 0x0600 && c <= 0x06FF) || (c >= 0xFB50 && c <= 0xFEFF); }

// Latin, Greek and Cyrillic: the letters whose marks a reader may leave out.
bool dropsMarks(char32_t base) { return base < 0x0530 || (base >= 0x1E00 && base <= 0x1FFF); }

// Letters kept inside a word that a reader does not type (ʿayn, hamza).
bool isSilent(char32_t c) { return c == 0x02BE || c == 0x02BF || c == u'`' || c == 0x00B4; }

void appendFolded(char32_t c, qsizetype at, FoldedTranslation &out)
{
    const auto put = [&](char32_t letter) {
        for (QChar q : QString::fromUcs4(&letter, 1)) {
            out.padded.append(q);
            out.source.append(at);
        }
    };
    if (c == 0x0130 || c == 0x0131 || c == u'I') { // Turkish dotted and dotless i are one letter to a search
        put(u'i');
        return;
    }
    if (c == 0x0419 || c == 0x0439) { // й is a letter of its own, not и with a mark
        put(0x0439);
        return;
    }
    QString one = QString::fromUcs4(&c, 1);
    const QString decomposed = one.normalized(QString::NormalizationForm_KD);
    const QList<uint> parts = decomposed.toUcs4();
    const bool drop = !parts.isEmpty() && dropsMarks(parts.first());
    for (uint p : parts) {
        const QChar::Category cat = QChar::category(char32_t(p));
        if (cat == QChar::Mark_NonSpacing && drop)
            continue;
        if (QChar::isLetterOrNumber(char32_t(p)) || QChar::isMark(char32_t(p)))
            put(QChar::toLower(char32_t(p)));
        else if (out.padded.isEmpty() || !out.padded.endsWith(u' '))
            put(u' ');
    }
}

} // namespace

FoldedTranslation foldTranslationWithPositions(QStringView text)
{
    FoldedTranslation out;
    out.padded.reserve(text.size() + 2);
    out.padded.append(u' ');
    out.source.append(0);
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype at = i;
        char32_t c = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        ++i;
        if (isSilent(c))
            continue;
        if (isArabicScript(c)) {
            // An Arabic-script word, folded whole as the aya text is; its
            // letters point at its start and its last letter at its end.
            qsizetype end = i;
            while (end < text.size() && isArabicScript(text[end].unicode()))
                ++end;
            const QString word = foldArabic(text.mid(at, end - at).toString());
            for (qsizetype k = 0; k < word.size(); ++k) {
                out.padded.append(word[k]);
                out.source.append(k + 1 == word.size() ? end - 1 : at);
            }
            i = end;
            continue;
        }
        appendFolded(c, at, out);
    }
    if (!out.padded.endsWith(u' ')) {
        out.padded.append(u' ');
        out.source.append(text.size());
    }
    return out;
}

QString foldTranslation(QStringView text) { return foldTranslationWithPositions(text).padded; }

bool hasUnspacedScript(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size())
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
        if (isUnspaced(c))
            return true;
    }
    return false;
}

} // namespace zarfan
