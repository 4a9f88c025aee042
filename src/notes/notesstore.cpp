#include "notesstore.h"

#include "browse/suratables.h"
#include "data/userstore.h"
#include "notesschema.h"
#include "search/arabicfolding.h"

#include <sqlite3.h>
#include <algorithm>
#include <QCoreApplication>

namespace zarfan {

using namespace notesschema;

namespace {
QStringList cleanTags(const QStringList &tags)
{
    QStringList out;
    for (const QString &tag : tags) {
        const QString t = tag.simplified();
        if (!t.isEmpty() && !out.contains(t))
            out.append(t);
    }
    return out;
}

bool tooLong(const QStringList &tags)
{
    return std::any_of(tags.begin(), tags.end(), [](const QString &t) { return t.size() > NotesStore::kMaxTagLength; });
}
} // namespace

bool AyaRange::isValid() const
{
    return sura >= 1 && sura <= SuraTables::kSuraCount && from >= 1 && from <= to && to <= SuraTables::ayaCount(sura);
}

QString AyaRange::text() const
{
    return SuraTables::reference(sura, from == to ? QString::number(from) : QStringLiteral("%1-%2").arg(from).arg(to));
}

int ayaIdOf(int sura, int aya)
{
    if (!AyaRange{sura, aya, aya}.isValid())
        return 0;
    static const std::vector<int> before = [] {
        std::vector<int> b(SuraTables::kSuraCount + 1, 0);
        for (int s = 2; s <= SuraTables::kSuraCount; ++s)
            b[std::size_t(s)] = b[std::size_t(s - 1)] + SuraTables::ayaCount(s - 1);
        return b;
    }();
    return before[std::size_t(sura)] + aya;
}

QString ayasInOrderStatement(const QList<int> &ids)
{
    QStringList numbers;
    for (const int id : ids)
        numbers.append(QString::number(id));
    const QString list = numbers.join(u',');
    return QStringLiteral("SELECT *  FROM Ayat where ID in (%1) order by instr(',%1,', ',' || ID || ',')").arg(list);
}

QString Note::firstLine() const
{
    const QString trimmed = text.trimmed();
    return trimmed.left(trimmed.indexOf(u'\n')).trimmed();
}

NotesStore::NotesStore(UserStore &store) : store_(store) {}

QStringList NotesStore::searchWords(const QString &typed)
{
    return foldArabic(typed).split(u' ', Qt::SkipEmptyParts);
}

QString NotesStore::foldedOf(const QString &text, const QStringList &tags)
{
    return foldArabic(text + u' ' + tags.join(u' '));
}

QString NotesStore::tagsText(const QStringList &tags)
{
    QStringList parts;
    for (const QString &tag : tags) {
        const bool quote = tag.contains(u',') || tag.contains(u'،') || tag.startsWith(u'"');
        parts.append(quote ? u'"' + QString(tag).replace(u'"', QStringLiteral("\"\"")) + u'"' : tag);
    }
    return parts.join(QCoreApplication::translate("zarfan::NotesStore", "، "));
}

QStringList NotesStore::tagsFromText(const QString &text)
{
    QStringList tags;
    QString part;
    bool quoted = false;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const QChar c = i < text.size() ? text.at(i) : QChar(u',');
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text.at(i + 1) == u'"') {
                part += c;
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else if (i < text.size()) {
                part += c;
            } else {
                quoted = false; // an unclosed quote ends with the text
                --i;
            }
        } else if (c == u'"' && part.trimmed().isEmpty()) {
            part.clear();
            quoted = true;
        } else if (c == u',' || c == u'،') {
            part = part.simplified();
            if (!part.isEmpty() && !tags.contains(part))
                tags.append(part);
            part.clear();
        } else {
            part += c;
        }
    }
    return tags;
}

std::vector<Note> NotesStore::notes() const
{
    std::vector<Note> out;
    sql::Statement s(store_.connection().handle(), QByteArray(kNoteColumns) + "ORDER BY sura, first, last, id;");
    while (s && s.step() == SQLITE_ROW) {
        // A row that names no aya is left where a read-only file keeps it.
        if (Note n = noteFrom(s); n.range.isValid())
            out.push_back(std::move(n));
    }
    return out;
}

