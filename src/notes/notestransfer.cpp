#include "notestransfer.h"

#include "data/userstore.h"
#include "memorise/memoriseprogress.h"
#include "notesstore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QHash>
#include <QJsonObject>
#include <algorithm>
#include <sqlite3.h>
#include <QCoreApplication>

namespace zarfan {

namespace {
const QString kFormat = QStringLiteral("zarfan-notes");

QString isoOf(const QDateTime &t) { return t.toUTC().toString(Qt::ISODateWithMs); }

// A valid range as one number: ayas are fewer than 1024 in a sura.
quint32 keyOf(const AyaRange &r) { return (quint32(r.sura) << 20) | (quint32(r.from) << 10) | quint32(r.to); }

// Note text as Markdown shows it: every sign Markdown reads escaped, no
// control characters, each line kept a line.
QString markdownText(const QString &text)
{
    static const QString special = QStringLiteral("\\`*_{}[]()#+-.!|<>~&=:\"'");
    QStringList lines;
    for (const QString &line : text.split(u'\n')) {
        QString out;
        bool leading = true;
        for (const QChar c : line) {
            if (c == u'\t' || c == u' ') {
                // Leading blanks would make a code block.
                out += leading ? QChar(0x00A0) : QChar(u' ');
                continue;
            }
            leading = false;
            if (c.category() == QChar::Other_Control || c == QChar(0x2028) || c == QChar(0x2029))
                continue;
            if (special.contains(c))
                out += u'\\';
            out += c;
        }
        lines.append(out);
    }
    // Two spaces end a line within a paragraph as a line break.
    return lines.join(QStringLiteral("  \n"));
}

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
    QString md = QCoreApplication::translate("zarfan::NotesTransfer", "# خواطري\n\n");
    for (const Note &n : store.notes()) {
        md += QStringLiteral("## %1\n\n").arg(n.range.text());
        md += markdownText(n.text.trimmed()) + QStringLiteral("\n\n");
        if (!n.tags.isEmpty())
            md += QCoreApplication::translate("zarfan::NotesTransfer", "الوسوم: %1\n\n").arg(markdownText(NotesStore::tagsText(n.tags)));
    }
    const std::vector<NamedList> lists = store.lists();
    if (!lists.empty())
        md += QCoreApplication::translate("zarfan::NotesTransfer", "# قوائم الآيات\n\n");
    for (const NamedList &l : lists) {
        md += QStringLiteral("## %1\n\n").arg(markdownText(l.name));
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
        return QCoreApplication::translate("zarfan::NotesTransfer", "لم يستورد شيء: الملف ليس ملف JSON");
    case Refused::UnknownFormat:
        return QCoreApplication::translate("zarfan::NotesTransfer", "لم يستورد شيء: الملف ليس ملف خواطر زرفان");
    case Refused::UnknownVersion:
        return QCoreApplication::translate("zarfan::NotesTransfer", "لم يستورد شيء: إصدار الملف غير معروف");
    case Refused::WriteFailed:
        return QCoreApplication::translate("zarfan::NotesTransfer", "لم يستورد شيء: تعذرت الكتابة في ملف بيانات المستخدم") + (detail.isEmpty() ? QString() : u'\n' + detail);
    case Refused::None:
        break;
    }
    return QCoreApplication::translate("zarfan::NotesTransfer", "أضيف : %1    دمج : %2    رفض : %3").arg(added).arg(merged).arg(refused);
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
    sqlite3 *db = store.store_.connection().handle();
    bool ok = true;

