#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace zarfan::sql {

// Owns an open database handle.
class Database {
public:
    Database() = default;
    explicit Database(sqlite3 *db) : db_(db) {}
    Database(Database &&other) noexcept : db_(other.db_) { other.db_ = nullptr; }
    Database &operator=(Database &&other) noexcept;
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;
    ~Database();

    sqlite3 *handle() const { return db_; }
    explicit operator bool() const { return db_ != nullptr; }
    QString errorMessage() const;
    // Runs statements that return no rows; false on the first failure.
    bool exec(const QByteArray &sql);

private:
    sqlite3 *db_ = nullptr;
};

// Owns one prepared statement.
class Statement {
public:
    Statement() = default;
    Statement(sqlite3 *db, const QByteArray &sql);
    Statement(Statement &&other) noexcept : stmt_(other.stmt_), tailUsed_(other.tailUsed_) { other.stmt_ = nullptr; }
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;
    ~Statement();

    explicit operator bool() const { return stmt_ != nullptr; }
    // True when the text held more than one statement.
    bool hadTrailingStatement() const { return tailUsed_; }
    sqlite3_stmt *handle() const { return stmt_; }

    void bind(int index, const QString &value);
    void bind(int index, qint64 value);
    // SQLITE_ROW, SQLITE_DONE or an error code.
    int step();
    bool execute(); // steps to the end; true on SQLITE_DONE
    void reset();

    int columnCount() const;
    QByteArray columnName(int i) const;
    QString text(int i) const;

private:
    sqlite3_stmt *stmt_ = nullptr;
    bool tailUsed_ = false;
};

} // namespace zarfan::sql
