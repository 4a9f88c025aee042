#include "datacontrol.h"

#include "connectionstring.h"
#include "problems.h"
#include "sqlite.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QHash>
#include <chrono>
#include <ctime>
#include <sqlite3.h>

namespace zarfan {

struct Deadline {
    Deadline() { wall.start(); }
    QElapsedTimer wall;
    std::chrono::nanoseconds start = threadTime();
    bool expired = false;
    unsigned calls = 0;
    // The thread's own time can be no more than the wall clock's, which is
    // cheap to read; the thread's is a system call, asked only once the wall
    // clock has passed the limit.
    bool passed()
    {
        if (!expired && wall.elapsed() > DataControl::kTimeLimitMs)
            expired = threadTime() - start > std::chrono::milliseconds(DataControl::kTimeLimitMs);
        return expired;
    }
    // For a function called once a row.
    bool passedSometimes() { return (++calls % 64 == 0) ? passed() : expired; }
    static std::chrono::nanoseconds threadTime()
    {
        timespec t{};
        if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t) != 0)
            clock_gettime(CLOCK_MONOTONIC, &t);
        return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
    }
};

// One open, keyed, read-only handle per database file and password, shared by
// every data control of the process: keying costs a key derivation, which is
// paid once.
class SharedConnection {
public:
    sql::Database db;
    Deadline *deadline = nullptr; // of the statement stepping now
};

namespace {

QHash<QString, std::weak_ptr<SharedConnection>> &connectionCache()
{
    static QHash<QString, std::weak_ptr<SharedConnection>> cache;
    return cache;
}

int readOnlyAuthorizer(void *, int action, const char *, const char *, const char *, const char *)
{
    switch (action) {
    case SQLITE_SELECT:
    case SQLITE_READ:
    case SQLITE_FUNCTION:
        return SQLITE_OK;
    default:
        return SQLITE_DENY;
    }
}

QByteArray quoted(const QString &text)
{
    QString q = text;
    q.replace(u'\'', QStringLiteral("''"));
    return '\'' + q.toUtf8() + '\'';
}

// The tables and columns every window relies on; the first one missing, or "".
QString missingSchema(sqlite3 *db)
{
    static const struct { const char *table; const char *columns[14]; } schema[] = {
        {"Ayat", {"ID", "soraano", "ayaano", "Ayaa", "AyaaIndex", "chapterNO", "pageno", "taf", "taf2", "AyaaFolded",
                  "tafFolded", "taf2Folded", "tafClean", "taf2Clean"}},
        {"topics_name", {"ID", "Topic_Name", "Topic_No", "Mother_Topic", "Topic_NameFolded"}},
        {"topic_Ayat", {"ID", "Topic_No", "Sura_No", "Ayat_No"}},
        {"Words", {"ID", "soraano", "ayaano", "wordno", "root", "lemma", "rootFolded", "lemmaFolded"}},
        {"Mushaf", {"ID", "page", "quarter", "manzil", "ruku", "sajda", "uthmani"}},
        {"MushafLines", {"page", "line", "kind", "sura", "firstAya", "firstWord", "lastAya", "lastWord"}},
        {"Tajweed", {"ayaId", "spans"}},
    };
    for (const auto &t : schema) {
        sql::Statement info(db, QByteArray("PRAGMA table_info(") + t.table + ");");
        QStringList present;
        while (info && info.step() == SQLITE_ROW)
            present.append(info.text(1));
        for (const char *column : t.columns) {
            if (column && !present.contains(QString::fromLatin1(column), Qt::CaseInsensitive))
                return QString::fromLatin1(t.table) + u'.' + QString::fromLatin1(column);
        }
    }
    return QString();
}

// x LIKE pattern, as the engine's own: % any run, _ one character, ASCII
// letters without regard to case, no escape character. The engine's matcher
// backtracks at every %, which is exponential in their number; this one
// remembers only the last %, so a row costs at most text times pattern.
bool likeMatch(const unsigned char *p, const unsigned char *pEnd, const unsigned char *s, const unsigned char *sEnd)
{
    const auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + 32) : c; };
    const auto nextChar = [](const unsigned char *q, const unsigned char *end) {
        ++q;
        while (q < end && (*q & 0xC0) == 0x80)
            ++q;
        return q;
    };
    const unsigned char *starP = nullptr, *starS = nullptr;
    while (s < sEnd) {
        if (p < pEnd && *p == '%') {
            while (p < pEnd && *p == '%')
                ++p;
            if (p == pEnd)
                return true;
            starP = p;
            starS = s;
            continue;
        }
        if (p < pEnd && *p == '_') {
            ++p;
            s = nextChar(s, sEnd);
            continue;
        }
        if (p < pEnd && lower(*p) == lower(*s)) {
            ++p;
            ++s;
            continue;
        }
        if (!starP)
            return false;
        p = starP;
        s = starS = nextChar(starS, sEnd);
    }
    while (p < pEnd && *p == '%')
        ++p;
    return p == pEnd;
}

