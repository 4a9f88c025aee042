#include "arabicfolding.h"

#include <QCoreApplication>

#include <algorithm>

namespace zarfan {

namespace {

// Direction and joining controls that a pasted text carries unseen.
bool invisible(char16_t c)
{
    return (c >= 0x200B && c <= 0x200F) || c == 0x061C || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069)
        || c == 0xFEFF;
}

bool removable(char16_t c)
{
    return (c >= 0x0610 && c <= 0x061A) || (c >= 0x064B && c <= 0x065F) || c == 0x0670 || c == 0x0640
        || (c >= 0x06D6 && c <= 0x06ED) || invisible(c);
}

char16_t folded(char16_t c)
{
    switch (c) {
    case 0x0622: // آ
    case 0x0623: // أ
    case 0x0625: // إ
    case 0x0671: // ٱ
        return 0x0627;
    case 0x0649: // ى
    case 0x0626: // ئ
    case 0x06CC: // ی
    case 0x06D2: // ے
        return 0x064A;
    case 0x0624: // ؤ
        return 0x0648;
    case 0x0629: // ة
        return 0x0647;
    case 0x06A9: // ک
        return 0x0643;
    default:
        return c;
    }
}

template <bool Fold> QString normalise(const QString &text)
{
    // Arabic letters and marks that compose with nothing, and ASCII, are
    // already in NFKC: skip the costly pass for them.
    const bool plain = std::all_of(text.cbegin(), text.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        if (u >= 0x20 && u < 0x7F)
            return true;
        return u >= 0x0621 && u <= 0x06FF && !(u >= 0x0653 && u <= 0x0655) && !(u >= 0x0675 && u <= 0x0678);
    });
    const QString nfkc = plain ? text : text.normalized(QString::NormalizationForm_KC);
    QString out;
    out.reserve(nfkc.size());
    bool pendingBlank = false;
    bool seatBefore = false; // the last letter written stands for a hamza's seat
    for (const QChar ch : nfkc) {
        const char16_t c = ch.unicode();
        if (ch.isSpace()) {
            pendingBlank = !out.isEmpty();
            seatBefore = false;
            continue;
        }
        if (removable(c))
            continue;
        if (pendingBlank) {
            out.append(u' ');
            pendingBlank = false;
        }
        if constexpr (Fold) {
            // A hamza is written on its own, on a seat or left out (يؤوده,
            // يئوده, يءوده; شيء, شئ, شي): the bare hamza goes, and a seat
            // merges with the same letter beside it.
            if (c == 0x0621)
                continue;
            const char16_t f = folded(c);
            const bool seat = c == 0x0624 || c == 0x0626;
            if ((seat || seatBefore) && !out.isEmpty() && out.back().unicode() == f) {
                seatBefore = seat;
                continue;
            }
            seatBefore = seat;
            out.append(QChar(f));
        } else {
            out.append(QChar(c));
        }
    }
    return out;
}

} // namespace

QString cleanArabic(const QString &text) { return normalise<false>(text); }

QString foldArabic(const QString &text) { return normalise<true>(text); }

QString punctuationAsBlanks(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        // The wildcards stay what they are.
        if (!c.isLetterOrNumber() && !c.isMark() && !c.isSpace() && !invisible(c.unicode()) && c != u'%' && c != u'_')
            c = u' ';
    }
    return out;
}

QString withoutInvisibleMarks(const QString &text)
{
    QString out = text;
    out.removeIf([](QChar c) { return invisible(c.unicode()); });
    return out;
}

QString foldRoot(const QString &text)
{
    // The hamza on its own or on any seat is one letter of a root.
    QString hamzas = cleanArabic(text);
    for (QChar &c : hamzas) {
        switch (c.unicode()) {
        case 0x0621: // ء
        case 0x0624: // ؤ
        case 0x0626: // ئ
            c = QChar(0x0627);
            break;
        default:
            break;
        }
    }
    return foldArabic(hamzas).remove(u' ');
}

QString alefForSuperscript(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.unicode() != 0x0670) {
            out.append(c);
            continue;
        }
        // Skip the marks between the letter and the superscript alef.
        qsizetype k = out.size() - 1;
        while (k >= 0 && removable(out.at(k).unicode()))
            --k;
        const char16_t before = k >= 0 ? out.at(k).unicode() : 0;
        if (before == 0x0648) // a waw written for the long a
            out[k] = QChar(0x0627);
        else if (before != 0x0627 && before != 0x0649 && before != 0x064A)
            out.append(QChar(0x0627));
    }
    return out;
}

QString arabicIndicNumber(int n)
{
    QString digits = QString::number(n);
    for (QChar &c : digits) {
        if (c.isDigit())
            c = QChar(char16_t(0x0660 + (c.unicode() - u'0')));
    }
    return digits;
}

QString interfaceNumber(int n)
{
    // The catalogue of the interface's language gives its ten digits.
    const QString digits = QCoreApplication::translate("zarfan::Numbers", "٠١٢٣٤٥٦٧٨٩");
    QString number = QString::number(n);
    for (QChar &c : number) {
        if (c.isDigit() && digits.size() == 10)
            c = digits.at(c.unicode() - u'0');
    }
    return number;
}

} // namespace zarfan
