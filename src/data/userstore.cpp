#include "userstore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <sqlite3.h>
#include <iterator>

namespace zarfan {

QString UserStore::defaultPath()
{
    const QString overridden = qEnvironmentVariable("ZARFAN_USER_DATA");
    const QString dir = overridden.isEmpty() ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) : overridden;
    return QDir(dir).filePath(QStringLiteral("user.db"));
}

namespace {
bool isDamage(int code)
{
    code &= 0xff;
    return code == SQLITE_CORRUPT || code == SQLITE_NOTADB;
}
} // namespace

void UserStore::noteFailure()
{
    if (db_ && isDamage(sqlite3_errcode(db_.handle())))
        damaged_ = true;
}

template <typename Work>
auto UserStore::guarded(Work work)
{
    damaged_ = false;
    auto result = work();
    if (!damaged_ || recovered_ || readOnly_)
        return result;
    // Once per run: a file that breaks again is not chased further.
    recovered_ = true;
    db_ = sql::Database();
    if (!moveAside() || connect() != Check::Good)
        return result;
    if (onDamage_)
        onDamage_(movedAside_);
    return work();
}

namespace {
// The tables each version brings, oldest first. A step is run once, when a
// file of an earlier version is opened; as every table is made only if it
// is missing, the steps up to a file's own version also mend a file that
// lost a table.
struct Step {
    int version;
    const char *sql;
};
constexpr Step kSteps[] = {
    {1, "CREATE TABLE IF NOT EXISTS chosen (line TEXT PRIMARY KEY, id TEXT NOT NULL, pos INTEGER NOT NULL);"
        "CREATE TABLE IF NOT EXISTS history (text TEXT PRIMARY KEY, used INTEGER NOT NULL);"
        "CREATE TABLE IF NOT EXISTS settings (key TEXT PRIMARY KEY, value BLOB);"},
    {2, "CREATE TABLE IF NOT EXISTS notes (id INTEGER PRIMARY KEY, sura INTEGER NOT NULL, first INTEGER NOT NULL, "
        "last INTEGER NOT NULL, text TEXT NOT NULL, tags TEXT NOT NULL, folded TEXT NOT NULL, "
        "created INTEGER NOT NULL, modified INTEGER NOT NULL);"
        "CREATE INDEX IF NOT EXISTS notes_by_aya ON notes (sura, first);"
        "CREATE TABLE IF NOT EXISTS lists (id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE);"
        "CREATE TABLE IF NOT EXISTS list_ayas (list INTEGER NOT NULL, sura INTEGER NOT NULL, aya INTEGER NOT NULL, "
        "pos INTEGER NOT NULL, PRIMARY KEY (list, sura, aya));"},
    // What the reader holds of each page and its review schedule; days are
    // Julian day numbers, and a page without a row is not held.
    {3, "CREATE TABLE IF NOT EXISTS memorised (page INTEGER PRIMARY KEY, state INTEGER NOT NULL, "
        "interval INTEGER NOT NULL, due INTEGER NOT NULL, changed INTEGER NOT NULL);"},
};
static_assert(std::size(kSteps) == std::size_t(UserStore::kSchemaVersion) && kSteps[std::size(kSteps) - 1].version == UserStore::kSchemaVersion);

// The tables every file of this version holds.
constexpr const char *kAllTables = "SELECT count(*) FROM chosen, history, settings, notes, lists, list_ayas, memorised WHERE 0;";

// Each table's columns, sorted by name, as the steps above make them.
struct Columns {
    const char *table;
    const char *names;
};
constexpr Columns kColumns[] = {
    {"chosen", "id,line,pos"},
    {"history", "text,used"},
    {"settings", "key,value"},
    {"notes", "created,first,folded,id,last,modified,sura,tags,text"},
    {"lists", "id,name"},
    {"list_ayas", "aya,list,pos,sura"},
    {"memorised", "changed,due,interval,page,state"},
};

// What SQLite cannot read as its own file: the header's magic text, page
// size or schema format are not what it writes (a bad schema format it
// reports as a plain error, not as a file that is no database).
bool headerIsDamaged(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray h = file.read(100);
    if (h.isEmpty())
        return false; // an empty file is a new one
    if (h.size() < 100 || !h.startsWith(QByteArray("SQLite format 3", 16)))
        return true;
    const int pageSize = (quint8(h[16]) << 8) | quint8(h[17]);
    const bool pageSizeGood = pageSize == 1 || (pageSize >= 512 && (pageSize & (pageSize - 1)) == 0);
    const quint32 schemaFormat = (quint32(quint8(h[44])) << 24) | (quint32(quint8(h[45])) << 16) | (quint32(quint8(h[46])) << 8) | quint8(h[47]);
    return !pageSizeGood || schemaFormat > 4;
}
} // namespace

