#include "searchindexes.h"

#include "data/sqlite.h"
#include "memorise/similarayas.h"
#include "search/preparedindex.h"
#include "search/wordkeyindex.h"

#include <sqlite3.h>

namespace zarfan::makedb {

bool writeSearchIndexes(sqlite3 *db, const QStringList &writtenAyas)
{
    // The same computation the program falls back on: what it reads is what
    // it would have worked out.
    const QByteArray words = PreparedWords::compute(writtenAyas).toBytes();
    if (sqlite3_exec(db, kPreparedIndexTable, nullptr, nullptr, nullptr) != SQLITE_OK)
        return false;
    sql::Statement insert(db, "INSERT INTO SearchIndex VALUES (?1, ?2, ?3, ?4);");
    if (!insert)
        return false;
    insert.bind(1, QStringLiteral("words"));
    insert.bind(2, qint64(kPreparedIndexVersion));
    insert.bind(3, preparedChecksum(words));
    sqlite3_bind_blob(insert.handle(), 4, words.constData(), int(words.size()), SQLITE_TRANSIENT);
    return insert.execute();
}

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

} // namespace

bool writeKeyAndSimilarIndexes(sqlite3 *db)
{
    // Each from the rows the program itself reads, by the functions it
    // falls back on.
    WordKeyIndex keys;
    sql::Statement words(db, WordKeyIndex::kRowsStatement);
    while (words && words.step() == SQLITE_ROW)
        keys.addRow(sqlite3_column_int64(words.handle(), 0), words.text(1), words.text(2), words.text(3), words.text(4));
    keys.finishRows();
    QStringList folded;
    sql::Statement ayas(db, "SELECT AyaaFolded FROM Ayat order by ID");
    while (ayas && ayas.step() == SQLITE_ROW)
        folded.append(ayas.text(0));
    SimilarAyas similar;
    return words && ayas && similar.build(folded) && insertPrepared(db, QStringLiteral("keys"), keys.toBytes())
        && insertPrepared(db, QStringLiteral("similar"), similar.toBytes());
}

} // namespace zarfan::makedb
