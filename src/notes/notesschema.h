#pragma once

// How the notes lie in the user store's file: the columns a note is read
// from, and what a failed write means to the reader. Shared by the store's
// queries and the mending of a file another program wrote.

#include "data/sqlite.h"
#include "notesstore.h"

namespace zarfan::notesschema {

// Tags are kept in one column, one a line.
inline constexpr QChar kTagSeparator = u'\n';

// The columns noteFrom() reads, in its order; a statement goes on after it.
inline constexpr const char *kNoteColumns = "SELECT id, sura, first, last, text, tags, created, modified, folded FROM notes ";

// Three columns from first as a range; a value that is no whole number in
// range of an int gives an invalid one, never a wrapped number.
AyaRange rangeOf(sql::Statement &s, int first);
Note noteFrom(sql::Statement &s);

// What a failed SQLite call means to the reader, and what to do about it.
QString explained(sqlite3 *db);

} // namespace zarfan::notesschema