std::optional<Note> NotesStore::note(qint64 id) const
{
    sql::Statement s(store_.connection().handle(), QByteArray(kNoteColumns) + "WHERE id = ?1;");
    if (!s)
        return std::nullopt;
    s.bind(1, id);
    if (s.step() != SQLITE_ROW)
        return std::nullopt;
    return noteFrom(s);
}

std::optional<Note> NotesStore::noteAt(int sura, int aya) const
{
    sql::Statement s(store_.connection().handle(), QByteArray(kNoteColumns)
                         + "WHERE sura = ?1 AND first <= ?2 AND last >= ?2 ORDER BY first = ?2 DESC, last - first, id LIMIT 1;");
    if (!s)
        return std::nullopt;
    s.bind(1, qint64(sura));
    s.bind(2, qint64(aya));
    if (s.step() != SQLITE_ROW)
        return std::nullopt;
    return noteFrom(s);
}

bool NotesStore::save(Note &note)
{
    if (!note.range.isValid()) {
        fail(QCoreApplication::translate("zarfan::NotesStore", "مرجع الآية خارج المدى، فلم تحفظ الخاطرة"));
        return false;
    }
    if (note.text.size() > kMaxNoteLength) {
        fail(QCoreApplication::translate("zarfan::NotesStore", "الخاطرة أطول من %1 حرف، فقصّرها ثم احفظها").arg(kMaxNoteLength));
        return false;
    }
    if (tooLong(cleanTags(note.tags))) {
        fail(QCoreApplication::translate("zarfan::NotesStore", "في الوسوم وسم أطول من %1 حرف، فقصّره ثم احفظ الخاطرة").arg(kMaxTagLength));
        return false;
    }
    if (!begin())
        return false;
    const QDateTime now = QDateTime::currentDateTime();
    const QStringList tags = cleanTags(note.tags);
    const QDateTime created = note.created.isValid() ? note.created : now;
    const QDateTime modified = note.id == 0 && note.modified.isValid() ? note.modified : now;
    sql::Statement s(store_.connection().handle(),
                     note.id == 0 ? "INSERT INTO notes (sura, first, last, text, tags, folded, created, modified) "
                                    "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8);"
                                  : "UPDATE notes SET sura = ?1, first = ?2, last = ?3, text = ?4, tags = ?5, folded = ?6, "
                                    "created = ?7, modified = ?8 WHERE id = ?9;");
    if (s) {
        s.bind(1, qint64(note.range.sura));
        s.bind(2, qint64(note.range.from));
        s.bind(3, qint64(note.range.to));
        s.bind(4, note.text);
        s.bind(5, tags.join(kTagSeparator));
        s.bind(6, foldedOf(note.text, tags));
        s.bind(7, created.toMSecsSinceEpoch());
        s.bind(8, modified.toMSecsSinceEpoch());
        if (note.id != 0)
            s.bind(9, note.id);
    }
    bool ok = s && s.execute();
    if (ok && sqlite3_changes(store_.connection().handle()) != 1) {
        ok = false;
        fail(QCoreApplication::translate("zarfan::NotesStore", "لم تعد هذه الخاطرة في ملف بياناتك (حذفت من نافذة أخرى)، فانسخ نصها واحفظه خاطرة جديدة"));
    }
    const qint64 id = note.id != 0 ? note.id : sqlite3_last_insert_rowid(store_.connection().handle());
    if (!end(ok))
        return false;
    note.id = id;
    note.tags = tags;
    note.created = created;
    note.modified = modified;
    note.folded = foldedOf(note.text, tags);
    covered_.reset();
    if (index_)
        index_->put(note);
    return true;
}

bool NotesStore::remove(qint64 id)
{
    if (!begin())
        return false;
    sql::Statement s(store_.connection().handle(), "DELETE FROM notes WHERE id = ?1;");
    if (s)
        s.bind(1, id);
    const bool ok = end(s && s.execute());
    covered_.reset();
    if (index_ && ok)
        index_->remove(id);
    return ok;
}