UserStore::Check UserStore::connect()
{
    db_ = sql::Database();
    const auto attach = [this](const QByteArray &name, int flags) {
        // Closed first: a connection left open meanwhile would keep the
        // -wal and -shm files of the one before behind.
        db_ = sql::Database();
        sqlite3 *raw = nullptr;
        const int rc = sqlite3_open_v2(name.constData(), &raw, flags, nullptr);
        db_ = sql::Database(raw);
        if (rc != SQLITE_OK)
            db_ = sql::Database();
        return rc == SQLITE_OK;
    };
    if (!readOnly_) {
        if (!attach(QFile::encodeName(path_), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE))
            return headerIsDamaged(path_) ? Check::Damaged : Check::Failed;
    } else {
        // Without a writable folder no -shm file can be made: a file left
        // cleanly is read as it stands.
        const QByteArray uri = QUrl::fromLocalFile(path_).toEncoded();
        const int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_URI;
        if (closedCleanly_) {
            // Just closed cleanly by a connection that could write, so whole
            // in itself: read so, and no -wal or -shm file is left beside it.
            if (!attach(uri + "?immutable=1", flags))
                return Check::Failed;
        } else if (!attach(uri + "?mode=ro", flags) || !db_.exec("SELECT count(*) FROM sqlite_schema;")) {
            if (!attach(uri + "?immutable=1", flags))
                return Check::Failed;
        }
    }
    sqlite3 *raw = db_.handle();
    {
        // The whole file, not only its first page.
        sql::Statement check(raw, "PRAGMA quick_check;");
        const int rc = check ? check.step() : sqlite3_errcode(raw);
        if (rc != SQLITE_ROW || check.text(0) != u"ok")
            return isDamage(rc) || rc == SQLITE_ROW || headerIsDamaged(path_) ? Check::Damaged : Check::Failed;
    }
    int found = 0;
    {
        sql::Statement version(raw, "PRAGMA user_version;");
        if (!version || version.step() != SQLITE_ROW)
            return Check::Damaged;
        found = version.text(0).toInt();
    }
    if (found > kSchemaVersion || found < 0) {
        // A newer program's file: read what this one knows, change nothing.
        if (!readOnly_) {
            readOnly_ = true;
            closedCleanly_ = true;
            return connect();
        }
        return Check::Newer;
    }
    if (readOnly_)
        return Check::Good;
    if (!db_.exec("PRAGMA journal_mode = WAL;") || !db_.exec("PRAGMA synchronous = NORMAL;"))
        return Check::Failed;
    bool whole = false;
    if (found == kSchemaVersion) {
        sql::Statement check(raw, kAllTables);
        whole = check && check.step() == SQLITE_ROW;
    }
    const Check checked = whole ? Check::Good : upgrade(found);
    if (checked == Check::Good && !readOnly_)
        setAsideMismatched();
    return checked;
}

