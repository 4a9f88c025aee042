#pragma once

#include "notesindex.h"

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

struct sqlite3;

namespace zarfan {

class UserStore;

// One aya or a run of ayas of one sura, by their numbers.
struct AyaRange {
    int sura = 0, from = 0, to = 0;
    bool isValid() const;
    // "البقرة : 255" or "البقرة : 255-257".
    QString text() const;
    bool covers(int s, int aya) const { return s == sura && aya >= from && aya <= to; }
    bool operator==(const AyaRange &) const = default;
};

// The database ID of an aya: the ayas are numbered in order from 1; 0 when
// the numbers name no aya.
int ayaIdOf(int sura, int aya);
// A statement listing the ayas of the IDs in the order given.
QString ayasInOrderStatement(const QList<int> &ids);

struct Note {
    qint64 id = 0; // 0 until saved
    AyaRange range;
    QString text;
    QStringList tags;
    QDateTime created, modified;
    QString folded; // text and tags as searched, as last saved
    QString firstLine() const;
};

struct NamedList {
    qint64 id = 0;
    QString name;
};

struct ListAya {
    int sura = 0, aya = 0;
    bool operator==(const ListAya &) const = default;
};

// The reader's notes and named lists, kept in the user store's file beside
// the chosen list. Every change is one transaction; a change that cannot be
// written returns false and leaves the store as it was.
class NotesStore {
public:
    static constexpr int kMaxNoteLength = 100000;
    static constexpr int kMaxTagLength = 100;
    static constexpr int kMaxListNameLength = 200;

    explicit NotesStore(UserStore &store);

    // Ordered by reference.
    std::vector<Note> notes() const;
    std::optional<Note> note(qint64 id) const;
    // The note that begins at the aya, else one whose range covers it.
    std::optional<Note> noteAt(int sura, int aya) const;
    // Inserts (id 0) or updates; sets the id and the times. Text over the
    // limit is refused.
    bool save(Note &note);
    bool remove(qint64 id);
    // Every tag in use, sorted.
    QStringList tags() const;
    // Whether an aya is in some note's range (kept in memory for painting).
    bool hasNote(int ayaId) const;

    // The notes whose folded text and tags hold every typed word.
    std::vector<Note> search(const QString &typed) const;
    // The ayas of those notes, by ID in order.
    QList<int> searchAyas(const QString &typed) const;
    // A search of the notes as of the aya text (operators, mode, scope),
    // from the notes held in memory: read once, kept up to date on save.
    NotesIndex::Answer searchAyas(const QString &typed, const SearchOptions &options, const FoldedText *text) const;

    std::vector<NamedList> lists() const;
    // 0 when the name is empty or taken, or the write failed.
    qint64 createList(const QString &name);
    bool renameList(qint64 list, const QString &name);
    bool removeList(qint64 list);
    std::vector<ListAya> listAyas(qint64 list) const;
    // Ayas already in the list are left where they are.
    bool addToList(qint64 list, const std::vector<ListAya> &ayas);
    bool removeFromList(qint64 list, const ListAya &aya);
    // Moves the aya at from to the place to, the others closing up.
    bool moveInList(qint64 list, int from, int to);

    // What went wrong, in Arabic with what the reader can do; SQLite's own
    // text, when there is one, on a line of its own.
    const QString &lastError() const { return error_; }

    // Moves the notes whose reference names no aya (a file edited by hand
    // or damaged) into a table of their own, where nothing reads them;
    // returns how many. Nothing in a kept row costs more than its ayas.
    int setAsideInvalid();
    static QString setAsideMessage(int count);

    // Tags as one line to read or edit, joined by "، "; a tag holding a
    // comma is quoted, so that the line reads back to the same tags.
    static QString tagsText(const QStringList &tags);
    static QStringList tagsFromText(const QString &text);

    // Folded words of a typed text, as the notes are searched.
    static QStringList searchWords(const QString &typed);
    static QString foldedOf(const QString &text, const QStringList &tags);

private:
    friend class NotesTransfer;
    bool begin();
    bool end(bool ok);
    // Sets the last error from the connection's, or from a refusal of ours.
    void fail(const QString &why = QString()) const;
    void forgetCoverage()
    {
        covered_.reset();
        index_.reset();
    }
    // Appends the ayas the list lacks after its last; how many, -1 on failure.
    static int appendToList(sqlite3 *db, qint64 list, const std::vector<ListAya> &ayas);

    UserStore &store_;
    mutable QString error_;
    mutable std::optional<QSet<int>> covered_;
    mutable std::optional<NotesIndex> index_;
};

} // namespace zarfan