QStringList NotesStore::tags() const
{
    QSet<QString> seen;
    sql::Statement s(store_.connection().handle(), "SELECT DISTINCT tags FROM notes WHERE tags <> '';");
    while (s && s.step() == SQLITE_ROW) {
        for (const QString &tag : s.text(0).split(kTagSeparator, Qt::SkipEmptyParts))
            seen.insert(tag);
    }
    QStringList out(seen.cbegin(), seen.cend());
    std::sort(out.begin(), out.end());
    return out;
}

bool NotesStore::hasNote(int ayaId) const
{
    if (!covered_) {
        covered_.emplace();
        sql::Statement s(store_.connection().handle(), "SELECT DISTINCT sura, first, last FROM notes;");
        while (s && s.step() == SQLITE_ROW) {
            const AyaRange r = rangeOf(s, 0);
            for (int aya = r.from; r.isValid() && aya <= r.to; ++aya)
                covered_->insert(ayaIdOf(r.sura, aya));
        }
    }
    return covered_->contains(ayaId);
}

namespace {
// The notes' columns where the folded text holds every word.
sql::Statement matching(sqlite3 *db, const QByteArray &columns, const QStringList &words)
{
    QByteArray where = " WHERE 1";
    for (int i = 1; i <= words.size(); ++i)
        where += " AND instr(folded, ?" + QByteArray::number(i) + ") > 0";
    sql::Statement s(db, columns + where + " ORDER BY sura, first, last, id;");
    for (int i = 0; s && i < words.size(); ++i)
        s.bind(i + 1, words.at(i));
    return s;
}
} // namespace

std::vector<Note> NotesStore::search(const QString &typed) const
{
    std::vector<Note> out;
    const QStringList words = searchWords(typed);
    if (words.isEmpty())
        return out;
    sql::Statement s = matching(store_.connection().handle(), QByteArray(kNoteColumns).trimmed(), words);
    while (s && s.step() == SQLITE_ROW) {
        if (Note n = noteFrom(s); n.range.isValid())
            out.push_back(std::move(n));
    }
    return out;
}

NotesIndex::Answer NotesStore::searchAyas(const QString &typed, const SearchOptions &options, const FoldedText *text) const
{
    if (!index_) {
        index_.emplace();
        index_->build(notes());
    }
    return index_->search(typed, options, text);
}

QList<int> NotesStore::searchAyas(const QString &typed) const { return searchAyas(typed, SearchOptions(), nullptr).ayas; }

std::vector<NamedList> NotesStore::lists() const
{
    std::vector<NamedList> out;
    sql::Statement s(store_.connection().handle(), "SELECT id, name FROM lists ORDER BY name;");
    while (s && s.step() == SQLITE_ROW)
        out.push_back({s.text(0).toLongLong(), s.text(1)});
    return out;
}

namespace {
QString listNameRefused(const QString &n)
{
    if (n.isEmpty())
        return QCoreApplication::translate("zarfan::NotesStore", "اسم القائمة فارغ، فاكتب لها اسما");
    if (n.size() > NotesStore::kMaxListNameLength)
        return QCoreApplication::translate("zarfan::NotesStore", "اسم القائمة أطول من %1 حرف، فاختر اسما أقصر").arg(NotesStore::kMaxListNameLength);
    return {};
}
} // namespace

qint64 NotesStore::createList(const QString &name)
{
    const QString n = name.simplified();
    if (const QString refused = listNameRefused(n); !refused.isEmpty()) {
        fail(refused);
        return 0;
    }
    if (!begin())
        return 0;
    sql::Statement s(store_.connection().handle(), "INSERT INTO lists (name) VALUES (?1);");
    if (s)
        s.bind(1, n);
    const bool ok = s && s.execute();
    const qint64 id = sqlite3_last_insert_rowid(store_.connection().handle());
    return end(ok) ? id : 0;
}

bool NotesStore::renameList(qint64 list, const QString &name)
{
    const QString n = name.simplified();
    if (const QString refused = listNameRefused(n); !refused.isEmpty()) {
        fail(refused);
        return false;
    }
    if (!begin())
        return false;
    sql::Statement s(store_.connection().handle(), "UPDATE lists SET name = ?1 WHERE id = ?2;");
    if (s) {
        s.bind(1, n);
        s.bind(2, list);
    }
    return end(s && s.execute() && sqlite3_changes(store_.connection().handle()) == 1);
}