void UserStore::setAsideMismatched()
{
    QByteArray steps = "BEGIN;";
    std::vector<std::pair<QString, QString>> renamed;
    for (const Columns &table : kColumns) {
        QStringList names;
        {
            sql::Statement s(db_.handle(), QByteArray("PRAGMA table_info(") + table.table + ");");
            while (s && s.step() == SQLITE_ROW)
                names.append(s.text(1));
        }
        names.sort();
        if (names.isEmpty() || names.join(u',') == QLatin1String(table.names))
            continue;
        QString aside = QLatin1String(table.table) + QStringLiteral("_mismatched");
        for (int n = 2;; ++n) {
            sql::Statement taken(db_.handle(), "SELECT count(*) FROM sqlite_schema WHERE name = ?1;");
            taken.bind(1, aside);
            if (!taken || taken.step() != SQLITE_ROW || taken.text(0) == u"0")
                break;
            aside = QLatin1String(table.table) + QStringLiteral("_mismatched_%1").arg(n);
        }
        // Index names are the file's, not the table's: the new table makes its own.
        sql::Statement indexes(db_.handle(), "SELECT name FROM sqlite_schema WHERE type = 'index' AND tbl_name = ?1 AND sql IS NOT NULL;");
        indexes.bind(1, QString::fromLatin1(table.table));
        while (indexes && indexes.step() == SQLITE_ROW)
            steps += "DROP INDEX \"" + indexes.text(0).toUtf8().replace('"', "\"\"") + "\";";
        steps += QByteArray("ALTER TABLE ") + table.table + " RENAME TO " + aside.toUtf8() + ';';
        renamed.emplace_back(QString::fromLatin1(table.table), aside);
    }
    if (renamed.empty())
        return;
    for (const Step &step : kSteps)
        steps += step.sql;
    steps += "COMMIT;";
    if (!db_.exec(steps)) {
        // Left as it was: a change to such a table is told when it fails.
        db_.exec("ROLLBACK;");
        return;
    }
    setAside_.insert(setAside_.end(), renamed.begin(), renamed.end());
}

QString UserStore::readOnlyReason() const
{
    if (!readOnly_)
        return {};
    switch (opened_) {
    case Opened::Newer:
        return QCoreApplication::translate("UserStore", "ملف بياناتك من إصدار أحدث من البرنامج، ففُتح للقراءة فقط كي لا يُفسد هذا الإصدار ما كتبه ذاك؛ "
                                                        "استعمل الإصدار الأحدث لتغيير بياناتك");
    case Opened::NotBackedUp:
        return QCoreApplication::translate("UserStore", "ملف بياناتك من إصدار سابق وتعذر حفظ نسخة منه قبل تحديثه، ففُتح للقراءة فقط؛ "
                                                        "تأكد من إمكان إنشاء ملف النسخة ثم أعد تشغيل البرنامج");
    default:
        return QCoreApplication::translate("UserStore", "ملف بياناتك أو مجلده لا يقبل الكتابة، ففُتح للقراءة فقط؛ "
                                                        "اجعلهما قابلين للكتابة ثم أعد تشغيل البرنامج");
    }
}

UserStore::Check UserStore::upgrade(int found)
{
    if (found > 0 && found < kSchemaVersion && !backUp(found)) {
        // Not moved on without a copy to go back to: shown as it stands.
        readOnly_ = true;
        closedCleanly_ = true;
        notBackedUp_ = true;
        return connect() == Check::Good ? Check::Good : Check::Failed;
    }
    QByteArray steps = "BEGIN;";
    for (const Step &step : kSteps) {
        // A file of the present version that lost a table is given it again.
        if (step.version > found || found == kSchemaVersion)
            steps += step.sql;
    }
    steps += "PRAGMA user_version = " + QByteArray::number(kSchemaVersion) + ";COMMIT;";
    if (!db_.exec(steps)) {
        db_.exec("ROLLBACK;");
        // A healthy file that could not be moved on is left as it is.
        return Check::Failed;
    }
    sql::Statement check(db_.handle(), kAllTables);
    return check && check.step() == SQLITE_ROW ? Check::Good : Check::Damaged;
}

