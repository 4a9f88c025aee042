#include "notestransfer.h"

#include "data/userstore.h"
#include "memorise/memoriseprogress.h"
#include "notesstore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <sqlite3.h>

namespace zarfan {

namespace {
const QString kFormat = QStringLiteral("zarfan-notes");

QString isoOf(const QDateTime &t) { return t.toUTC().toString(Qt::ISODateWithMs); }

int intOf(const QJsonValue &v) { return v.isDouble() && v.toDouble() == int(v.toDouble()) ? int(v.toDouble()) : 0; }
} // namespace

QByteArray NotesTransfer::toJson(const NotesStore &store)
{
    QJsonArray notes;
    for (const Note &n : store.notes()) {
        notes.append(QJsonObject{{QStringLiteral("sura"), n.range.sura},
                                 {QStringLiteral("from"), n.range.from},
                                 {QStringLiteral("to"), n.range.to},
                                 {QStringLiteral("text"), n.text},
                                 {QStringLiteral("tags"), QJsonArray::fromStringList(n.tags)},
                                 {QStringLiteral("created"), isoOf(n.created)},
                                 {QStringLiteral("modified"), isoOf(n.modified)}});
    }
    QJsonArray lists;
    for (const NamedList &l : store.lists()) {
        QJsonArray ayas;
        for (const ListAya &a : store.listAyas(l.id))
            ayas.append(QJsonObject{{QStringLiteral("sura"), a.sura}, {QStringLiteral("aya"), a.aya}});
        lists.append(QJsonObject{{QStringLiteral("name"), l.name}, {QStringLiteral("ayas"), ayas}});
    }
    const QJsonObject root{{QStringLiteral("format"), kFormat},
                           {QStringLiteral("version"), kVersion},
                           {QStringLiteral("notes"), notes},
                           {QStringLiteral("lists"), lists}};
    QJsonObject withPages = root;
    // Optional: files without it (and readers that ignore it) stay valid.
    if (const QJsonArray pages = memorisationToJson(store.store_); !pages.isEmpty())
        withPages.insert(QStringLiteral("memorise"), pages);
    return QJsonDocument(withPages).toJson(QJsonDocument::Indented);
}

QByteArray NotesTransfer::toMarkdown(const NotesStore &store)
{
    QString md = QStringLiteral("# خواطري\n\n");
    for (const Note &n : store.notes()) {
        md += QStringLiteral("## %1\n\n").arg(n.range.text());
        md += n.text.trimmed() + QStringLiteral("\n\n");
        if (!n.tags.isEmpty())
            md += QStringLiteral("الوسوم: %1\n\n").arg(n.tags.join(QStringLiteral("، ")));
    }
    const std::vector<NamedList> lists = store.lists();
    if (!lists.empty())
        md += QStringLiteral("# قوائم الآيات\n\n");
    for (const NamedList &l : lists) {
        md += QStringLiteral("## %1\n\n").arg(l.name);
        for (const ListAya &a : store.listAyas(l.id))
            md += QStringLiteral("- %1\n").arg(AyaRange{a.sura, a.aya, a.aya}.text());
        md += u'\n';
    }
    return md.toUtf8();
}

QString NotesTransfer::Report::message() const
{
    switch (whole) {
    case Refused::NotJson:
        return QStringLiteral("لم يستورد شيء: الملف ليس ملف JSON");
    case Refused::UnknownFormat:
        return QStringLiteral("لم يستورد شيء: الملف ليس ملف خواطر زرفان");
    case Refused::UnknownVersion:
        return QStringLiteral("لم يستورد شيء: إصدار الملف غير معروف");
    case Refused::WriteFailed:
        return QStringLiteral("لم يستورد شيء: تعذرت الكتابة في ملف بيانات المستخدم");
    case Refused::None:
        break;
    }
    return QStringLiteral("أضيف : %1    دمج : %2    رفض : %3").arg(added).arg(merged).arg(refused);
}

NotesTransfer::Report NotesTransfer::importJson(NotesStore &store, const QByteArray &json)
{
    Report report;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        report.whole = Report::Refused::NotJson;
        return report;
    }
    const QJsonObject root = doc.object();
    if (root.value(QStringLiteral("format")).toString() != kFormat) {
        report.whole = Report::Refused::UnknownFormat;
        return report;
    }
    if (intOf(root.value(QStringLiteral("version"))) != kVersion) {
        report.whole = Report::Refused::UnknownVersion;
        return report;
    }
    if (!store.begin()) {
        report.whole = Report::Refused::WriteFailed;
        return report;
    }
    bool ok = true;
    const auto fail = [&ok] { ok = false; };
    const auto refuse = [&report] { ++report.refused; };

