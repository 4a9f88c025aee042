#include "sqlite.h"

#include <sqlite3.h>

namespace zarfan::sql {

Database &Database::operator=(Database &&other) noexcept
{
    if (this != &other) {
        if (db_)
            sqlite3_close(db_);
        db_ = other.db_;
        other.db_ = nullptr;
    }
    return *this;
}

Database::~Database()
{
    if (db_)
        sqlite3_close(db_);
}

QString Database::errorMessage() const
{
    return db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("no database");
}

bool Database::exec(const QByteArray &sql)
{
    return db_ && sqlite3_exec(db_, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

Statement::Statement(sqlite3 *db, const QByteArray &sql)
{
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &stmt_, &tail) != SQLITE_OK) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        return;
    }
    if (tail) {
        for (const char *p = tail; p < sql.constData() + sql.size(); ++p) {
            if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n' && *p != ';') {
                tailUsed_ = true;
                break;
            }
        }
    }
}

Statement::~Statement()
{
    if (stmt_)
        sqlite3_finalize(stmt_);
}

void Statement::bind(int index, const QString &value)
{
    const QByteArray utf8 = value.toUtf8();
    sqlite3_bind_text(stmt_, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void Statement::bind(int index, qint64 value) { sqlite3_bind_int64(stmt_, index, value); }

int Statement::step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_MISUSE; }

bool Statement::execute()
{
    int rc;
    while ((rc = step()) == SQLITE_ROW) {
    }
    return rc == SQLITE_DONE;
}

void Statement::reset()
{
    if (stmt_) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
}

int Statement::columnCount() const { return stmt_ ? sqlite3_column_count(stmt_) : 0; }

QByteArray Statement::columnName(int i) const { return QByteArray(sqlite3_column_name(stmt_, i)); }

QString Statement::text(int i) const
{
    const auto *p = reinterpret_cast<const char *>(sqlite3_column_text(stmt_, i));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(stmt_, i)) : QString();
}

} // namespace zarfan::sql