    // Notes: the reader's text is never replaced. The same text on the same
    // ayas gains the tags it lacks; any other text is added beside it.
    std::vector<Note> notes = store.notes();
    QHash<quint32, std::vector<std::size_t>> byRange;
    for (std::size_t i = 0; i < notes.size(); ++i)
        byRange[keyOf(notes[i].range)].push_back(i);
    sql::Statement insert(db, "INSERT INTO notes (sura, first, last, text, tags, folded, created, modified) "
                              "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8);");
    sql::Statement update(db, "UPDATE notes SET tags = ?2, folded = ?3 WHERE id = ?1;");
    ok = insert && update;
    const QDateTime now = QDateTime::currentDateTime();
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
        const bool tagTooLong = std::any_of(in.tags.begin(), in.tags.end(), [](const QString &t) { return t.size() > NotesStore::kMaxTagLength; });
        if (!in.range.isValid() || in.text.size() > NotesStore::kMaxNoteLength || (in.text.isEmpty() && in.tags.isEmpty())
            || tagTooLong) {
            ++report.refused;
            continue;
        }
        in.created = QDateTime::fromString(o.value(QStringLiteral("created")).toString(), Qt::ISODateWithMs);
        in.modified = QDateTime::fromString(o.value(QStringLiteral("modified")).toString(), Qt::ISODateWithMs);
        // A time yet to come is no time the note was written.
        if (!in.modified.isValid() || in.modified > now)
            in.modified = now;
        if (!in.created.isValid() || in.created > in.modified)
            in.created = in.modified;
        std::vector<std::size_t> &onRange = byRange[keyOf(in.range)];
        const auto same = std::find_if(onRange.begin(), onRange.end(), [&](std::size_t i) { return notes[i].text == in.text; });
        if (same != onRange.end()) {
            Note &had = notes[*same];
            QStringList tags = had.tags;
            for (const QString &tag : in.tags) {
                if (!tags.contains(tag))
                    tags.append(tag);
            }
            if (tags == had.tags)
                continue; // nothing new
            update.reset();
            update.bind(1, had.id);
            update.bind(2, tags.join(u'\n'));
            update.bind(3, NotesStore::foldedOf(had.text, tags));
            ok = update.execute();
            had.tags = tags;
            ++report.merged;
            continue;
        }
        insert.reset();
        insert.bind(1, qint64(in.range.sura));
        insert.bind(2, qint64(in.range.from));
        insert.bind(3, qint64(in.range.to));
        insert.bind(4, in.text);
        insert.bind(5, in.tags.join(u'\n'));
        insert.bind(6, NotesStore::foldedOf(in.text, in.tags));
        insert.bind(7, in.created.toMSecsSinceEpoch());
        insert.bind(8, in.modified.toMSecsSinceEpoch());
        ok = insert.execute();
        in.id = sqlite3_last_insert_rowid(db);
        onRange.push_back(notes.size());
        notes.push_back(in);
        ++report.added;
    }

    // Lists: by name; an existing list gains the ayas it lacks.
    QHash<QString, qint64> lists;
    for (const NamedList &l : store.lists())
        lists.insert(l.name, l.id);
    sql::Statement create(db, "INSERT INTO lists (name) VALUES (?1);");
    ok = ok && create;
    for (const QJsonValue &value : root.value(QStringLiteral("lists")).toArray()) {
        if (!ok)
            break;
        const QJsonObject o = value.toObject();
        const QString name = o.value(QStringLiteral("name")).toString().simplified();
        if (name.isEmpty() || name.size() > NotesStore::kMaxListNameLength) {
            ++report.refused;
            continue;
        }
        qint64 list = lists.value(name);
        const bool isNew = list == 0;
        if (isNew) {
            create.reset();
            create.bind(1, name);
            if (!(ok = create.execute()))
                break;
            list = sqlite3_last_insert_rowid(db);
            lists.insert(name, list);
        }
        std::vector<ListAya> ayas;
        for (const QJsonValue &a : o.value(QStringLiteral("ayas")).toArray()) {
            const ListAya aya{intOf(a.toObject().value(QStringLiteral("sura"))), intOf(a.toObject().value(QStringLiteral("aya")))};
            if (AyaRange{aya.sura, aya.aya, aya.aya}.isValid())
                ayas.push_back(aya);
            else
                ++report.refused;
        }
        const int gained = NotesStore::appendToList(db, list, ayas);
        ok = gained >= 0;
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
        report.detail = store.lastError();
    }
    return report;
}

} // namespace zarfan
