// The reader's notes at the sizes years of them reach.
#include "bench.h"

void Bench::notesRows()
{
    // The reader's notes: 5,000 of them, a few lines each, twenty tags.
    {
        QTemporaryDir noted;
        const QString path = noted.filePath(u"user.db"_qs);
        {
            UserStore store;
            store.open(path);
            NotesStore notes(store);
            QJsonArray all;
            const QString body = u"في هذه الآية تذكير بالصبر والشكر، وأن الرزق بيد الله وحده. خاطرة رقم %1\nسطر ثان للتدبر والتأمل في المعاني"_qs;
            for (int i = 0; i < 5000; ++i) {
                const int sura = 1 + i % SuraTables::kSuraCount;
                const int aya = 1 + (i / SuraTables::kSuraCount) % SuraTables::ayaCount(sura);
                all.append(QJsonObject{{u"sura"_qs, sura}, {u"from"_qs, aya}, {u"to"_qs, aya},
                                       {u"text"_qs, body.arg(i)},
                                       {u"tags"_qs, QJsonArray{QStringLiteral("وسم %1").arg(i % 20), u"درس"_qs}}});
            }
            const QByteArray json = QJsonDocument(QJsonObject{{u"format"_qs, u"zarfan-notes"_qs}, {u"version"_qs, 1},
                                                              {u"notes"_qs, all}}).toJson();
            requireRows(NotesTransfer::importJson(notes, json).added, u"5,000 notes"_qs);

            Row open{u"notes window opened with 5,000 notes"_qs};
            open.ms = timeMs([&] {
                NotesBrowser browser(notes, nullptr);
                browser.show();
                QCoreApplication::processEvents();
            });
            rows.push_back(open);
            NotesBrowser browser(notes, nullptr);
            browser.show();
            auto *filter = browser.findChild<QLineEdit *>(u"notesFilter"_qs);
            const QString typed = u"وسم 7 الصبر"_qs;
            Row keys{u"notes window filtered, per keystroke (5,000 notes)"_qs};
            keys.ms = timeMs([&] {
                filter->clear();
                for (int n = 1; n <= typed.size(); ++n) {
                    filter->setText(typed.left(n));
                    QCoreApplication::processEvents();
                }
            }) / double(typed.size());
            requireRows(browser.model().rowCount(), typed);
            rows.push_back(keys);
            Row found{u"search \"الصبر\" in 5,000 notes"_qs};
            found.ms = timeMs([&] { requireRows(int(notes.searchAyas(u"الصبر"_qs).size()), u"notes search"_qs); });
            rows.push_back(found);
            SearchOptions inSura;
            inSura.searchtype = 4; // suras 2-50
            inSura.sora1 = 1, inSura.sora2 = 49;
            for (const auto &[text, o] : {std::pair{u"الصبر + الشكر - النار"_qs, SearchOptions()}, std::pair{u"وسم 7 | درس"_qs, SearchOptions()},
                                          std::pair{u"الصبر + الشكر - النار"_qs, inSura}}) {
                Row r{QStringLiteral("search \"%1\" in 5,000 notes%2").arg(text, o.searchtype ? u", suras 2-50"_qs : QString())};
                r.ms = timeMs([&] { requireRows(int(notes.searchAyas(text, o, &memory.text()).ayas.size()), r.name); });
                rows.push_back(r);
            }
        }
        startupRows(noted.path(), u"start-up with 5,000 notes (process)"_qs, u"5,000 notes"_qs);
    }
    importAndListRows();
}

