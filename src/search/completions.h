#pragma once

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
// up to ten words of the vocabulary that start with the last typed word,
// most frequent first, each with its count ("الصابرين  ١٥").
QList<CompletionOffer> completionOffers(const QString &typed, const QStringList &history, const Vocabulary &words);

// The number in Arabic-Indic digits.
QString arabicIndicNumber(int n);

} // namespace zarfan
