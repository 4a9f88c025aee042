#pragma once

#include "data/sqlite.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

namespace zarfan {

// The reader's own data: the chosen ayas, the search history and where the
// windows were. One plain SQLite file in the per-user data folder; every
// change is its own transaction, so a killed program loses nothing.
class UserStore {
public:
    static constexpr int kSchemaVersion = 3;
    static constexpr int kHistoryLimit = 50;
    // The longest text the search box takes; a longer entry is no search.
    static constexpr int kSearchTextLimit = 32767;

    // ReadOnly: the file or its folder cannot be written; what it holds is
    // shown, changes are not kept. Newer: a later program's file, read only.
    // NotBackedUp: an earlier program's file that could not be copied aside
    // before it was moved on; left as it was and read only.
    // NotAFile: something other than a regular file (a FIFO, a device, a
    // folder) is where the file goes; it is not opened, not even to look.
    enum class Opened { Fresh, Existing, MovedAside, ReadOnly, Newer, NotBackedUp, Unavailable, NotAFile };

    // Opens (or makes) the file and checks all of it. A damaged file is moved
    // aside with a time stamp and a new one is made.
    Opened open(const QString &path);
    bool isOpen() const { return bool(db_); }
    bool isReadOnly() const { return readOnly_; }
    const QString &path() const { return path_; }
    const QString &movedAsideTo() const { return movedAside_; }
    // Where the copy of an earlier version's file is made before it is moved on.
    const QString &backupPath() const { return backup_; }
    // How the file was last opened.
    Opened openedAs() const { return opened_; }
    // Why changes are not kept, in Arabic, when the file is read only.
    QString readOnlyReason() const;
    // Tables whose columns this version does not know, each renamed aside
    // inside the file (as "table" and the name it now has) and made anew.
    const std::vector<std::pair<QString, QString>> &setAsideTables() const { return setAside_; }

    // Damage met after opening is handled like damage at opening: the file
    // is moved aside, a fresh one made, and this is called once with the new
    // name before the work that met it is done again.
    void setDamageHandler(std::function<void(const QString &aside)> handler) { onDamage_ = std::move(handler); }

    // The per-user file of the program.
    static QString defaultPath();

    // The chosen ayas in their order: line and record ID.
    std::vector<std::pair<QString, QString>> chosen();
    bool addChosen(const QString &line, const QString &id);
    bool removeChosen(const QString &line);

    // Search texts, most recent first, each once, at most kHistoryLimit.
    QStringList history();
    bool addHistory(const QString &text);
    bool clearHistory();

    QByteArray value(const QString &key);
    bool setValue(const QString &key, const QByteArray &value);
    // A setting read before the store is opened (by this or another running copy).
    static QByteArray peekValue(const QString &path, const QString &key);

    // For the parts of the store kept by other classes (the notes and lists).
    sql::Database &connection() { return db_; }

private:
    enum class Check { Good, Damaged, Newer, Failed };
    Opened openFile(const QString &path);
    Check connect();
    bool moveAside();
    // Marks the file damaged when the connection's last failure says so.
    void noteFailure();
    // Steps a statement to its end, noting a failure.
    bool finish(sql::Statement &s);
    template <typename Work>
    auto guarded(Work work);
    // Moves a file of an earlier version on to this one, the old file copied
    // aside first; also gives a file of this version a table it lost.
    Check upgrade(int found);
    bool backUp(int found);
    // Renames aside every table whose columns are not this version's and
    // makes it anew; the other tables are left as they are.
    void setAsideMismatched();

    sql::Database db_;
    QString path_;
    QString movedAside_;
    QString backup_;
    bool readOnly_ = false;
    bool damaged_ = false;
    bool recovered_ = false;
    bool notBackedUp_ = false;
    bool closedCleanly_ = false;
    std::function<void(const QString &)> onDamage_;
    Opened opened_ = Opened::Unavailable;
    std::vector<std::pair<QString, QString>> setAside_;
};

} // namespace zarfan
