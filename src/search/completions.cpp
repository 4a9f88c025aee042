#include "completions.h"

#include "arabicfolding.h"
#include "searchhistory.h"
#include "vocabulary.h"

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

QList<CompletionOffer> completionOffers(const QString &typed, const QStringList &history, const Vocabulary &words)
{
    QList<CompletionOffer> offers;
    for (const QString &earlier : offeredHistory(history, typed))
        offers.append({earlier, earlier, true});
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
        offers.append({e.word + QStringLiteral("  ") + arabicIndicNumber(e.count), typed.left(cut) + e.word, false});
        ++offered;
    }
    return offers;
}

} // namespace zarfan
