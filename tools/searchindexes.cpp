#include "searchindexes.h"

#include "data/sqlite.h"
#include "search/preparedindex.h"

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

} // namespace zarfan::makedb
