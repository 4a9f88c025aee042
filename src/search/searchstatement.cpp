#include "searchstatement.h"

#include "arabicfolding.h"

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
        return o.literal ? QStringLiteral("Ayat.taf") : QStringLiteral("Ayat.tafFolded");
    case SearchTarget::Muyassar:
        return o.literal ? QStringLiteral("Ayat.taf2") : QStringLiteral("Ayat.taf2Folded");
    case SearchTarget::Quran:
        break;
    }
    return o.literal ? QStringLiteral("Ayat.AyaaIndex") : QStringLiteral("Ayat.AyaaFolded");
}

QString searchedText(const QString &typed, const SearchOptions &o)
{
    switch (o.key) {
    case WordKey::Root:
        return foldArabic(typed).remove(u' ');
    case WordKey::Lemma:
        return foldArabic(typed);
    case WordKey::Letters:
        break;
    }
    return o.literal ? cleanArabic(typed) : foldArabic(typed);
}

QString wordsQuery(const QString &key, WordKey by, bool ayasOnly)
{
    return (ayasOnly ? QStringLiteral("SELECT ID / 1000 FROM Words where ") : QStringLiteral("SELECT ID FROM Words where "))
        + (by == WordKey::Root ? QStringLiteral("rootFolded") : QStringLiteral("lemmaFolded")) + QStringLiteral(" = '")
        + escapeSearchText(key) + u'\'';
}

QString buildSearchStatement(const QString &text, const SearchOptions &o)
{
    const QString t = escapeSearchText(searchedText(text, o));
    const QString column = searchColumn(o);
    if (o.key != WordKey::Letters) {
        // The scope's conditions as for any search; the ayas chosen through
        // the words of that root or lemma.
        const QString chosen = QStringLiteral("Ayat.ID in (") + wordsQuery(searchedText(text, o), o.key, true) + QStringLiteral(") order by ID");
        const auto num = [](int position) { return QString::number(position + 1); };
        switch (o.searchtype) {
        case 1:
            return QStringLiteral("SELECT *  FROM Ayat where chapterNO = ") + num(o.part) + QStringLiteral(" And ") + chosen;
        case 2:
            return QStringLiteral("SELECT *  FROM Ayat where chapterNO between ") + num(o.part1) + QStringLiteral(" and ")
                + num(o.part2) + QStringLiteral(" And ") + chosen;
        case 3:
            return QStringLiteral("SELECT *  FROM Ayat where soraano = ") + num(o.sora) + QStringLiteral(" And ") + chosen;
        case 4:
            return QStringLiteral("SELECT *  FROM Ayat where soraano between ") + num(o.sora1) + QStringLiteral(" and ")
                + num(o.sora2) + QStringLiteral(" And ") + chosen;
        default:
            return QStringLiteral("SELECT *  FROM Ayat where ") + chosen;
        }
    }
    const auto num = [](int position) { return QString::number(position + 1); };
    const QString pattern = o.singleWord ? QStringLiteral(" '%") + u' ' + t + u' ' + QStringLiteral("%'")
                                         : QStringLiteral("'%") + t + QStringLiteral("%'");
    const QString tail = QStringLiteral(" And ") + column + QStringLiteral(" Like ") + pattern + QStringLiteral("order by ID");
    switch (o.searchtype) {
    case 1:
        return QStringLiteral("SELECT *  FROM Ayat where chapterNO = ") + num(o.part) + tail;
    case 2:
        return QStringLiteral("SELECT *  FROM Ayat where chapterNO between ") + num(o.part1) + QStringLiteral(" and ")
            + num(o.part2) + tail;
    case 3:
        return QStringLiteral("SELECT *  FROM Ayat where soraano = ") + num(o.sora) + tail;
    case 4:
        return QStringLiteral("SELECT *  FROM Ayat where soraano between ") + num(o.sora1) + QStringLiteral(" and ")
            + num(o.sora2) + tail;
    default:
        break;
    }
    const QString whole = o.singleWord ? QStringLiteral("'%") + u' ' + t + u' ' + QStringLiteral("%'")
                                       : QStringLiteral("'%") + t + QStringLiteral("%'");
    return QStringLiteral("SELECT *  FROM Ayat where ") + column + QStringLiteral(" like ") + whole + QStringLiteral("order by ID");
}

} // namespace zarfan
