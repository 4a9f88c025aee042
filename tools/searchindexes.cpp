#include "searchindexes.h"

#include "data/sqlite.h"
#include "search/foldedtext.h"
#include "search/preparedindex.h"
#include "search/wordpostings.h"

#include <sqlite3.h>

namespace zarfan::makedb {

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
    sql::Statement insert(db, "INSERT INTO SearchIndex VALUES (?1, ?2, ?3, ?4);");
    if (!insert)
        return false;
    for (const auto &[name, data] : {std::pair(QStringLiteral("words"), PreparedWords::compute(writtenAyas).toBytes()),
                                     std::pair(QStringLiteral("postings"), postings.toBytes())}) {
        insert.bind(1, name);
        insert.bind(2, qint64(kPreparedIndexVersion));
        insert.bind(3, preparedChecksum(data));
        sqlite3_bind_blob(insert.handle(), 4, data.constData(), int(data.size()), SQLITE_TRANSIENT);
        if (!insert.execute())
            return false;
        insert.reset();
    }
    return true;
}

} // namespace zarfan::makedb