// Imports and lists at the sizes a reader's years of notes reach.
void importAndListRows()
{
    const auto file = [](const QJsonArray &notes, const QJsonArray &lists) {
        return QJsonDocument(QJsonObject{{u"format"_qs, u"zarfan-notes"_qs}, {u"version"_qs, 1},
                                         {u"notes"_qs, notes}, {u"lists"_qs, lists}}).toJson(QJsonDocument::Compact);
    };
    std::vector<ListAya> every;
    for (int s = 1; s <= SuraTables::kSuraCount; ++s) {
        for (int a = 1; a <= SuraTables::ayaCount(s); ++a)
            every.push_back({s, a});
    }
    const auto ayaObject = [](const ListAya &a) { return QJsonObject{{u"sura"_qs, a.sura}, {u"aya"_qs, a.aya}}; };
    const auto timedImport = [](NotesStore &notes, const QByteArray &json, const QString &what) {
        NotesTransfer::Report report;
        const double ms = timeMs([&] { report = NotesTransfer::importJson(notes, json); }, 1);
        if (report.whole != NotesTransfer::Report::Refused::None)
            requireRows(0, what);
        return std::pair(ms, report);
    };

    QJsonArray many;
    for (int i = 0; i < 100000; ++i) {
        const ListAya &a = every[std::size_t(i) % every.size()];
        many.append(QJsonObject{{u"sura"_qs, a.sura}, {u"from"_qs, a.aya}, {u"to"_qs, a.aya},
                                {u"text"_qs, QStringLiteral("خاطرة %1 في التدبر").arg(i)},
                                {u"tags"_qs, QJsonArray{QStringLiteral("وسم %1").arg(i % 50)}}});
    }
    const QByteArray notesJson = file(many, {});
    {
        QTemporaryDir dir;
        UserStore store;
        store.open(dir.filePath(u"user.db"_qs));
        NotesStore notes(store);
        Row first{u"import 100,000 notes into an empty store"_qs};
        const auto [firstMs, added] = timedImport(notes, notesJson, first.name);
        requireRows(added.added, first.name);
        first.ms = firstMs;
        rows.push_back(first);
        Row again{u"import the same 100,000 notes again (nothing new)"_qs};
        const auto [againMs, report] = timedImport(notes, notesJson, again.name);
        requireRows(int(notes.notes().size()) - report.added, again.name);
        again.ms = againMs;
        rows.push_back(again);
    }
    {
        QJsonArray lists;
        for (int i = 0; i < 20000; ++i)
            lists.append(QJsonObject{{u"name"_qs, QStringLiteral("قائمة %1").arg(i)},
                                     {u"ayas"_qs, QJsonArray{ayaObject(every[std::size_t(i) % every.size()])}}});
        QTemporaryDir dir;
        UserStore store;
        store.open(dir.filePath(u"user.db"_qs));
        NotesStore notes(store);
        Row r{u"import 20,000 lists of one aya"_qs};
        const auto [ms, report] = timedImport(notes, file({}, lists), r.name);
        requireRows(report.added, r.name);
        r.ms = ms;
        rows.push_back(r);
    }
    {
        QJsonArray entries;
        for (int i = 0; i < 124720; ++i)
            entries.append(ayaObject(every[std::size_t(i) % every.size()]));
        QTemporaryDir dir;
        UserStore store;
        store.open(dir.filePath(u"user.db"_qs));
        NotesStore notes(store);
        Row r{u"import one list of 124,720 entries"_qs};
        const auto [ms, report] = timedImport(notes, file({}, QJsonArray{QJsonObject{{u"name"_qs, u"الكل"_qs}, {u"ayas"_qs, entries}}}), r.name);
        requireRows(report.added, r.name);
        requireRows(int(notes.listAyas(notes.lists().front().id).size()), r.name);
        r.ms = ms;
        rows.push_back(r);
    }
    {
        QTemporaryDir dir;
        UserStore store;
        store.open(dir.filePath(u"user.db"_qs));
        NotesStore notes(store);
        Row r{u"add 6,236 ayas to a list, committed"_qs};
        int n = 0;
        r.ms = timeMs([&] {
            const qint64 list = notes.createList(QStringLiteral("قائمة %1").arg(++n));
            if (!notes.addToList(list, every) || notes.listAyas(list).size() != every.size())
                requireRows(0, r.name);
        });
        rows.push_back(r);
    }
}