bool NotesStore::removeList(qint64 list)
{
    if (!begin())
        return false;
    sql::Statement ayas(store_.connection().handle(), "DELETE FROM list_ayas WHERE list = ?1;");
    sql::Statement named(store_.connection().handle(), "DELETE FROM lists WHERE id = ?1;");
    if (ayas && named) {
        ayas.bind(1, list);
        named.bind(1, list);
    }
    return end(ayas && named && ayas.execute() && named.execute());
}

std::vector<ListAya> NotesStore::listAyas(qint64 list) const
{
    std::vector<ListAya> out;
    sql::Statement s(store_.connection().handle(), "SELECT sura, aya FROM list_ayas WHERE list = ?1 ORDER BY pos;");
    if (s)
        s.bind(1, list);
    while (s && s.step() == SQLITE_ROW)
        out.push_back({s.text(0).toInt(), s.text(1).toInt()});
    return out;
}

int NotesStore::appendToList(sqlite3 *db, qint64 list, const std::vector<ListAya> &ayas)
{
    // The last place read once; each aya then found by its key.
    qint64 pos = 0;
    {
        sql::Statement last(db, "SELECT coalesce(max(pos), 0) FROM list_ayas WHERE list = ?1;");
        if (!last)
            return -1;
        last.bind(1, list);
        if (last.step() != SQLITE_ROW)
            return -1;
        pos = sqlite3_column_int64(last.handle(), 0);
    }
    sql::Statement s(db, "INSERT OR IGNORE INTO list_ayas (list, sura, aya, pos) VALUES (?1, ?2, ?3, ?4);");
    if (!s)
        return -1;
    int added = 0;
    for (const ListAya &a : ayas) {
        if (!AyaRange{a.sura, a.aya, a.aya}.isValid())
            continue;
        s.reset();
        s.bind(1, list);
        s.bind(2, qint64(a.sura));
        s.bind(3, qint64(a.aya));
        s.bind(4, pos + 1);
        if (!s.execute())
            return -1;
        if (sqlite3_changes(db) == 1) {
            ++pos;
            ++added;
        }
    }
    return added;
}

bool NotesStore::addToList(qint64 list, const std::vector<ListAya> &ayas)
{
    if (!begin())
        return false;
    const bool ok = appendToList(store_.connection().handle(), list, ayas) >= 0;
    return end(ok);
}

bool NotesStore::removeFromList(qint64 list, const ListAya &aya)
{
    if (!begin())
        return false;
    sql::Statement s(store_.connection().handle(), "DELETE FROM list_ayas WHERE list = ?1 AND sura = ?2 AND aya = ?3;");
    if (s) {
        s.bind(1, list);
        s.bind(2, qint64(aya.sura));
        s.bind(3, qint64(aya.aya));
    }
    return end(s && s.execute());
}

bool NotesStore::moveInList(qint64 list, int from, int to)
{
    std::vector<ListAya> ayas = listAyas(list);
    const int n = int(ayas.size());
    if (from < 0 || from >= n || to < 0 || to >= n)
        return false;
    if (from == to)
        return true;
    const ListAya moved = ayas[std::size_t(from)];
    ayas.erase(ayas.begin() + from);
    ayas.insert(ayas.begin() + to, moved);
    if (!begin())
        return false;
    sql::Statement s(store_.connection().handle(), "UPDATE list_ayas SET pos = ?4 WHERE list = ?1 AND sura = ?2 AND aya = ?3;");
    bool ok = bool(s);
    for (int i = 0; ok && i < n; ++i) {
        s.reset();
        s.bind(1, list);
        s.bind(2, qint64(ayas[std::size_t(i)].sura));
        s.bind(3, qint64(ayas[std::size_t(i)].aya));
        s.bind(4, qint64(i + 1));
        ok = s.execute();
    }
    return end(ok);
}

} // namespace zarfan