    // Notes: a reference matches an existing note of the same range.
    const std::vector<Note> existing = store.notes();
    for (const QJsonValue &value : root.value(QStringLiteral("notes")).toArray()) {
        if (!ok)
            break;
        const QJsonObject o = value.toObject();
        Note in;
        in.range = {intOf(o.value(QStringLiteral("sura"))), intOf(o.value(QStringLiteral("from"))),
                    intOf(o.value(QStringLiteral("to")))};
        in.text = o.value(QStringLiteral("text")).toString();
        for (const QJsonValue &t : o.value(QStringLiteral("tags")).toArray()) {
            const QString tag = t.toString().simplified();
            if (!tag.isEmpty() && !in.tags.contains(tag))
                in.tags.append(tag);
        }
        in.created = QDateTime::fromString(o.value(QStringLiteral("created")).toString(), Qt::ISODateWithMs);
        in.modified = QDateTime::fromString(o.value(QStringLiteral("modified")).toString(), Qt::ISODateWithMs);
        if (!in.range.isValid() || in.text.size() > NotesStore::kMaxNoteLength || (in.text.isEmpty() && in.tags.isEmpty())) {
            refuse();
            continue;
        }
        const QDateTime now = QDateTime::currentDateTime();
        if (!in.modified.isValid())
            in.modified = now;
        if (!in.created.isValid())
            in.created = in.modified;
        const Note *same = nullptr;
        for (const Note &n : existing) {
            if (n.range == in.range && (same == nullptr || n.text == in.text))
                same = &n;
        }
        Note out = in;
        if (same) {
            out.id = same->id;
            out.tags = same->tags;
            for (const QString &tag : in.tags) {
                if (!out.tags.contains(tag))
                    out.tags.append(tag);
            }
            const bool newer = in.modified > same->modified && in.text != same->text;
            if (!newer) {
                out.text = same->text;
                out.modified = same->modified;
            }
            out.created = std::min(same->created, in.created);
            if (!newer && out.tags == same->tags)
                continue; // nothing new
        }
        sql::Statement s(store.store_.connection().handle(),
                         same ? "UPDATE notes SET text = ?4, tags = ?5, folded = ?6, created = ?7, modified = ?8 WHERE id = ?9;"
                              : "INSERT INTO notes (sura, first, last, text, tags, folded, created, modified) "
                                "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8);");
        if (!s) {
            fail();
            break;
        }
        if (!same) {
            s.bind(1, qint64(out.range.sura));
            s.bind(2, qint64(out.range.from));
            s.bind(3, qint64(out.range.to));
        } else {
            s.bind(9, out.id);
        }
        s.bind(4, out.text);
        s.bind(5, out.tags.join(u'\n'));
        s.bind(6, NotesStore::foldedOf(out.text, out.tags));
        s.bind(7, out.created.toMSecsSinceEpoch());
        s.bind(8, out.modified.toMSecsSinceEpoch());
        if (!s.execute())
            fail();
        else
            ++(same ? report.merged : report.added);
    }

    // Lists: by name; an existing list gains the ayas it lacks.
    for (const QJsonValue &value : root.value(QStringLiteral("lists")).toArray()) {
        if (!ok)
            break;
        const QJsonObject o = value.toObject();
        const QString name = o.value(QStringLiteral("name")).toString().simplified();
        if (name.isEmpty()) {
            refuse();
            continue;
        }
        qint64 list = 0;
        for (const NamedList &l : store.lists()) {
            if (l.name == name)
                list = l.id;
        }
        const bool isNew = list == 0;
        if (isNew) {
            sql::Statement s(store.store_.connection().handle(), "INSERT INTO lists (name) VALUES (?1);");
            if (s)
                s.bind(1, name);
            if (!s || !s.execute()) {
                fail();
                break;
            }
            list = sqlite3_last_insert_rowid(store.store_.connection().handle());
        }
        const std::vector<ListAya> had = store.listAyas(list);
        sql::Statement add(store.store_.connection().handle(),
                           "INSERT OR IGNORE INTO list_ayas (list, sura, aya, pos) "
                           "VALUES (?1, ?2, ?3, (SELECT coalesce(max(pos), 0) + 1 FROM list_ayas WHERE list = ?1));");
        int gained = 0;
        for (const QJsonValue &a : o.value(QStringLiteral("ayas")).toArray()) {
            const ListAya aya{intOf(a.toObject().value(QStringLiteral("sura"))), intOf(a.toObject().value(QStringLiteral("aya")))};
            if (!AyaRange{aya.sura, aya.aya, aya.aya}.isValid()) {
                refuse();
                continue;
            }
            if (std::find(had.begin(), had.end(), aya) != had.end())
                continue;
            add.reset();
            add.bind(1, list);
            add.bind(2, qint64(aya.sura));
            add.bind(3, qint64(aya.aya));
            if (!add || !add.execute()) {
                fail();
                break;
            }
            gained += sqlite3_changes(store.store_.connection().handle());
        }
        if (isNew)
            ++report.added;
        else if (gained > 0)
            ++report.merged;
    }
    // The pages held and their reviews, when the file has them.
    if (ok && root.value(QStringLiteral("memorise")).isArray()) {
        const MemorisationImport pages = memorisationFromJson(store.store_, root.value(QStringLiteral("memorise")).toArray());
        ok = !pages.failed;
        report.added += pages.added;
        report.merged += pages.merged;
        report.refused += pages.refused;
    }
    store.forgetCoverage();
    if (!store.end(ok)) {
        report = Report();
        report.whole = Report::Refused::WriteFailed;
    }
    return report;
}

} // namespace zarfan
