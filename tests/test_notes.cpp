#include "notestest.h"
#include "guitest.h"

#include "browse/suratables.h"
#include "data/userstore.h"
#include "notes/windows/ayalistswindow.h"
#include "notes/windows/noteeditor.h"
#include "notes/windows/notesbrowser.h"
#include "notes/windows/notescommands.h"
#include "notes/windows/notemarkdelegate.h"
#include "notes/notesstore.h"
#include "notes/notestransfer.h"
#include "notes/windows/notestransferdialogs.h"
#include "compose/windows/composewindow.h"

#include <QComboBox>
#include <QCompleter>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

using namespace zarfan;
using guitest::child;
using namespace notestest;

class TestNotes : public QObject {
    Q_OBJECT
    std::unique_ptr<guitest::AppFolder> folder;

private slots:
    void initTestCase() { folder = std::make_unique<guitest::AppFolder>(); }

    // A version 1 file, as the program wrote it before notes, with its last
    // writes still in the log: everything stays, and a copy is set aside.
    void migratesTheFirstSchema()
    {
        QTemporaryDir data;
        const QString path = data.filePath(u"user.db"_qs);
        sqlite3 *raw = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &raw), SQLITE_OK);
        sql::Database old(raw);
        QVERIFY(old.exec("PRAGMA journal_mode = WAL;"
                         "BEGIN;"
                         "CREATE TABLE IF NOT EXISTS chosen (line TEXT PRIMARY KEY, id TEXT NOT NULL, pos INTEGER NOT NULL);"
                         "CREATE TABLE IF NOT EXISTS history (text TEXT PRIMARY KEY, used INTEGER NOT NULL);"
                         "CREATE TABLE IF NOT EXISTS settings (key TEXT PRIMARY KEY, value BLOB);"
                         "PRAGMA user_version = 1;"
                         "COMMIT;"
                         "PRAGMA wal_autocheckpoint = 0;"));
        QVERIFY(old.exec("INSERT INTO chosen VALUES ('الإخلاص : 2', '6223', 1), ('الفاتحة : 1', '1', 2);"
                         "INSERT INTO history VALUES ('الصمد', 1), ('1:1', 2);"
                         "INSERT INTO settings VALUES ('main.geometry', '30,40,700,500');"));
        QVERIFY(QFileInfo(path + u"-wal"_qs).size() > 0);

        UserStore store;
        QCOMPARE(store.open(path), UserStore::Opened::Existing);
        QCOMPARE(scalar(store, "PRAGMA user_version;"), QByteArray::number(UserStore::kSchemaVersion));
        QCOMPARE(store.chosen().size(), std::size_t(2));
        QCOMPARE(store.chosen().at(0), std::pair(u"الإخلاص : 2"_qs, u"6223"_qs));
        QCOMPARE(store.history(), QStringList({u"1:1"_qs, u"الصمد"_qs}));
        QCOMPARE(store.value(u"main.geometry"_qs), QByteArray("30,40,700,500"));
        NotesStore notes(store);
        Note n = makeNote(1, 1, 1, u"بداية"_qs);
        QVERIFY(notes.save(n));

        UserStore copy;
        QCOMPARE(copy.open(path + u".bak-1"_qs), UserStore::Opened::Existing); // migrates the copy itself
        QCOMPARE(copy.chosen().size(), std::size_t(2));
        QCOMPARE(copy.history().size(), 2);
        QVERIFY(NotesStore(copy).notes().empty());
    }

    // A note on a run of ayas, tags offered from those in use, and the
    // search over the folded text and tags.
    void rangeNotesTagsAndSearch()
    {
        QTemporaryDir data;
        UserStore store;
        QCOMPARE(store.open(data.filePath(u"user.db"_qs)), UserStore::Opened::Fresh);
        NotesStore notes(store);
        Note range = makeNote(2, 255, 257, u"آيةُ الكرسيّ\nوما بعدها"_qs, {u"درس الجمعة"_qs, u" صبر "_qs, u"صبر"_qs});
        QVERIFY(notes.save(range));
        QCOMPARE(range.range.text(), u"البقرة : 255-257"_qs);
        QCOMPARE(range.tags, QStringList({u"درس الجمعة"_qs, u"صبر"_qs}));
        Note single = makeNote(2, 256, 256, u"لا إكراه"_qs, {u"دين"_qs});
        QVERIFY(notes.save(single));
        Note outside = makeNote(2, 287, 287, u"خارج"_qs);
        QVERIFY(!notes.save(outside));
        QCOMPARE(outside.id, 0);

        QCOMPARE(notes.noteAt(2, 257)->id, range.id);
        QCOMPARE(notes.noteAt(2, 256)->id, single.id); // the one that begins there
        QVERIFY(!notes.noteAt(2, 258));
        QCOMPARE(notes.noteAt(2, 255)->firstLine(), u"آيةُ الكرسيّ"_qs);
        QVERIFY(notes.hasNote(ayaIdOf(2, 257)));
        QVERIFY(!notes.hasNote(ayaIdOf(2, 258)));
        QCOMPARE(notes.tags(), QStringList({u"درس الجمعة"_qs, u"دين"_qs, u"صبر"_qs}));

        // Spelling folded, every word needed, tags searched too.
        QCOMPARE(notes.searchAyas(u"ايه الكرسي"_qs), QList<int>({ayaIdOf(2, 255), ayaIdOf(2, 256), ayaIdOf(2, 257)}));
        QCOMPARE(notes.searchAyas(u"اكراه"_qs), QList<int>({ayaIdOf(2, 256)}));
        QCOMPARE(notes.searchAyas(u"الجمعه"_qs).size(), 3);
        QVERIFY(notes.searchAyas(u"الكرسي اكراه"_qs).isEmpty());
        QCOMPARE(ayaIdOf(114, 6), SuraTables::kAyaTotal);

        Note longer = makeNote(1, 2, 2, QString(NotesStore::kMaxNoteLength + 1, u'ب'));
        QVERIFY(!notes.save(longer));
    }

    // Export, then import into an empty store and into the same store:
    // nothing lost, nothing doubled; a newer text replaces an older one.
    void exportImportRoundTrip()
    {
        QTemporaryDir data;
        UserStore a, b;
        a.open(data.filePath(u"a.db"_qs));
        b.open(data.filePath(u"b.db"_qs));
        NotesStore from(a), to(b);
        Note n1 = makeNote(2, 255, 257, u"الكرسي \"اقتباس\"\n{ }"_qs, {u"صبر"_qs});
        Note n2 = makeNote(112, 1, 1, u"التوحيد"_qs);
        QVERIFY(from.save(n1) && from.save(n2));
        const qint64 list = from.createList(u"درس الجمعة"_qs);
        QVERIFY(from.addToList(list, {{112, 1}, {2, 255}, {1, 1}}));
        QVERIFY(from.moveInList(list, 2, 0));
        const QByteArray json = NotesTransfer::toJson(from);
        QVERIFY(!json.contains("\"id\""));

        NotesTransfer::Report r = NotesTransfer::importJson(to, json);
        QCOMPARE(r.added, 3);
        QCOMPARE(r.merged + r.refused, 0);
        QCOMPARE(rowsOf(to.notes()), rowsOf(from.notes()));
        QCOMPARE(NotesTransfer::toJson(to), json);
        r = NotesTransfer::importJson(to, json);
        QCOMPARE(r.added + r.merged + r.refused, 0);
        QCOMPARE(NotesTransfer::toJson(to), json);

        // Edited on one side later: the import keeps the reader's text and
        // adds the other beside it; the list gains only the aya it lacked.
        Note edited = from.notes().front();
        edited.text = u"أحدث"_qs;
        edited.tags = {u"تدبر"_qs};
        QTest::qWait(2);
        QVERIFY(from.save(edited));
        QVERIFY(to.addToList(to.lists().front().id, {{3, 1}}));
        QVERIFY(from.addToList(list, {{3, 2}}));
        r = NotesTransfer::importJson(to, NotesTransfer::toJson(from));
        QCOMPARE(r.added, 1);
        QCOMPARE(r.merged, 1);
        const std::vector<Note> both = to.notes();
        QCOMPARE(both.size(), std::size_t(3));
        QCOMPARE(both[1].range, both[0].range);
        QCOMPARE(both[0].text, n1.text);
        QCOMPARE(both[0].tags, QStringList({u"صبر"_qs}));
        QCOMPARE(both[1].text, u"أحدث"_qs);
        QCOMPARE(both[1].tags, QStringList({u"تدبر"_qs}));
        QCOMPARE(to.listAyas(to.lists().front().id).size(), std::size_t(5));
        QVERIFY(NotesTransfer::toMarkdown(to).contains("## البقرة : 255-257"));
    }

    // A file refused as a whole leaves the store as it was; a bad item is
    // refused alone.
    void refusedImports()
    {
        QTemporaryDir data;
        UserStore store;
        store.open(data.filePath(u"user.db"_qs));
        NotesStore notes(store);
        Note kept = makeNote(1, 1, 1, u"باقية"_qs);
        QVERIFY(notes.save(kept));
        const QByteArray before = NotesTransfer::toJson(notes);
        using R = NotesTransfer::Report::Refused;
        const QByteArray item = R"("notes": [{"sura": 1, "from": 2, "to": 2, "text": "x"}])";
        const std::vector<std::pair<QByteArray, R>> cases{
            {"not json {", R::NotJson},
            {"[1, 2]", R::NotJson},
            {R"({"format": "other", "version": 1, )" + item + "}", R::UnknownFormat},
            {R"({"format": "zarfan-notes", "version": 2, )" + item + "}", R::UnknownVersion},
            {R"({"format": "zarfan-notes", )" + item + "}", R::UnknownVersion},
        };
        for (const auto &[json, why] : cases) {
            const NotesTransfer::Report r = NotesTransfer::importJson(notes, json);
            QCOMPARE(r.whole, why);
            QCOMPARE(r.added, 0);
            QVERIFY(!r.message().isEmpty());
            QCOMPARE(NotesTransfer::toJson(notes), before);
        }
        const NotesTransfer::Report r = NotesTransfer::importJson(notes, R"({"format": "zarfan-notes", "version": 1,
            "notes": [{"sura": 115, "from": 1, "to": 1, "text": "a"}, {"sura": 1, "from": 7, "to": 8, "text": "b"},
                      {"sura": 1, "from": 3, "to": 2, "text": "c"}, {"sura": 1, "from": 2, "to": 2, "text": "d"}],
            "lists": [{"name": "L", "ayas": [{"sura": 1, "aya": 0}, {"sura": 1, "aya": 7}]}]})");
        QCOMPARE(r.whole, R::None);
        QCOMPARE(r.refused, 4);
        QCOMPARE(r.added, 2);
        QCOMPARE(notes.notes().size(), std::size_t(2));
        QCOMPARE(notes.listAyas(notes.lists().front().id), std::vector<ListAya>({{1, 7}}));
    }
    // Rows written by hand or by damage that name no aya are set aside at
    // load with one message; listing and searching stay within their ayas.
    void invalidNoteRowsAreSetAside()
    {
        QTemporaryDir data;
        const QString path = data.filePath(u"user.db"_qs);
        {
            UserStore store;
            store.open(path);
            Note good = makeNote(2, 255, 255, u"كبير"_qs);
            QVERIFY(NotesStore(store).save(good));
            QVERIFY(store.connection().exec(
                "INSERT INTO notes (sura, first, last, text, tags, folded, created, modified) VALUES "
                "(2, 2147483600, 2147483647, 'كبير', '', 'كبير', 0, 0), (2, 1, 2147483647, 'كبير', '', 'كبير', 0, 0),"
                "(2, 4294967297, 4294967297, 'كبير', '', 'كبير', 0, 0), (115, 1, 1, 'كبير', '', 'كبير', 0, 0),"
                "(1, 5, 3, 'كبير', '', 'كبير', 0, 0), ('x', 1, 1, 'كبير', '', 'كبير', 0, 0);"));
        }
        {
            guitest::StoredState stored(folder->path(), path);
            QCOMPARE(stored.state.takeNotesMessage(), NotesStore::setAsideMessage(6));
            QVERIFY(stored.state.takeNotesMessage().isEmpty());
            MainWindow w(stored.state);
            w.show();
            auto *search = child<QLineEdit>(&w, "searcht");
            search->setText(u"2:250-256"_qs);
            QTest::keyClick(search, Qt::Key_Return);
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            child<QListView>(&w, "suraayaalist")->viewport()->repaint();
            NotesStore notes(stored.store);
            QCOMPARE(notes.searchAyas(u"كبير"_qs), QList<int>{ayaIdOf(2, 255)});
            QVERIFY(notes.hasNote(ayaIdOf(2, 255)) && !notes.hasNote(ayaIdOf(2, 1)));
            QCOMPARE(scalar(stored.store, "SELECT count(*) FROM notes_set_aside;"), QByteArray("6"));
        }
        guitest::StoredState again(folder->path(), path);
        QVERIFY(again.state.takeNotesMessage().isEmpty());
    }

    // Lists grow by their own size: adding n ayas, importing n lists or one
    // list of n ayas costs about twice as many steps for 2n.
    void listsGrowLinearly()
    {
        QTemporaryDir data;
        UserStore store;
        store.open(data.filePath(u"user.db"_qs));
        NotesStore notes(store);
        const auto ayas = [](int n) {
            std::vector<ListAya> out;
            for (int s = 1, a = 1; int(out.size()) < n; ++a) {
                if (a > SuraTables::ayaCount(s))
                    a = 1, ++s;
                out.push_back({s, a});
            }
            return out;
        };
        const auto adding = [&](int n) {
            const qint64 list = notes.createList(u"ق"_qs + QString::number(n));
            return stepsOf(store, [&] { QVERIFY(notes.addToList(list, ayas(n))); });
        };
        const quint64 small = adding(1000), big = adding(2000);
        QVERIFY2(big < small * 3, qPrintable(QStringLiteral("%1 %2").arg(small).arg(big)));
        QCOMPARE(notes.listAyas(notes.lists().back().id).size(), std::size_t(2000));

        const auto importing = [&](int lists, int each) {
            QJsonArray all;
            for (int i = 0; i < lists; ++i) {
                QJsonArray entries;
                for (const ListAya &a : ayas(each))
                    entries.append(QJsonObject{{u"sura"_qs, a.sura}, {u"aya"_qs, a.aya}});
                all.append(QJsonObject{{u"name"_qs, QStringLiteral("%1x%2-%3").arg(lists).arg(each).arg(i)}, {u"ayas"_qs, entries}});
            }
            const QByteArray json = notesFile("[]", QJsonDocument(all).toJson());
            // Each into a store of its own, which holds nothing else.
            QTemporaryDir own;
            UserStore fresh;
            fresh.open(own.filePath(u"user.db"_qs));
            NotesStore into(fresh);
            return stepsOf(fresh, [&] { QCOMPARE(NotesTransfer::importJson(into, json).added, lists); });
        };
        const quint64 fewLists = importing(1000, 1), manyLists = importing(2000, 1);
        QVERIFY2(manyLists < fewLists * 3, qPrintable(QStringLiteral("%1 %2").arg(fewLists).arg(manyLists)));
        const quint64 shortList = importing(1, 1000), longList = importing(1, 2000);
        QVERIFY2(longList < shortList * 3, qPrintable(QStringLiteral("%1 %2").arg(shortList).arg(longList)));
    }
};

QTEST_MAIN(TestNotes)
#include "test_notes.moc"
