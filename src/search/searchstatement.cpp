#include "searchstatement.h"

#include "arabicfolding.h"
#include "divisionreference.h"

#include <algorithm>

#include <QStringList>

using namespace Qt::StringLiterals;

namespace zarfan {

QString escapeSearchText(const QString &text)
{
    QString escaped = text;
    escaped.replace(u'\'', QStringLiteral("''"));
    return escaped;
}

QString trimBlanks(const QString &text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QString searchColumn(const SearchOptions &o)
{
    switch (o.target) {
    case SearchTarget::Jalalayn:
        return o.literal ? QStringLiteral("tafClean") : QStringLiteral("tafFolded");
    case SearchTarget::Muyassar:
        return o.literal ? QStringLiteral("taf2Clean") : QStringLiteral("taf2Folded");
    case SearchTarget::Quran:
    case SearchTarget::Notes:
    case SearchTarget::Translation:
        break;
    }
    return o.literal ? QStringLiteral("AyaaIndex") : QStringLiteral("AyaaFolded");
}

QString searchedText(const QString &typed, const SearchOptions &o)
{
    switch (o.key) {
    case WordKey::Root:
        return foldRoot(typed);
    case WordKey::Lemma: {
        // The superscript alef stays for the words query to read.
        QStringList pieces = typed.split(QChar(0x0670));
        for (QString &piece : pieces)
            piece = foldArabic(piece);
        return pieces.join(QChar(0x0670));
    }
    case WordKey::ExactLemma:
        return typed;
    case WordKey::Letters:
        break;
    }
    // A tafsir's punctuation is blanks in its searched columns ("7:23" is 7 23).
    const QString text = o.target == SearchTarget::Jalalayn || o.target == SearchTarget::Muyassar ? punctuationAsBlanks(typed) : typed;
    return o.literal ? cleanArabic(text) : foldArabic(text);
}

QString wordsQuery(const QString &key, WordKey by, bool ayasOnly)
{
    // ID / 1000 is ayaOfWordRow in the statement.
    const QString head = ayasOnly ? QStringLiteral("SELECT ID / 1000 FROM Words where ") : QStringLiteral("SELECT ID FROM Words where ");
    const auto quoted = [](const QString &text) { return u'\'' + escapeSearchText(text) + u'\''; };
    if (by == WordKey::Root)
        return head + QStringLiteral("rootFolded = ") + quoted(key);
    // The lemma column holds a word's parts as one text, "part|part".
    if (by == WordKey::ExactLemma)
        return head + QStringLiteral("instr('|' || lemma || '|', '|' || ") + quoted(key) + QStringLiteral(" || '|') > 0");
    if (!key.contains(QChar(0x0670)))
        return head + QStringLiteral("lemmaFolded = ") + quoted(key);
    // A superscript alef is an alef, as in most lemmas; the lemmas written
    // without it (ذلك, هذا) are found when no lemma has the alef.
    const QString withAlef = foldArabic(alefForSuperscript(key));
    const QString without = QString(key).remove(QChar(0x0670));
    return head + QStringLiteral("lemmaFolded = coalesce((SELECT lemmaFolded FROM Words where lemmaFolded = ") + quoted(withAlef)
        + QStringLiteral(" limit 1), ") + quoted(without) + u')';
}

// Numbers are the selected positions plus one, so no selection gives 0.
QString scopeCondition(const SearchOptions &o)
{
    const auto num = [](int position) { return QString::number(position + 1); };
    switch (o.searchtype) {
    case 1:
        return QStringLiteral("chapterNO = ") + num(o.part);
    case 2:
        return QStringLiteral("chapterNO between ") + num(o.part1) + QStringLiteral(" and ") + num(o.part2);
    case 3:
        return QStringLiteral("soraano = ") + num(o.sora);
    case 4:
        return QStringLiteral("soraano between ") + num(o.sora1) + QStringLiteral(" and ") + num(o.sora2);
    case 5:
        return divisionCondition(DivisionReference::Division::Hizb, o.hizb + 1, o.hizb + 1);
    case 6:
        return divisionCondition(DivisionReference::Division::Page, std::min(o.page1, o.page2), std::max(o.page1, o.page2));
    default:
        return QString();
    }
}

QString buildSearchStatement(const QString &text, const SearchOptions &o)
{
    const QString head = QStringLiteral("SELECT *  FROM Ayat where ");
    const QString scope = scopeCondition(o);
    if (o.key != WordKey::Letters) {
        // The scope's conditions as for any search; the ayas chosen through
        // the words of that root or lemma.
        const QString chosen = QStringLiteral("Ayat.ID in (") + wordsQuery(searchedText(text, o), o.key, true) + QStringLiteral(") order by ID");
        return head + (scope.isEmpty() ? chosen : scope + QStringLiteral(" And ") + chosen);
    }
    const QString t = escapeSearchText(searchedText(text, o));
    const QString column = QStringLiteral("Ayat.") + searchColumn(o);
    const QString pattern = o.singleWord ? QStringLiteral("'%") + u' ' + t + u' ' + QStringLiteral("%'")
                                         : QStringLiteral("'%") + t + QStringLiteral("%'");
    // The joins keep the statements' own blanks: in a scope, " Like " and a
    // single-word pattern that opens with a blank.
    if (scope.isEmpty())
        return head + column + QStringLiteral(" like ") + pattern + QStringLiteral("order by ID");
    return head + scope + QStringLiteral(" And ") + column + QStringLiteral(" Like ") + (o.singleWord ? u" "_s : QString()) + pattern
        + QStringLiteral("order by ID");
}

} // namespace zarfan