bool UserStore::backUp(int found)
{
    // A consistent copy, also of what still sits in the write-ahead log.
    const QString aside = backup_ = path_ + QStringLiteral(".bak-%1").arg(found);
    if (QFileInfo(aside).isFile())
        QFile::remove(aside);
    sqlite3 *raw = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(aside).constData(), &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    const sql::Database copy(raw);
    if (opened != SQLITE_OK || !copy)
        return false;
    sqlite3_backup *backup = sqlite3_backup_init(raw, "main", db_.handle(), "main");
    if (!backup)
        return false;
    const int stepped = sqlite3_backup_step(backup, -1);
    return sqlite3_backup_finish(backup) == SQLITE_OK && stepped == SQLITE_DONE;
}

bool UserStore::moveAside()
{
    // Keep the damaged file for whoever wants to look at it.
    const QString stamped = path_ + QStringLiteral(".damaged-")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    // A second damage within the same second must not fail for the name.
    QString aside = stamped;
    for (int n = 2; QFileInfo::exists(aside) && n < 100; ++n)
        aside = stamped + u'-' + QString::number(n);
    if (!QFile::rename(path_, aside))
        return false;
    for (const char *suffix : {"-wal", "-shm"})
        QFile::rename(path_ + QLatin1String(suffix), aside + QLatin1String(suffix));
    movedAside_ = aside;
    return true;
}

UserStore::Opened UserStore::open(const QString &path)
{
    opened_ = openFile(path);
    return opened_;
}

UserStore::Opened UserStore::openFile(const QString &path)
{
    path_ = path;
    setAside_.clear();
    movedAside_.clear();
    recovered_ = false;
    notBackedUp_ = false;
    closedCleanly_ = false;
    const QString folder = QFileInfo(path).absolutePath();
    QDir().mkpath(folder);
    const bool existed = QFileInfo::exists(path);
    // A FIFO would block whoever opens it, the header check first of all.
    if (existed && !QFileInfo(path).isFile()) {
        db_ = sql::Database();
        readOnly_ = false;
        return Opened::NotAFile;
    }
    readOnly_ = existed && (!QFileInfo(path).isWritable() || !QFileInfo(folder).isWritable());
    switch (connect()) {
    case Check::Good:
        if (notBackedUp_)
            return Opened::NotBackedUp;
        return readOnly_ ? Opened::ReadOnly : existed ? Opened::Existing : Opened::Fresh;
    case Check::Newer:
        return Opened::Newer;
    case Check::Failed:
        db_ = sql::Database();
        return Opened::Unavailable;
    case Check::Damaged:
        break;
    }
    db_ = sql::Database();
    if (readOnly_ || !moveAside())
        return Opened::Unavailable;
    return connect() == Check::Good ? Opened::MovedAside : Opened::Unavailable;
}

std::vector<std::pair<QString, QString>> UserStore::chosen()
{
    return guarded([this] {
        std::vector<std::pair<QString, QString>> out;
        sql::Statement s(db_.handle(), "SELECT line, id FROM chosen ORDER BY pos;");
        int rc = s ? SQLITE_ROW : SQLITE_ERROR;
        while (s && (rc = s.step()) == SQLITE_ROW)
            out.emplace_back(s.text(0), s.text(1));
        if (rc != SQLITE_DONE)
            noteFailure();
        return out;
    });
}

bool UserStore::finish(sql::Statement &s)
{
    const bool done = s && s.execute();
    if (!done)
        noteFailure();
    return done;
}

bool UserStore::addChosen(const QString &line, const QString &id)
{
    return guarded([&] {
        sql::Statement s(db_.handle(),
                         "INSERT OR REPLACE INTO chosen (line, id, pos) VALUES (?1, ?2, (SELECT coalesce(max(pos), 0) + 1 FROM chosen));");
        s.bind(1, line);
        s.bind(2, id);
        return finish(s);
    });
}

