#include "searchindexes.h"

#include "data/sqlite.h"
#include "memorise/similarayas.h"
#include "search/foldedtext.h"
#include "search/preparedindex.h"
#include "search/wordkeyindex.h"
#include "search/wordpostings.h"

#include <sqlite3.h>

namespace zarfan::makedb {

namespace {

bool insertPrepared(sqlite3 *db, const QString &name, const QByteArray &data)
{
    sql::Statement insert(db, "INSERT INTO SearchIndex VALUES (?1, ?2, ?3, ?4);");
    if (!insert || data.isEmpty())
        return false;
    insert.bind(1, name);
    insert.bind(2, qint64(kPreparedIndexVersion));
    insert.bind(3, preparedChecksum(data));
    sqlite3_bind_blob(insert.handle(), 4, data.constData(), int(data.size()), SQLITE_TRANSIENT);
    return insert.execute();
}

// The tafsirs' folded texts in parts; a text not held one byte a letter is
// left to the table.
bool writeTafsirs(sqlite3 *db)
{
    QStringList columns[2];
    sql::Statement rows(db, FoldedText::kTafsirsStatement);
    while (rows && rows.step() == SQLITE_ROW)
        for (int c = 0; c < 2; ++c)
            columns[c].append(rows.text(c));
    if (!rows)
        return false;
    for (int c = 0; c < 2; ++c) {
        const std::vector<QByteArray> parts = FoldedText::tafsirParts(columns[c]);
        for (std::size_t p = 0; p < parts.size(); ++p)
            if (!insertPrepared(db, QString::fromLatin1(FoldedText::kTafsirNames[c]) + u'.' + QString::number(p), parts[p]))
                return false;
    }
    return true;
}

} // namespace

bool writeSearchIndexes(sqlite3 *db, const QStringList &writtenAyas, const QStringList &foldedAyas)
{
    // The same computations the program falls back on: what it reads is
    // what it would have worked out.
    QStringList padded;
    for (const QString &folded : foldedAyas)
        padded.append(FoldedText::searchText(folded));
    const WordPostings postings = WordPostings::build(padded);
    if (!postings.isBuilt() || sqlite3_exec(db, kPreparedIndexTable, nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    return insertPrepared(db, QStringLiteral("words"), PreparedWords::compute(writtenAyas).toBytes())
        && insertPrepared(db, QStringLiteral("postings"), postings.toBytes());
}

bool writeMemoryIndexes(sqlite3 *db)
{
    // Each from the rows the program itself reads, by the functions it
    // falls back on.
    FoldedText text;
    sql::Statement ayas(db, FoldedText::kRowsStatement);
    bool rowsRead = bool(ayas);
    while (rowsRead && ayas.step() == SQLITE_ROW)
        rowsRead = text.addRow(ayas.text(0), ayas.text(1), ayas.text(2), ayas.text(3), ayas.text(4), ayas.text(5));
    std::vector<std::pair<int, int>> quarters;
    sql::Statement mushaf(db, FoldedText::kQuartersStatement);
    while (mushaf && mushaf.step() == SQLITE_ROW)
        quarters.emplace_back(sqlite3_column_int(mushaf.handle(), 0), sqlite3_column_int(mushaf.handle(), 1));
    WordKeyIndex keys;
    sql::Statement words(db, WordKeyIndex::kRowsStatement);
    while (words && words.step() == SQLITE_ROW)
        keys.addRow(sqlite3_column_int64(words.handle(), 0), words.text(1), words.text(2), words.text(3), words.text(4));
    keys.finishRows();
    SimilarAyas similar;
    return rowsRead && mushaf && words && text.finishRows(quarters) && similar.build(text)
        && insertPrepared(db, QStringLiteral("texts"), text.toBytes()) && insertPrepared(db, QStringLiteral("keys"), keys.toBytes())
        && insertPrepared(db, QStringLiteral("similar"), similar.toBytes()) && writeTafsirs(db);
}

} // namespace zarfan::makedb
