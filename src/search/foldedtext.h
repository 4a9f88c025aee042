#pragma once

#include "browse/resultlisting.h"
#include "searchstatement.h"

#include <QString>
#include <vector>

namespace zarfan {

class DataControl;

// Every aya's folded text held once in memory, in ID order, beside the line
// and record data a listing shows for it: the default mode answers from here
// instead of scanning the encrypted table.
class FoldedText {
public:
    // Reads the table once; false (and empty) when it cannot be read.
    bool load(DataControl &control);
    bool isLoaded() const { return !ayas_.empty(); }
    int size() const { return int(ayas_.size()); }

    // Aya k's search text, " word word ... " as the folded column holds it.
    QStringView padded(int k) const;
    const ResultRecord &record(int k) const { return records_[std::size_t(k)]; }
    int id(int k) const { return ayas_[std::size_t(k)].id; }
    // The row of an aya ID, or -1.
    int indexOfId(int id) const;

    // Whether aya k lies in the scope the options' code and positions give,
    // as the statements' scope conditions say.
    bool inScope(int k, const SearchOptions &options) const;

    // Occurrences of a folded term in every aya (findTerm's meaning), one
    // count per row.
    std::vector<int> termCounts(const QString &folded, bool singleWord) const;

    // Whether any aya holds the term (a quick test, scope aside).
    bool holds(const QString &folded, bool singleWord) const;

    // Every distinct word with its number of occurrences.
    std::vector<std::pair<QString, int>> wordCounts() const;

private:
    struct Aya {
        int id = 0, sura = 0, juz = 0;
        qsizetype start = 0, length = 0; // in text_
    };
    QString text_; // every padded text, one after the other
    std::vector<Aya> ayas_;
    std::vector<ResultRecord> records_;
};

} // namespace zarfan
