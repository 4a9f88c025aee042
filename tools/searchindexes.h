#pragma once

#include <QStringList>

struct sqlite3;

namespace zarfan::makedb {

// Writes the search's prepared indexes (the table SearchIndex) into the
// database being built, from the ayas' written and folded texts in ID
// order; false when a statement fails.
bool writeSearchIndexes(sqlite3 *db, const QStringList &writtenAyas, const QStringList &foldedAyas);

// Adds to that table what the program holds in memory: the folded texts,
// the roots and lemmas of the word table and the similar ayas, once those
// tables are written.
bool writeMemoryIndexes(sqlite3 *db);

} // namespace zarfan::makedb