void likeFunction(sqlite3_context *context, int, sqlite3_value **argv)
{
    auto *shared = static_cast<SharedConnection *>(sqlite3_user_data(context));
    if (shared->deadline && shared->deadline->passedSometimes()) {
        sqlite3_result_error_code(context, SQLITE_INTERRUPT);
        return;
    }
    const unsigned char *pattern = sqlite3_value_text(argv[0]);
    const int patternBytes = sqlite3_value_bytes(argv[0]);
    const unsigned char *text = sqlite3_value_text(argv[1]);
    const int textBytes = sqlite3_value_bytes(argv[1]);
    if (!pattern || !text)
        return; // NULL, as the engine gives
    if (patternBytes > 50000) {
        if (shared->deadline)
            shared->deadline->expired = true; // too complex, as a pattern that runs too long
        sqlite3_result_error(context, "LIKE or GLOB pattern too complex", -1);
        return;
    }
    sqlite3_result_int(context, likeMatch(pattern, pattern + patternBytes, text, text + textBytes) ? 1 : 0);
}

QString cacheKey(const ConnectionTarget &target) { return target.path + QChar(0) + target.password; }

// The shared connection, keyed once; apart: one of the caller's own, out of
// the shared ones, telling no problem (a worker thread's).
std::shared_ptr<SharedConnection> openShared(const ConnectionTarget &target, bool apart = false)
{
    const QString key = cacheKey(target);
    if (auto existing = apart ? nullptr : connectionCache().value(key).lock())
        return existing;
    const auto tell = [apart](const QString &message) {
        if (!apart)
            reportProblem(message);
    };

    const QFileInfo info(target.path);
    if (!info.exists()) {
        tell(problem::databaseMissing(target.path));
        return {};
    }
    if (!info.isFile()) {
        tell(problem::databaseNotAFile(target.path));
        return {};
    }
    if (!info.isReadable()) {
        tell(problem::databaseNoPermission(target.path));
        return {};
    }
    sqlite3 *raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(target.path).constData(), &raw,
                                   SQLITE_OPEN_READONLY, nullptr);
    auto shared = std::make_shared<SharedConnection>();
    shared->db = sql::Database(raw);
    bool ok = rc == SQLITE_OK;
    ok = ok && shared->db.exec("PRAGMA key = " + quoted(target.password) + ";");
    ok = ok && shared->db.exec("PRAGMA cache_size = -65536;");
    if (ok) {
        sql::Statement check(raw, "SELECT count(*) FROM sqlite_master;");
        ok = check && check.step() == SQLITE_ROW;
    }
    if (!ok) {
        tell(problem::databaseUnreadable(target.path));
        return {};
    }
    const QString missing = missingSchema(raw);
    if (!missing.isEmpty()) {
        tell(problem::databaseDamaged(missing));
        return {};
    }
    sqlite3_create_function_v2(raw, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, shared.get(), likeFunction,
                               nullptr, nullptr, nullptr);
    sqlite3_set_authorizer(raw, readOnlyAuthorizer, nullptr);
    if (!apart)
        connectionCache().insert(key, shared);
    return shared;
}

bool isDamage(int code)
{
    const int primary = code & 0xff;
    return primary == SQLITE_CORRUPT || primary == SQLITE_NOTADB || primary == SQLITE_IOERR;
}

bool isSchemaError(const QString &message)
{
    return message.startsWith(u"no such table") || message.startsWith(u"no such column");
}

} // namespace

void closeSharedConnections() { connectionCache().clear(); }

bool sqlLike(const QByteArray &pattern, const QByteArray &text)
{
    const auto *p = reinterpret_cast<const unsigned char *>(pattern.constData());
    const auto *s = reinterpret_cast<const unsigned char *>(text.constData());
    return likeMatch(p, p + pattern.size(), s, s + text.size());
}

DataControl::DataControl() = default;
DataControl::~DataControl() = default;

