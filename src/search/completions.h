#pragma once

#include "search/arabicfolding.h"

#include <QAbstractListModel>
#include <QString>
#include <QStringList>

namespace zarfan {

class Vocabulary;

// One entry of the search box's completion popup: what it shows and the
// box's whole text once it is chosen.
struct CompletionOffer {
    QString shown;
    QString completed;
    bool fromHistory = false;
};

// The earlier searches that hold what is typed (however it is spelt), then
// the places it names, then up to ten words of the vocabulary that start with the last typed word,
// most frequent first, each as the text writes it with its count
// ("الصابرين  ١٥").
QList<CompletionOffer> completionOffers(const QString &typed, const QStringList &history, const Vocabulary &words);

// The places the typed text names, as the search box lists them: suras by
// name (بقره → "سورة البقرة"), "جزء 30" or a juz by its name ("جزء عم"),
// "صفحة 50", "حزب 5".
QList<CompletionOffer> placeOffers(const QString &typed);

// The offers for a completer: the popup shows each entry's shown text, and
// the box takes its completed text (the completer's edit role).
class CompletionOffersModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;
    void setOffers(QList<CompletionOffer> offers);
    const QList<CompletionOffer> &offers() const { return offers_; }
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QList<CompletionOffer> offers_;
};


} // namespace zarfan
