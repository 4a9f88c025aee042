#include "notesschema.h"

#include "data/userstore.h"

#include <QCoreApplication>
#include <sqlite3.h>

namespace zarfan {

namespace notesschema {

AyaRange rangeOf(sql::Statement &s, int first)
{
    int v[3] = {};
    for (int i = 0; i < 3; ++i) {
        const qint64 n = sqlite3_column_type(s.handle(), first + i) == SQLITE_INTEGER ? sqlite3_column_int64(s.handle(), first + i) : 0;
        v[i] = n >= 0 && n <= 100000 ? int(n) : 0;
    }
    return {v[0], v[1], v[2]};
}

Note noteFrom(sql::Statement &s)
{
    Note n;
    n.id = sqlite3_column_int64(s.handle(), 0);
    // Far past the limits (written by another program into a file kept read
    // only): not even read, and shown nowhere, as a row that names no aya.
    constexpr int kMaxBytes = 4 * NotesStore::kMaxNoteLength;
    if (sqlite3_column_bytes(s.handle(), 4) > kMaxBytes || sqlite3_column_bytes(s.handle(), 5) > kMaxBytes)
        return n;
    n.range = rangeOf(s, 1);
    n.text = s.text(4);
    n.tags = s.text(5).split(kTagSeparator, Qt::SkipEmptyParts);
    // In UTC: no time zone is looked up for thousands of notes.
    n.created = QDateTime::fromMSecsSinceEpoch(sqlite3_column_int64(s.handle(), 6), Qt::UTC);
    n.modified = QDateTime::fromMSecsSinceEpoch(sqlite3_column_int64(s.handle(), 7), Qt::UTC);
    n.folded = s.text(8);
    return n;
}

QString explained(sqlite3 *db)
{
    if (!db)
        return QCoreApplication::translate("zarfan::NotesStore", "لا يوجد ملف لبيانات المستخدم، فلن تحفظ التغييرات في هذه الجلسة");
    const int code = sqlite3_extended_errcode(db);
    const QString detail = QString::fromUtf8(sqlite3_errmsg(db));
    QString what;
    if (code == SQLITE_CONSTRAINT_UNIQUE && detail.contains(u"lists.name"))
        what = QCoreApplication::translate("zarfan::NotesStore", "توجد قائمة بهذا الاسم، فاختر اسما آخر");
    else if ((code & 0xff) == SQLITE_READONLY)
        what = QCoreApplication::translate("zarfan::NotesStore", "ملف بياناتك لا يقبل الكتابة الآن، فلم يحفظ التغيير. تأكد أن الملف ومجلده قابلان للكتابة ثم أعد تشغيل البرنامج");
    else if ((code & 0xff) == SQLITE_FULL)
        what = QCoreApplication::translate("zarfan::NotesStore", "لا مكان في القرص، فلم يحفظ التغيير. أفرغ مكانا ثم أعد المحاولة");
    else if ((code & 0xff) == SQLITE_BUSY || (code & 0xff) == SQLITE_LOCKED)
        what = QCoreApplication::translate("zarfan::NotesStore", "ملف بياناتك مشغول ببرنامج آخر، فلم يحفظ التغيير. أعد المحاولة بعد قليل");
    else if ((code & 0xff) == SQLITE_ERROR && (detail.contains(u"no such") || detail.contains(u"has no column")))
        what = QCoreApplication::translate("zarfan::NotesStore", "ملف بياناتك لا يطابق ما يعرفه هذا الإصدار من البرنامج (جدول أو عمود ناقص)، فلم يحفظ التغيير. "
                              "انقل الملف جانبا ليبدأ البرنامج بملف جديد، أو استعمل الإصدار الذي كتبه");
    else if ((code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB)
        what = QCoreApplication::translate("zarfan::NotesStore", "ملف بياناتك تالف، فلم يحفظ التغيير. أعد تشغيل البرنامج لينقله جانبا ويبدأ بملف جديد");
    else
        what = QCoreApplication::translate("zarfan::NotesStore", "تعذرت الكتابة في ملف بياناتك، فلم يحفظ التغيير. أعد المحاولة، وإن تكرر فأعد تشغيل البرنامج");
    return code == SQLITE_OK ? what : what + u'\n' + detail;
}

} // namespace notesschema

using namespace notesschema;

bool NotesStore::begin()
{
    error_.clear();
    if (!store_.isOpen()) {
        fail();
        return false;
    }
    if (store_.isReadOnly()) {
        fail(QCoreApplication::translate("NotesStore", "لم يحفظ التغيير: %1").arg(store_.readOnlyReason()));
        return false;
    }
    if (store_.connection().exec("BEGIN IMMEDIATE;"))
        return true;
    fail();
    return false;
}

void NotesStore::fail(const QString &why) const
{
    error_ = why.isEmpty() ? explained(store_.isOpen() ? store_.connection().handle() : nullptr) : why;
}

bool NotesStore::end(bool ok)
{
    if (ok && store_.connection().exec("COMMIT;"))
        return true;
    if (error_.isEmpty())
        fail();
    store_.connection().exec("ROLLBACK;");
    return false;
}

int NotesStore::setAsideInvalid()
{
    if (!store_.isOpen())
        return 0;
    sqlite3 *db = store_.connection().handle();
    QList<qint64> invalid;
    {
        // Rows past the limits that saving and importing keep are set aside
        // too: one would cost the notes window minutes and gigabytes.
        sql::Statement s(db, "SELECT id, sura, first, last, length(text) > ?1 OR length(tags) > ?1 FROM notes;");
        if (s)
            s.bind(1, qint64(kMaxNoteLength));
        while (s && s.step() == SQLITE_ROW) {
            if (!rangeOf(s, 1).isValid() || sqlite3_column_int(s.handle(), 4) != 0)
                invalid.append(sqlite3_column_int64(s.handle(), 0));
        }
    }
    if (invalid.isEmpty() || store_.isReadOnly() || !begin())
        return 0;
    bool ok = store_.connection().exec("CREATE TABLE IF NOT EXISTS notes_set_aside AS SELECT * FROM notes WHERE 0;");
    sql::Statement keep(db, "INSERT INTO notes_set_aside SELECT * FROM notes WHERE id = ?1;");
    sql::Statement drop(db, "DELETE FROM notes WHERE id = ?1;");
    for (const qint64 id : invalid) {
        if (!ok || !keep || !drop)
            break;
        keep.reset();
        keep.bind(1, id);
        drop.reset();
        drop.bind(1, id);
        ok = keep.execute() && drop.execute();
    }
    forgetCoverage();
    return end(ok && keep && drop) ? int(invalid.size()) : 0;
}

QString NotesStore::setAsideMessage(int count)
{
    return QCoreApplication::translate("NotesStore", "في ملف بياناتك %1 من الخواطر بمرجع لا يدل على آيات (رقم سورة أو آية خارج المدى) "
                                                     "أو بنص أو وسوم أطول من %2 حرف، فنُحّيت جانبا في جدول notes_set_aside داخل الملف "
                                                     "ولن تظهر. بقية خواطرك كما هي؛ ويمكنك كتابة تلك الخواطر من جديد على آياتها")
        .arg(count)
        .arg(kMaxNoteLength);
}

} // namespace zarfan
