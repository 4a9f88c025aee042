#pragma once

#include "occurrences.h"
#include "searchstatement.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>
#include <vector>

namespace zarfan {

class DataControl;

// The word table's roots and lemmas held in memory: for each folded key,
// the rows of its words, so a root or lemma search needs no statement.
class WordKeyIndex {
public:
    // As the database builder prepared it, or from the word table's rows
    // when that cannot be read (one line in the log).
    bool load(DataControl &control);
    // From the word table's rows alone, as the builder works it out.
    bool loadRows(DataControl &control);
    bool isLoaded() const { return loaded_; }

    // The statement whose rows, each given to addRow in turn and then
    // finished, make the index.
    static constexpr char kRowsStatement[] = "SELECT ID, rootFolded, lemmaFolded, root, lemma FROM Words";
    void addRow(qint64 id, const QString &rootFolded, const QString &lemmaFolded, const QString &root, const QString &lemma);
    void finishRows();

    // The index as the builder stores it, and back; nothing for bytes that
    // do not read whole.
    QByteArray toBytes() const;
    static std::optional<WordKeyIndex> fromBytes(const QByteArray &bytes);

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