bool UserStore::removeChosen(const QString &line)
{
    return guarded([&] {
        sql::Statement s(db_.handle(), "DELETE FROM chosen WHERE line = ?1;");
        s.bind(1, line);
        return finish(s);
    });
}

QStringList UserStore::history()
{
    return guarded([this] {
        // An entry longer than the search box takes is no search of the
        // reader's; matching it against every keystroke would freeze typing.
        QStringList out;
        sql::Statement s(db_.handle(), "SELECT text FROM history WHERE length(text) <= " + QByteArray::number(kSearchTextLimit)
                             + " ORDER BY used DESC LIMIT " + QByteArray::number(kHistoryLimit) + ';');
        int rc = s ? SQLITE_ROW : SQLITE_ERROR;
        while (s && (rc = s.step()) == SQLITE_ROW)
            out.append(s.text(0));
        if (rc != SQLITE_DONE)
            noteFailure();
        return out;
    });
}

bool UserStore::addHistory(const QString &text)
{
    if (text.isEmpty() || text.size() > kSearchTextLimit)
        return false;
    return guarded([&] {
        if (!db_ || !db_.exec("BEGIN;"))
            return false;
        sql::Statement add(db_.handle(),
                           "INSERT OR REPLACE INTO history (text, used) VALUES (?1, (SELECT coalesce(max(used), 0) + 1 FROM history));");
        add.bind(1, text);
        sql::Statement trim(db_.handle(), "DELETE FROM history WHERE text NOT IN (SELECT text FROM history ORDER BY used DESC LIMIT "
                                              + QByteArray::number(kHistoryLimit) + ");");
        const bool ok = finish(add) && finish(trim);
        return db_.exec(ok ? "COMMIT;" : "ROLLBACK;") && ok;
    });
}

bool UserStore::clearHistory()
{
    return guarded([this] {
        sql::Statement s(db_.handle(), "DELETE FROM history;");
        return finish(s);
    });
}

QByteArray UserStore::value(const QString &key)
{
    return guarded([&] {
        sql::Statement s(db_.handle(), "SELECT value FROM settings WHERE key = ?1;");
        s.bind(1, key);
        const int rc = s ? s.step() : SQLITE_ERROR;
        if (rc != SQLITE_ROW) {
            if (rc != SQLITE_DONE)
                noteFailure();
            return QByteArray();
        }
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(s.handle(), 0)), sqlite3_column_bytes(s.handle(), 0));
    });
}

bool UserStore::setValue(const QString &key, const QByteArray &value)
{
    return guarded([&] {
        sql::Statement s(db_.handle(), "INSERT OR REPLACE INTO settings (key, value) VALUES (?1, ?2);");
        s.bind(1, key);
        if (s)
            sqlite3_bind_blob(s.handle(), 2, value.constData(), int(value.size()), SQLITE_TRANSIENT);
        return finish(s);
    });
}

QByteArray UserStore::peekValue(const QString &path, const QString &key)
{
    // Read only and without the checks of open(): a missing or broken file reads as nothing.
    sqlite3 *handle = nullptr;
    const int rc = QFileInfo(path).isFile()
        ? sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READONLY, nullptr)
        : SQLITE_CANTOPEN;
    const sql::Database db(handle);
    if (rc != SQLITE_OK)
        return QByteArray();
    sql::Statement s(db.handle(), "SELECT value FROM settings WHERE key = ?1;");
    s.bind(1, key);
    if (!s || s.step() != SQLITE_ROW)
        return QByteArray();
    return QByteArray(static_cast<const char *>(sqlite3_column_blob(s.handle(), 0)), sqlite3_column_bytes(s.handle(), 0));
}

} // namespace zarfan