void DataControl::setConnectionString(const QString &connection)
{
    connection_ = connection;
    db_.reset();
}

void DataControl::setRecordSource(const QString &sql) { source_ = sql; }

void DataControl::clearRows()
{
    columns_.clear();
    cells_.clear();
    ends_.clear();
    rows_ = 0;
    current_ = 0;
}

bool DataControl::open()
{
    if (db_)
        return true;
    const ConnectionTarget target = parseConnectionString(connection_);
    if (!target.valid)
        return false;
    db_ = openShared(target, apart_);
    return db_ != nullptr;
}

void DataControl::share()
{
    clearRows();
    if (!apart_ || !db_)
        return;
    apart_ = false;
    const QString key = cacheKey(parseConnectionString(connection_));
    if (auto existing = connectionCache().value(key).lock())
        db_ = existing;
    else
        connectionCache().insert(key, db_);
}

namespace {
int stopWhenLate(void *data) { return static_cast<Deadline *>(data)->passed() ? 1 : 0; }

// Where a cut cell ends: never inside a UTF-8 sequence.
int cutUtf8(const char *p, int bytes)
{
    if (bytes <= DataControl::kCellByteLimit)
        return bytes;
    int end = DataControl::kCellByteLimit;
    while (end > 0 && (static_cast<unsigned char>(p[end]) & 0xC0) == 0x80)
        --end;
    return end;
}
} // namespace

bool DataControl::refresh()
{
    clearRows();
    failure_ = Failure::Failed;
    if (!open())
        return false;
    sqlite3 *raw = db_->db.handle();
    sql::Statement stmt(raw, source_.toUtf8());
    if (!stmt || stmt.hadTrailingStatement()) {
        const QString error = stmt ? QStringLiteral("more than one statement") : db_->db.errorMessage();
        if (!apart_ && (isDamage(sqlite3_extended_errcode(raw)) || isSchemaError(error)))
            reportProblem(problem::databaseDamaged(error));
        return false;
    }
    const int columnCount = stmt.columnCount();
    std::vector<bool> copy(std::size_t(columnCount), true);
    for (int c = 0; c < columnCount; ++c) {
        columns_.append(QString::fromUtf8(stmt.columnName(c)));
        if (!copied_.isEmpty())
            copy[std::size_t(c)] = copied_.contains(columns_.last(), Qt::CaseInsensitive);
    }
    sqlite3_stmt *h = stmt.handle();
    Deadline deadline;
    sqlite3_progress_handler(raw, 4000, stopWhenLate, &deadline);
    db_->deadline = &deadline;
    int rc;
    while ((rc = stmt.step()) == SQLITE_ROW) {
        for (int c = 0; c < columnCount; ++c) {
            const auto *p = copy[std::size_t(c)] ? reinterpret_cast<const char *>(sqlite3_column_text(h, c)) : nullptr;
            if (p)
                cells_.append(p, std::size_t(cutUtf8(p, sqlite3_column_bytes(h, c))));
            ends_.push_back(cells_.size());
        }
        ++rows_;
    }
    sqlite3_progress_handler(raw, 0, nullptr, nullptr);
    db_->deadline = nullptr;
    if (rc != SQLITE_DONE) {
        if (deadline.expired) {
            failure_ = Failure::TooComplex;
        } else if (!apart_) {
            // The statement prepared, so the text was sound: an error while
            // stepping is the file's. This engine reports some damage as a
            // generic error.
            reportProblem(problem::databaseDamaged(db_->db.errorMessage()));
        }
        clearRows();
        return false;
    }
    failure_ = Failure::None;
    return true;
}

void DataControl::moveNext()
{
    if (current_ < rows_)
        ++current_;
}

int DataControl::column(QStringView name) const
{
    for (int c = 0; c < columns_.size(); ++c) {
        if (name.compare(columns_.at(c), Qt::CaseInsensitive) == 0)
            return c;
    }
    return -1;
}

std::string_view DataControl::fieldBytes(int c) const
{
    if (c < 0 || c >= columns_.size() || current_ >= rows_)
        return {};
    const std::size_t cell = std::size_t(current_) * std::size_t(columns_.size()) + std::size_t(c);
    const std::size_t begin = cell == 0 ? 0 : ends_[cell - 1];
    return std::string_view(cells_.data() + begin, ends_[cell] - begin);
}

QString DataControl::field(int c) const
{
    const std::string_view bytes = fieldBytes(c);
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

} // namespace zarfan
