#include "completions.h"

#include "arabicfolding.h"
#include "ayareference.h"
#include "browse/suratables.h"
#include "divisionreference.h"
#include "searchhistory.h"
#include "vocabulary.h"

#include <algorithm>
#include <array>
#include <vector>

namespace zarfan {

void CompletionOffersModel::setOffers(QList<CompletionOffer> offers)
{
    beginResetModel();
    offers_ = std::move(offers);
    endResetModel();
}

int CompletionOffersModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(offers_.size()); }

QVariant CompletionOffersModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= offers_.size())
        return {};
    const CompletionOffer &o = offers_.at(index.row());
    if (role == Qt::EditRole)
        return o.completed;
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return o.shown;
    return {};
}

namespace {

// The names the juzs go by, from their opening words.
constexpr std::array<const char16_t *, 30> kJuzNames{
    u"الم", u"سيقول", u"تلك الرسل", u"لن تنالوا", u"والمحصنات", u"لا يحب الله", u"وإذا سمعوا", u"ولو أننا",
    u"قال الملأ", u"واعلموا", u"يعتذرون", u"وما من دابة", u"وما أبرئ", u"ربما", u"سبحان", u"قال ألم",
    u"اقترب", u"قد أفلح", u"وقال الذين", u"أمن خلق", u"اتل ما أوحي", u"ومن يقنت", u"وما لي", u"فمن أظلم",
    u"إليه يرد", u"حم", u"قال فما خطبكم", u"قد سمع", u"تبارك", u"عم"};

QString withoutArticle(const QString &folded)
{
    return folded.size() > 3 && folded.startsWith(u"ال") && folded.at(2) != u' ' ? folded.mid(2) : folded;
}

QString divisionWord(DivisionReference::Division d)
{
    switch (d) {
    case DivisionReference::Division::Page:
        return QStringLiteral("صفحة");
    case DivisionReference::Division::Hizb:
        return QStringLiteral("حزب");
    case DivisionReference::Division::Quarter:
        return QStringLiteral("ربع");
    case DivisionReference::Division::Manzil:
        return QStringLiteral("منزل");
    case DivisionReference::Division::Juz:
        return QStringLiteral("جزء");
    }
    return QString();
}

} // namespace

QList<CompletionOffer> placeOffers(const QString &typed)
{
    QList<CompletionOffer> offers;
    const QString text = withoutInvisibleMarks(typed).simplified();
    if (text.isEmpty())
        return offers;
    const DivisionReference division = parseDivisionReference(text);
    if (division.kind == DivisionReference::Kind::Valid && division.from == division.to) {
        QString place = divisionWord(division.division) + u' ' + QString::number(division.from);
        QString shown = place;
        if (division.division == DivisionReference::Division::Juz)
            shown += QStringLiteral(" (") + QString::fromUtf16(kJuzNames[std::size_t(division.from - 1)]) + u')';
        return {{shown, place, false}};
    }
    const QString folded = foldArabic(text);
    // A juz by its name.
    const QString juzWord = QStringLiteral("جزء"), juz = foldArabic(juzWord) + u' ';
    if (folded.startsWith(juz) && folded.size() > juz.size()) {
        const QString name = folded.mid(juz.size());
        for (int n = 1; n <= 30 && offers.size() < 3; ++n) {
            const QString juzName = QString::fromUtf16(kJuzNames[std::size_t(n - 1)]);
            if (foldArabic(juzName).startsWith(name)) {
                const QString place = juzWord + u' ' + QString::number(n);
                offers.append({place + QStringLiteral(" (") + juzName + u')', place, false});
            }
        }
        return offers;
    }
    // A sura by name, with or without "سورة" and the article: the whole
    // name first (سورة ق before القصص), then the names it begins, then those
    // with a later word it begins (عمران). Without "سورة" a name is whole or
    // three letters begun (يس, طه).
    const QString suraWord = QStringLiteral("سوره");
    QString name = folded;
    const bool named = name.startsWith(suraWord + u' ');
    if (named)
        name = name.mid(suraWord.size() + 1);
    if (name.isEmpty())
        return offers;
    const QString bare = withoutArticle(name);
    std::vector<std::pair<int, int>> found; // rank, sura
    for (int n = 1; n <= SuraTables::kSuraCount; ++n) {
        const QString full = foldArabic(SuraTables::unmarkedName(n));
        const QString fullBare = withoutArticle(full);
        if (full == name || fullBare == bare) {
            if (named || name.size() >= 2)
                found.emplace_back(0, n);
            continue;
        }
        // Three letters begun besides the article ("الص" is no name yet).
        if (!named && (name.startsWith(u"ال") ? name.size() - 2 : name.size()) < 3)
            continue;
        if (full.startsWith(name) || fullBare.startsWith(bare))
            found.emplace_back(1, n);
        else if (full.contains(u' ' + name) || full.contains(u' ' + bare))
            found.emplace_back(2, n);
    }
    std::sort(found.begin(), found.end());
    for (std::size_t k = 0; k < found.size() && k < 3; ++k) {
        const QString place = QStringLiteral("سورة ") + SuraTables::unmarkedName(found[k].second);
        offers.append({place, place, false});
    }
    return offers;
}

QList<CompletionOffer> completionOffers(const QString &typed, const QStringList &history, const Vocabulary &words)
{
    QList<CompletionOffer> offers;
    for (const QString &earlier : offeredHistory(history, typed))
        offers.append({earlier, earlier, true});
    offers += placeOffers(typed);
    // The last word as typed is replaced; a blank at the end starts a new one.
    if (typed.endsWith(u' '))
        return offers;
    const qsizetype cut = typed.lastIndexOf(u' ') + 1;
    const QString lastWord = foldArabic(typed.mid(cut));
    if (lastWord.isEmpty())
        return offers;
    int offered = 0;
    for (const Vocabulary::Entry &e : words.withPrefix(lastWord, 11)) {
        // The word as typed is no offer.
        if (e.word == lastWord || offered == 10)
            continue;
        const QString written = words.written(e.word);
        offers.append({written + QStringLiteral("  ") + interfaceNumber(e.count), typed.left(cut) + written, false});
        ++offered;
    }
    return offers;
}

} // namespace zarfan
