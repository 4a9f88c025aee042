#pragma once

#include "occurrences.h"
#include "searchstatement.h"

#include <QHash>
#include <QString>
#include <vector>

namespace zarfan {

class DataControl;

// The word table's roots and lemmas held in memory: for each folded key,
// the rows of its words, so a root or lemma search needs no statement.
class WordKeyIndex {
public:
    bool load(DataControl &control);
    bool isLoaded() const { return loaded_; }

    // The words of that root or lemma (folded key), by aya ID.
    WordsByAya words(const QString &key, WordKey by) const;
    // The key as the word table writes it (a root with its hamza: أمن),
    // or the folded key when it is not known.
    QString written(const QString &key, WordKey by) const;
    // Every key with its number of words.
    std::vector<std::pair<QString, int>> keyCounts(WordKey by) const;

private:
    QHash<QString, std::vector<qint64>> roots_, lemmas_;
    QHash<QString, QString> writtenRoots_, writtenLemmas_;
    bool loaded_ = false;
};

} // namespace zarfan
