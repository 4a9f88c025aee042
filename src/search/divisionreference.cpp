#include "divisionreference.h"

#include "arabicfolding.h"
#include "data/datacontrol.h"
#include "data/queries.h"

#include <algorithm>
#include <array>
#include <QCoreApplication>

namespace zarfan {

namespace {

using Division = DivisionReference::Division;

struct Name {
    const char16_t *word;
    Division division;
};
const std::array<Name, 5> kNames{{{u"صفحة", Division::Page},
                                  {u"حزب", Division::Hizb},
                                  {u"ربع", Division::Quarter},
                                  {u"منزل", Division::Manzil},
                                  {u"جزء", Division::Juz}}};

// A run of digits of either kind from pos; -1 when there is none. More digits
// than any division has stay out of range.
int readNumber(const QString &text, qsizetype &pos)
{
    const qsizetype begin = pos;
    int n = 0;
    while (pos < text.size() && text.at(pos).isDigit()) {
        n = std::min(n * 10 + text.at(pos).digitValue(), 100000);
        ++pos;
    }
    return pos == begin ? -1 : n;
}

void skipBlanks(const QString &text, qsizetype &pos)
{
    while (pos < text.size() && text.at(pos).isSpace())
        ++pos;
}

} // namespace

int divisionCount(Division division)
{
    switch (division) {
    case Division::Page:
        return 604;
    case Division::Hizb:
        return 60;
    case Division::Quarter:
        return 240;
    case Division::Manzil:
        return 7;
    case Division::Juz:
        return 30;
    }
    return 0;
}

QString divisionCondition(Division division, int from, int to)
{
    const QString range = QStringLiteral(" between %1 and %2").arg(from).arg(to);
    switch (division) {
    case Division::Page:
        return QStringLiteral("pageno") + range;
    case Division::Juz:
        return QStringLiteral("chapterNO") + range;
    case Division::Hizb:
        return QStringLiteral("ID in (SELECT ID FROM Mushaf where quarter between %1 and %2)").arg(from * 4 - 3).arg(to * 4);
    case Division::Quarter:
        return QStringLiteral("ID in (SELECT ID FROM Mushaf where quarter") + range + u')';
    case Division::Manzil:
        return QStringLiteral("ID in (SELECT ID FROM Mushaf where manzil") + range + u')';
    }
    return QString();
}

DivisionReference parseDivisionReference(const QString &typed)
{
    DivisionReference ref;
    const QString text = withoutInvisibleMarks(typed).trimmed();
    // The name: the letters before the first digit or blank.
    qsizetype pos = 0;
    while (pos < text.size() && !text.at(pos).isDigit() && !text.at(pos).isSpace())
        ++pos;
    const QString word = foldArabic(text.left(pos));
    const auto name = std::find_if(kNames.begin(), kNames.end(),
                                   [&](const Name &n) { return foldArabic(QString::fromUtf16(n.word)) == word; });
    if (word.isEmpty() || name == kNames.end())
        return ref;
    // A division's name with a number in what follows is that division's,
    // well formed or not.
    const qsizetype afterName = pos;
    const auto malformed = [&] {
        if (std::none_of(text.cbegin() + afterName, text.cend(), [](QChar c) { return c.isDigit(); }))
            return ref;
        DivisionReference bad;
        bad.kind = DivisionReference::Kind::Malformed;
        bad.division = name->division;
        return bad;
    };
    skipBlanks(text, pos);
    const int from = readNumber(text, pos);
    if (from < 0)
        return malformed();
    int to = from;
    skipBlanks(text, pos);
    if (pos < text.size() && (text.at(pos) == u'-' || text.at(pos) == u'–')) {
        ++pos;
        skipBlanks(text, pos);
        to = readNumber(text, pos);
        skipBlanks(text, pos);
    }
    if (to < 0 || pos != text.size())
        return malformed();
    ref.division = name->division;
    ref.from = std::min(from, to);
    ref.to = std::max(from, to);
    ref.kind = ref.from < 1 || ref.to > divisionCount(ref.division) ? DivisionReference::Kind::OutOfRange
                                                                     : DivisionReference::Kind::Valid;
    return ref;
}

QString DivisionReference::statement() const
{
    if (kind != Kind::Valid)
        return QString();
    // One juz is listed exactly as the juz listing lists it.
    if (division == Division::Juz && from == to)
        return query::juzOrdered(from);
    return QStringLiteral("SELECT *  FROM Ayat where ") + divisionCondition(division, from, to) + QStringLiteral(" order by ID");
}

QString divisionFacts(DataControl &control, int ayaId)
{
    control.setRecordSource(QStringLiteral("SELECT quarter, sajda FROM Mushaf where ID = %1").arg(ayaId));
    if (!control.refresh() || control.eof())
        return QString();
    const int quarter = control.field(u"quarter").toInt();
    if (quarter < 1)
        return QString();
    QString text = QCoreApplication::translate("zarfan::Divisionreference", "الحزب : %1    الربع : %2").arg((quarter - 1) / 4 + 1).arg((quarter - 1) % 4 + 1);
    if (!control.field(u"sajda").isEmpty())
        text += QCoreApplication::translate("zarfan::Divisionreference", "    سجدة");
    return text;
}

QString DivisionReference::message() const
{
    if (kind == Kind::Malformed) {
        const auto of = [](const char *what, const char16_t *name, int last) {
            return QCoreApplication::translate("zarfan::Divisionreference", "صيغة رقم %1 غير صحيحة: اكتب رقما من 1 إلى %2، مثل «%3 %4» أو «%3 %4-%5»")
                .arg(QCoreApplication::translate("zarfan::Divisionreference", what))
                .arg(last)
                .arg(QString::fromUtf16(name))
                .arg(std::min(last, 4))
                .arg(std::min(last, 6));
        };
        switch (division) {
        case Division::Page:
            return of(QT_TRANSLATE_NOOP("zarfan::Divisionreference", "الصفحة"), u"صفحة", 604);
        case Division::Hizb:
            return of(QT_TRANSLATE_NOOP("zarfan::Divisionreference", "الحزب"), u"حزب", 60);
        case Division::Quarter:
            return of(QT_TRANSLATE_NOOP("zarfan::Divisionreference", "الربع"), u"ربع", 240);
        case Division::Manzil:
            return of(QT_TRANSLATE_NOOP("zarfan::Divisionreference", "المنزل"), u"منزل", 7);
        case Division::Juz:
            return of(QT_TRANSLATE_NOOP("zarfan::Divisionreference", "الجزء"), u"جزء", 30);
        }
    }
    if (kind != Kind::OutOfRange)
        return QString();
    switch (division) {
    case Division::Page:
        return QCoreApplication::translate("zarfan::Divisionreference", "رقم الصفحة خارج المدى: من 1 إلى 604");
    case Division::Hizb:
        return QCoreApplication::translate("zarfan::Divisionreference", "رقم الحزب خارج المدى: من 1 إلى 60");
    case Division::Quarter:
        return QCoreApplication::translate("zarfan::Divisionreference", "رقم الربع خارج المدى: من 1 إلى 240");
    case Division::Manzil:
        return QCoreApplication::translate("zarfan::Divisionreference", "رقم المنزل خارج المدى: من 1 إلى 7");
    case Division::Juz:
        return QCoreApplication::translate("zarfan::Divisionreference", "رقم الجزء خارج المدى: من 1 إلى 30");
    }
    return QString();
}

} // namespace zarfan
