#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace zarfan {

class DataControl;

// What the database builder prepares for the search, so that the program
// reads it at start instead of computing it: rows of the table SearchIndex
// (name, version, checksum, data). A row of another version, or whose bytes
// do not give its checksum, is not read.
inline constexpr int kPreparedIndexVersion = 2;
inline constexpr char kPreparedIndexTable[] =
    "CREATE TABLE SearchIndex (name TEXT PRIMARY KEY, version INTEGER NOT NULL, checksum INTEGER NOT NULL, data BLOB NOT NULL);";

// FNV-1a over the bytes, as the table stores it (a signed 64-bit integer).
inline constexpr quint64 kFnvBasis = 14695981039346656037ull, kFnvPrime = 1099511628211ull;
qint64 preparedChecksum(const QByteArray &data);

// The words of the aya text: each folded word with its number of
// occurrences and the spelling the text most often gives it (ties to the
// first met), from the written (clean) texts of the ayas.
struct PreparedWords {
    std::vector<std::pair<QString, int>> counts;
    QHash<QString, QString> written;

    static PreparedWords compute(const QStringList &writtenAyas);
    QByteArray toBytes() const;
    static std::optional<PreparedWords> fromBytes(const QByteArray &bytes);
};

// The named index's bytes when the database holds it whole and of this
// version; otherwise nothing, and one line in the log: the caller builds it
// in memory.
std::optional<QByteArray> readPreparedIndex(DataControl &control, const QString &name);

} // namespace zarfan
