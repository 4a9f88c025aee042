#pragma once

#include "data/sqlite.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace zarfan {

// The reader's own data: the chosen ayas, the search history and where the
// windows were. One plain SQLite file in the per-user data folder; every
// change is its own transaction, so a killed program loses nothing.
class UserStore {
public:
    static constexpr int kSchemaVersion = 2;
    static constexpr int kHistoryLimit = 50;

    enum class Opened { Fresh, Existing, MovedAside, Unavailable };

    // Opens (or makes) the file. A file that cannot be read as this store is
    // moved aside with a time stamp and a new one is made.
    Opened open(const QString &path);
    bool isOpen() const { return bool(db_); }
    const QString &path() const { return path_; }
    const QString &movedAsideTo() const { return movedAside_; }

    // The per-user file of the program.
    static QString defaultPath();

    // The chosen ayas in their order: line and record ID.
    std::vector<std::pair<QString, QString>> chosen() const;
    bool addChosen(const QString &line, const QString &id);
    bool removeChosen(const QString &line);

    // Search texts, most recent first, each once, at most kHistoryLimit.
    QStringList history() const;
    bool addHistory(const QString &text);
    bool clearHistory();

    QByteArray value(const QString &key) const;
    bool setValue(const QString &key, const QByteArray &value);

    // For the parts of the store kept by other classes (the notes and lists).
    sql::Database &connection() { return db_; }

private:
    bool prepareSchema();
    // From version 1: the notes and the named lists, the old file copied
    // aside first.
    bool upgradeToNotes(int found);

    sql::Database db_;
    QString path_;
    QString movedAside_;
};

} // namespace zarfan
