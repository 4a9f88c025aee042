#include "userstore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <sqlite3.h>

namespace zarfan {

QString UserStore::defaultPath()
{
    const QString overridden = qEnvironmentVariable("ZARFAN_USER_DATA");
    const QString dir = overridden.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : overridden;
    return QDir(dir).filePath(QStringLiteral("user.db"));
}

bool UserStore::prepareSchema()
{
    sqlite3 *raw = db_.handle();
    int found = 0;
    {
        // Any read of a file that is not a database fails here.
        sql::Statement version(raw, "PRAGMA user_version;");
        if (!version || version.step() != SQLITE_ROW)
            return false;
        found = version.text(0).toInt();
    }
    if (found > kSchemaVersion)
        return false; // a newer program's file: not ours to change
    if (!db_.exec("PRAGMA journal_mode = WAL;") || !db_.exec("PRAGMA synchronous = NORMAL;"))
        return false;
    if (found == kSchemaVersion) {
        sql::Statement check(raw, "SELECT count(*) FROM chosen, history, settings, notes, lists, list_ayas WHERE 0;");
        return check && check.step() == SQLITE_ROW;
    }
    return db_.exec("BEGIN;"
                    "CREATE TABLE IF NOT EXISTS chosen (line TEXT PRIMARY KEY, id TEXT NOT NULL, pos INTEGER NOT NULL);"
                    "CREATE TABLE IF NOT EXISTS history (text TEXT PRIMARY KEY, used INTEGER NOT NULL);"
                    "CREATE TABLE IF NOT EXISTS settings (key TEXT PRIMARY KEY, value BLOB);"
                    "PRAGMA user_version = 1;"
                    "COMMIT;")
        && upgradeToNotes(found);
}

bool UserStore::upgradeToNotes(int found)
{
    if (found == 1) {
        // A consistent copy, also of what still sits in the write-ahead log.
        const QString aside = path_ + QStringLiteral(".bak-%1").arg(found);
        QFile::remove(aside);
        sqlite3 *raw = nullptr;
        sqlite3_open_v2(QFile::encodeName(aside).constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        const sql::Database copy(raw);
        sqlite3_backup *backup = copy ? sqlite3_backup_init(raw, "main", db_.handle(), "main") : nullptr;
        const bool copied = backup && sqlite3_backup_step(backup, -1) == SQLITE_DONE;
        if (sqlite3_backup_finish(backup) != SQLITE_OK || !copied)
            return false;
    }
    return db_.exec("BEGIN;"
                    "CREATE TABLE IF NOT EXISTS notes (id INTEGER PRIMARY KEY, sura INTEGER NOT NULL, first INTEGER NOT NULL, "
                    "last INTEGER NOT NULL, text TEXT NOT NULL, tags TEXT NOT NULL, folded TEXT NOT NULL, "
                    "created INTEGER NOT NULL, modified INTEGER NOT NULL);"
                    "CREATE INDEX IF NOT EXISTS notes_by_aya ON notes (sura, first);"
                    "CREATE TABLE IF NOT EXISTS lists (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);"
                    "CREATE TABLE IF NOT EXISTS list_ayas (list INTEGER NOT NULL, sura INTEGER NOT NULL, aya INTEGER NOT NULL, "
                    "pos INTEGER NOT NULL, PRIMARY KEY (list, sura, aya));"
                    "PRAGMA user_version = 2;"
                    "COMMIT;");
}

UserStore::Opened UserStore::open(const QString &path)
{
    path_ = path;
    movedAside_.clear();
    db_ = sql::Database();
    QDir().mkpath(QFileInfo(path).absolutePath());
    const bool existed = QFileInfo::exists(path);
    const auto attempt = [&] {
        sqlite3 *raw = nullptr;
        const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
        db_ = sql::Database(raw);
        if (rc == SQLITE_OK && prepareSchema())
            return true;
        db_ = sql::Database();
        return false;
    };
    if (attempt())
        return existed ? Opened::Existing : Opened::Fresh;
    if (!existed)
        return Opened::Unavailable;
    // Keep the damaged file for whoever wants to look at it; start afresh.
    const QString aside = path + QStringLiteral(".damaged-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (!QFile::rename(path, aside))
        return Opened::Unavailable;
    for (const char *suffix : {"-wal", "-shm"})
        QFile::rename(path + QLatin1String(suffix), aside + QLatin1String(suffix));
    movedAside_ = aside;
    return attempt() ? Opened::MovedAside : Opened::Unavailable;
}

std::vector<std::pair<QString, QString>> UserStore::chosen() const
{
    std::vector<std::pair<QString, QString>> out;
    sql::Statement s(db_.handle(), "SELECT line, id FROM chosen ORDER BY pos;");
    while (s && s.step() == SQLITE_ROW)
        out.emplace_back(s.text(0), s.text(1));
    return out;
}

bool UserStore::addChosen(const QString &line, const QString &id)
{
    sql::Statement s(db_.handle(),
                     "INSERT OR REPLACE INTO chosen (line, id, pos) VALUES (?1, ?2, (SELECT coalesce(max(pos), 0) + 1 FROM chosen));");
    if (!s)
        return false;
    s.bind(1, line);
    s.bind(2, id);
    return s.execute();
}

bool UserStore::removeChosen(const QString &line)
{
    sql::Statement s(db_.handle(), "DELETE FROM chosen WHERE line = ?1;");
    if (!s)
        return false;
    s.bind(1, line);
    return s.execute();
}

QStringList UserStore::history() const
{
    QStringList out;
    sql::Statement s(db_.handle(), "SELECT text FROM history ORDER BY used DESC LIMIT " + QByteArray::number(kHistoryLimit) + ';');
    while (s && s.step() == SQLITE_ROW)
        out.append(s.text(0));
    return out;
}

bool UserStore::addHistory(const QString &text)
{
    if (!db_ || text.isEmpty() || !db_.exec("BEGIN;"))
        return false;
    sql::Statement add(db_.handle(),
                       "INSERT OR REPLACE INTO history (text, used) VALUES (?1, (SELECT coalesce(max(used), 0) + 1 FROM history));");
    add.bind(1, text);
    const bool ok = add && add.execute()
        && db_.exec("DELETE FROM history WHERE text NOT IN (SELECT text FROM history ORDER BY used DESC LIMIT "
                    + QByteArray::number(kHistoryLimit) + ");");
    return db_.exec(ok ? "COMMIT;" : "ROLLBACK;") && ok;
}

bool UserStore::clearHistory() { return db_.exec("DELETE FROM history;"); }

QByteArray UserStore::value(const QString &key) const
{
    sql::Statement s(db_.handle(), "SELECT value FROM settings WHERE key = ?1;");
    if (!s)
        return {};
    s.bind(1, key);
    if (s.step() != SQLITE_ROW)
        return {};
    return QByteArray(static_cast<const char *>(sqlite3_column_blob(s.handle(), 0)), sqlite3_column_bytes(s.handle(), 0));
}

bool UserStore::setValue(const QString &key, const QByteArray &value)
{
    sql::Statement s(db_.handle(), "INSERT OR REPLACE INTO settings (key, value) VALUES (?1, ?2);");
    if (!s)
        return false;
    s.bind(1, key);
    sqlite3_bind_blob(s.handle(), 2, value.constData(), int(value.size()), SQLITE_TRANSIENT);
    return s.execute();
}

} // namespace zarfan
