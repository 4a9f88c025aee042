#pragma once

#include "browse/resultlisting.h"
#include "compacttext.h"
#include "searchstatement.h"
#include "wordpostings.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace zarfan {

class DataControl;

// Every aya's folded text held once in memory, in ID order, beside the line
// and record data a listing shows for it: the default mode answers from here
// instead of scanning the encrypted table.
class FoldedText {
public:
    // Reads the texts as the database builder prepared them, or else the
    // table's rows (one line in the log); false (and empty) when neither
    // can be read.
    bool load(DataControl &control);
    // From the table's rows alone, as the builder works it out.
    bool loadRows(DataControl &control);

    // The statements whose rows, each given to addRow in turn (false for a
    // row naming no sura) and then with the quarters to finishRows, make
    // the texts.
    static constexpr char kRowsStatement[] = "SELECT ID, soraano, ayaano, chapterNO, pageno, AyaaFolded FROM Ayat order by ID";
    static constexpr char kQuartersStatement[] = "SELECT ID, quarter FROM Mushaf order by ID";
    bool addRow(const QString &id, const QString &sura, const QString &aya, const QString &juz, const QString &page, QString padded);
    bool finishRows(const std::vector<std::pair<int, int>> &quarters);

    // The texts as the builder stores them, and back; nothing for bytes
    // that do not read whole, or a text whose numbers are not plain.
    QByteArray toBytes() const;
    static std::optional<FoldedText> fromBytes(const QByteArray &bytes);

    // The tafsirs' folded texts as the builder prepares them, by the names
    // here: each cut into parts of whole rows that a cell holds, a part
    // named "<name>.<n>"; none when a text is not held one byte a letter.
    static constexpr char kTafsirsStatement[] = "SELECT tafFolded, taf2Folded FROM Ayat order by ID";
    static constexpr const char *kTafsirNames[] = {"jalalayn", "muyassar"};
    static std::vector<QByteArray> tafsirParts(const QStringList &folded);
    bool isLoaded() const { return !ayas_.empty(); }
    int size() const { return int(ayas_.size()); }

    // Aya k's search text, " word word ... " as the folded column holds it;
    // or its tafsir's, when that column was read.
    QString padded(int k) const;
    QString padded(int k, SearchTarget target) const;
    bool holds(SearchTarget target) const;
    const ResultRecord &record(int k) const { return records_[std::size_t(k)]; }
    int id(int k) const { return ayas_[std::size_t(k)].id; }
    // The row of an aya ID, or -1.
    int indexOfId(int id) const;

    // Whether aya k lies in the scope the options' code and positions give,
    // as the statements' scope conditions say.
    bool inScope(int k, const SearchOptions &options) const;
    // The rows of the scope, [first, last): every scope is a run of ayas.
    // Empty for a hizb when the quarters could not be read.
    std::pair<int, int> scopeRows(const SearchOptions &options) const;
    bool holdsQuarters() const { return quarters_; }

    // Occurrences of a folded term in every aya (findTerm's meaning), one
    // count per row; in the target's text, counted only in rows [first, last).
    std::vector<int> termCounts(const QString &folded, bool singleWord) const;
    // With weights, each row's hits weighed for ranking: a hit that is a
    // whole word (or words) 1, a hit inside a word half.
    std::vector<int> termCounts(const QString &folded, bool singleWord, SearchTarget target, int first, int last,
                                std::vector<float> *weights = nullptr) const;

    // Each aya's number of words in the target's text, and their mean.
    std::span<const int> wordsPerRow(SearchTarget target) const;
    double meanWords(SearchTarget target) const;

    // Whether any aya holds the term (a quick test, scope aside).
    bool holds(const QString &folded, bool singleWord) const;

    // Every distinct word with its number of occurrences.
    std::vector<std::pair<QString, int>> wordCounts() const;

    // A folded column's value as the search holds it: a blank on each side.
    static QString searchText(QString folded);
    // The aya texts' fingerprint, as a word index made from them carries it.
    std::uint64_t fingerprint() const { return quran_.fingerprint(); }
    // The word index that answers whole words (an empty one: the scan
    // answers them); refused (false) unless it was made from these texts.
    bool setPostings(WordPostings postings);
    const WordPostings &postings() const { return postings_; }

private:
    struct Aya {
        int id = 0, sura = 0, juz = 0;
        int page = 0, quarter = 0;
    };
    const CompactText *column(SearchTarget target) const;
    void loadTafsirs() const;
    void countWords(SearchTarget target) const;
    QString connection_;
    CompactText quran_; // every padded text, one after the other
    // The tafsirs, read on first use.
    mutable CompactText jalalayn_, muyassar_;
    mutable bool tafsirsTried_ = false;
    bool quarters_ = false;
    mutable double meanWords_[3] = {1, 1, 1}; // the aya text, then each tafsir
    mutable std::vector<int> wordCounts_[3];   // each aya's words, counted once
    std::vector<Aya> ayas_;
    std::vector<ResultRecord> records_;
    WordPostings postings_;
};

} // namespace zarfan
