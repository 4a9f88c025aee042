#include "ayareference.h"

#include "arabicfolding.h"
#include "browse/suratables.h"

#include <QRegularExpression>
#include <algorithm>
#include <QCoreApplication>

namespace zarfan {

namespace {

// ASCII digits for the Arabic-Indic and Persian ones.
QString asciiDigits(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if (u >= 0x0660 && u <= 0x0669)
            c = QChar(u'0' + (u - 0x0660));
        else if (u >= 0x06F0 && u <= 0x06F9)
            c = QChar(u'0' + (u - 0x06F0));
    }
    return out;
}

QString withoutArticle(const QString &name)
{
    return name.size() > 3 && name.startsWith(u"ال") && name.at(2) != u' ' ? name.mid(2) : name;
}

int number(const QString &digits)
{
    // Leading zeros write nothing: "0000255" is 255.
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits.at(first) == u'0')
        ++first;
    if (digits.size() - first > 6)
        return 1000000; // more digits than any sura or aya: out of range
    bool ok = false;
    const int n = digits.mid(first).toInt(&ok);
    return ok ? n : 1000000;
}

} // namespace

bool holdsDigit(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

int suraByName(const QString &typed)
{
    QString name = foldArabic(typed);
    for (const QString &prefix : {QStringLiteral("سوره "), QStringLiteral("سوره")}) {
        if (name.startsWith(prefix) && name.size() > prefix.size()) {
            name = name.mid(prefix.size());
            break;
        }
    }
    name = withoutArticle(name.trimmed());
    if (name.isEmpty())
        return 0;
    for (int n = 1; n <= SuraTables::kSuraCount; ++n) {
        if (withoutArticle(foldArabic(SuraTables::name(n))) == name)
            return n;
    }
    return 0;
}

int suraNamedAlone(const QString &typed)
{
    if (holdsDigit(typed) || !foldArabic(typed).startsWith(QStringLiteral("سوره ")))
        return 0;
    return suraByName(withoutInvisibleMarks(typed).simplified());
}

AyaReference parseAyaReference(const QString &typed)
{
    AyaReference ref;
    if (!holdsDigit(typed))
        return ref;
    ref.kind = AyaReference::Kind::Malformed;
    // Runs of blanks made one first: the patterns then never try each split
    // of a long run, and the parse stays linear in the text.
    const QString text = asciiDigits(withoutInvisibleMarks(typed)).simplified();
    static const QRegularExpression numeric(
        QStringLiteral(R"(^([0-9]+)\s*(?:[:/]\s*([0-9]+)\s*(?:[-–]\s*([0-9]+))?)?$)"));
    static const QRegularExpression named(QStringLiteral(R"(^([^0-9:/]+?)\s*[:/]?\s*([0-9]+)\s*(?:[-–]\s*([0-9]+))?$)"));
    QRegularExpressionMatch m = numeric.match(text);
    if (m.hasMatch()) {
        ref.sura = number(m.captured(1));
    } else {
        m = named.match(text);
        if (!m.hasMatch())
            return ref;
        ref.sura = suraByName(m.captured(1));
        if (ref.sura == 0)
            return ref;
    }
    if (ref.sura < 1 || ref.sura > SuraTables::kSuraCount) {
        ref.kind = AyaReference::Kind::SuraOutOfRange;
        return ref;
    }
    const int count = SuraTables::ayaCount(ref.sura);
    const QString from = m.captured(2), to = m.captured(3);
    ref.from = from.isEmpty() ? 1 : number(from);
    ref.to = to.isEmpty() ? (from.isEmpty() ? count : ref.from) : number(to);
    if (ref.to < ref.from)
        std::swap(ref.from, ref.to);
    ref.kind = ref.from < 1 || ref.to > count ? AyaReference::Kind::AyaOutOfRange : AyaReference::Kind::Valid;
    return ref;
}

QString AyaReference::statement() const
{
    if (kind != Kind::Valid)
        return QString();
    return QStringLiteral("SELECT *  FROM Ayat where soraano = %1 and ayaano between %2 and %3 order by ID")
        .arg(sura)
        .arg(from)
        .arg(to);
}

QString AyaReference::message() const
{
    switch (kind) {
    case Kind::SuraOutOfRange:
        return QCoreApplication::translate("zarfan::Ayareference", "رقم السورة خارج المدى: من 1 إلى 114");
    case Kind::AyaOutOfRange:
        return QCoreApplication::translate("zarfan::Ayareference", "رقم الآية خارج المدى: آيات هذه السورة من 1 إلى %1").arg(SuraTables::ayaCount(sura));
    case Kind::Malformed:
        return QCoreApplication::translate("zarfan::Ayareference", "لم يتم التعرف على المرجع: اكتب رقم السورة والآية مثل 2:255 أو اسم السورة ورقم الآية مثل البقرة 255");
    case Kind::NotAReference:
    case Kind::Valid:
        break;
    }
    return QString();
}

} // namespace zarfan
