#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zarfan {

class SharedConnection;

// One connection string plus one query, with the rows of its last refresh and
// a current-row position. Every value reads as text; NULL and end-of-file read
// as "". A refresh copies all rows of the statement, so a walk whose control
// is refreshed under it by a re-entrant handler simply sees the new rows.
class DataControl {
public:
    DataControl();
    ~DataControl();
    DataControl(const DataControl &) = delete;
    DataControl &operator=(const DataControl &) = delete;

    void setConnectionString(const QString &connection);
    const QString &connectionString() const { return connection_; }

    void setRecordSource(const QString &sql);
    const QString &recordSource() const { return source_; }

    // Opens and keys the database without running a statement, so that the
    // first query does not pay for the key derivation. False when it cannot.
    bool open();

    // For a worker thread: this control keys a connection of its own, not
    // one the others share, and tells no problem (the others will). Once
    // the worker is done, share() offers it to the others, on the main
    // thread: kept while this control lives, unless one of theirs is open.
    void keepApart()
    {
        apart_ = true;
        db_.reset();
    }
    void share();

    // Runs the record source. On any failure the recordset is empty and
    // false is returned; failure() tells why.
    bool refresh();
    enum class Failure { None, Failed, TooComplex };
    Failure failure() const { return failure_; }

    // A statement stopped after this much of the thread's own processor
    // time has failed as too complex: a pattern with many wildcards can take
    // the engine minutes. Processor time, so a busy machine or a slow disk
    // does not turn an ordinary search into a complex one; instrumented
    // builds run several times slower and get a wider limit.
#ifdef ZARFAN_INSTRUMENTED
    static constexpr int kTimeLimitMs = 4000;
#else
    static constexpr int kTimeLimitMs = 1000;
#endif

    // Only these columns are copied by a refresh (the others read as "");
    // empty copies every column.
    void setCopiedColumns(const QStringList &names) { copied_ = names; }

    // A longer cell is cut: no real text comes near it.
    static constexpr int kCellByteLimit = 1 << 20;
    bool eof() const { return current_ >= rows_; }
    void moveNext();

    // Column position for a name, regardless of letter case; -1 when absent.
    int column(QStringView name) const;
    QString field(int column) const;
    QString field(QStringView name) const { return field(column(name)); }
    // The cell as stored, UTF-8, valid until the next refresh.
    std::string_view fieldBytes(int column) const;
    const QStringList &columnNames() const { return columns_; }

    int rowCount() const { return rows_; }

private:
    void clearRows();

    QString connection_;
    QString source_;
    bool apart_ = false;
    std::shared_ptr<SharedConnection> db_;
    QStringList columns_;
    std::string cells_;              // every cell's UTF-8 bytes, row after row
    std::vector<std::size_t> ends_;  // end offset of each cell in cells_
    int rows_ = 0;
    int current_ = 0;
    QStringList copied_;
    Failure failure_ = Failure::None;
};

// Drops the cached connections (tests rebuild files between cases).
void closeSharedConnections();

// text LIKE pattern (UTF-8) as every statement of the program evaluates it.
bool sqlLike(const QByteArray &pattern, const QByteArray &text);

} // namespace zarfan
