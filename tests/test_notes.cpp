#include "guitest.h"

#include "browse/suratables.h"
#include "data/userstore.h"
#include "notes/ayalistswindow.h"
#include "notes/noteeditor.h"
#include "notes/notesbrowser.h"
#include "notes/notescommands.h"
#include "notes/notesstore.h"
#include "notes/notestransfer.h"
#include "compose/composewindow.h"

#include <QCompleter>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace zarfan;
using guitest::child;

namespace {
Note makeNote(int sura, int from, int to, const QString &text, const QStringList &tags = {})
{
    Note n;
    n.range = {sura, from, to};
    n.text = text;
    n.tags = tags;
    return n;
}

QStringList rowsOf(const std::vector<Note> &notes)
{
    QStringList out;
    for (const Note &n : notes)
        out.append(n.range.text() + u'|' + n.text + u'|' + n.tags.join(u',') + u'|'
                   + QString::number(n.modified.toMSecsSinceEpoch()));
    return out;
}

// Typed key by key: each character a key press of its own.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

QByteArray scalar(UserStore &store, const QByteArray &sql)
{
    sql::Statement s(store.connection().handle(), sql);
    return s && s.step() == SQLITE_ROW ? s.text(0).toUtf8() : QByteArray();
}

// A main window over a store of its own, listing the ayas of a reference.
struct Reader {
    QTemporaryDir data;
    UserStore store;
    ReadingState state;
    std::unique_ptr<MainWindow> window;
    Reader(const QString &appFolder, const QString &reference) : state(appFolder)
    {
        store.open(data.filePath(u"user.db"_qs));
        state.setUserStore(&store);
        window = std::make_unique<MainWindow>(state);
        window->show();
        auto *search = child<QLineEdit>(window.get(), "searcht");
        search->setText(reference);
        QTest::keyClick(search, Qt::Key_Return);
    }
};
} // namespace

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

        // Edited on one side later: the import brings the newer text and the
        // tags of both; the other list gains only the aya it lacked.
        Note edited = from.notes().front();
        edited.text = u"أحدث"_qs;
        edited.tags = {u"تدبر"_qs};
        QTest::qWait(2);
        QVERIFY(from.save(edited));
        QVERIFY(to.addToList(to.lists().front().id, {{3, 1}}));
        QVERIFY(from.addToList(list, {{3, 2}}));
        r = NotesTransfer::importJson(to, NotesTransfer::toJson(from));
        QCOMPARE(r.merged, 2);
        QCOMPARE(to.notes().size(), std::size_t(2));
        QCOMPARE(to.notes().front().text, u"أحدث"_qs);
        QCOMPARE(to.notes().front().tags, QStringList({u"صبر"_qs, u"تدبر"_qs}));
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
    // The note of the displayed aya through the menu, a range of selected
    // lines, the tags offered as typed, a write that fails, unsaved text.
    void notesFromTheMainWindow()
    {
        guitest::MessageLog log;
        Reader reader(folder->path(), u"2:255-257"_qs);
        UserStore &store = reader.store;
        MainWindow &w = *reader.window;
        auto *search = child<QLineEdit>(&w, "searcht");
        Note earlier = makeNote(1, 1, 1, u"الفاتحة"_qs, {u"صبر"_qs});
        QVERIFY(NotesStore(store).save(earlier));
        NotesCommands *commands = w.notesCommands();
        QCOMPARE(commands->noteAction()->text(), u"إضافة خاطرة"_qs);
        commands->noteAction()->trigger();
        QPointer<NoteEditor> editor = w.findChild<NoteEditor *>();
        QVERIFY(editor);
        QCOMPARE(child<QLabel>(editor, "reference")->text(), u"البقرة : 255"_qs);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        auto *text = child<QPlainTextEdit>(editor, "noteText");
        type(text, u"الحي القيوم"_qs);
        auto *tags = child<QLineEdit>(editor, "tags");
        type(tags, u"ص"_qs);
        auto *completer = tags->findChild<QCompleter *>() ? tags->findChild<QCompleter *>() : editor->findChild<QCompleter *>();
        QTRY_VERIFY(completer->popup()->isVisible());
        QCOMPARE(completer->popup()->model()->index(0, 0).data().toString(), u"صبر"_qs);
        QTest::keyClick(completer->popup(), Qt::Key_Down);
        QTest::keyClick(completer->popup(), Qt::Key_Return);
        QCOMPARE(tags->text(), u"صبر"_qs);

        // The write fails: the reader is told and the text stays.
        QVERIFY(store.connection().exec("PRAGMA query_only = 1;"));
        QTest::keyClick(text, Qt::Key_Return, Qt::ControlModifier);
        QVERIFY(editor && editor->isVisible());
        QCOMPARE(text->toPlainText(), u"الحي القيوم"_qs);
        QVERIFY(log.lines().join(u'\n').contains(u"تعذر حفظ الخاطرة"_qs));
        QVERIFY(store.connection().exec("PRAGMA query_only = 0;"));
        QTest::mouseClick(child<QPushButton>(editor, "save"), Qt::LeftButton);
        QTRY_VERIFY(!editor);
        QCOMPARE(commands->noteAction()->text(), u"تعديل الخاطرة"_qs);
        QCOMPARE(child<QLabel>(&w, "statusNote")->text(), u"خاطرة : الحي القيوم"_qs);
        QCOMPARE(NotesStore(store).noteAt(2, 255)->tags, QStringList({u"صبر"_qs}));

        // Three lines selected: a note on their range; closing unsaved asks.
        auto *listing = child<QListView>(&w, "suraayaalist");
        QTest::mouseClick(listing->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          listing->visualRect(listing->model()->index(2, 0)).center());
        QCOMPARE(commands->noteAction()->text(), u"إضافة خاطرة"_qs);
        commands->noteAction()->trigger();
        editor = w.findChild<NoteEditor *>();
        QVERIFY(editor);
        QCOMPARE(child<QLabel>(editor, "reference")->text(), u"البقرة : 255-257"_qs);
        type(child<QPlainTextEdit>(editor, "noteText"), u"مسودة"_qs);
        guitest::whenModal([](QWidget *box) {
            QTest::mouseClick(static_cast<QMessageBox *>(box)->button(QMessageBox::No), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(editor, "close"), Qt::LeftButton);
        QVERIFY(editor && editor->isVisible());
        guitest::whenModal([](QWidget *box) {
            QTest::mouseClick(static_cast<QMessageBox *>(box)->button(QMessageBox::Yes), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(editor, "close"), Qt::LeftButton);
        QTRY_VERIFY(!editor);
        QCOMPARE(NotesStore(store).notes().size(), std::size_t(2));

        // The notes window filters as typed and opens a note by Enter.
        NotesBrowser *browser = commands->openBrowser();
        QCOMPARE(browser->model().rowCount(), 2);
        auto *filter = child<QLineEdit>(browser, "notesFilter");
        type(filter, u"القيوم"_qs);
        QCOMPARE(browser->model().rowCount(), 1);
        QTest::keyClick(filter, Qt::Key_A, Qt::ControlModifier);
        type(filter, u"صبر"_qs);
        QCOMPARE(browser->model().rowCount(), 2);
        type(filter, u" الحى"_qs);
        QCOMPARE(browser->model().rowCount(), 1);
        QTest::keyClick(filter, Qt::Key_Return);
        editor = w.findChild<NoteEditor *>();
        QVERIFY(editor);
        QCOMPARE(editor->note().range, (AyaRange{2, 255, 255}));
        editor->close();
        QTRY_VERIFY(!editor);

        // A search in the notes lists their ayas; their words are marked.
        reader.state.setSearchTarget(SearchTarget::Notes);
        search->setText(u"الفاتحه"_qs);
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(w.listing().count(), 1);
        QCOMPARE(w.listing().at(0).line, u"الفاتحة : 1"_qs);
        commands->noteAction()->trigger();
        editor = w.findChild<NoteEditor *>();
        QVERIFY(editor);
        QCOMPARE(child<QPlainTextEdit>(editor, "noteText")->extraSelections().size(), 1);
        editor->close();
    }

    // A named list: made, filled from the listing, reordered, shown in the
    // main window in its order, composed, deleted after a question.
    void namedLists()
    {
        Reader reader(folder->path(), u"112:1-3"_qs);
        UserStore &store = reader.store;
        MainWindow &w = *reader.window;
        AyaListsWindow *lists = w.notesCommands()->openLists();
        guitest::whenModal([](QWidget *dialog) {
            auto *input = static_cast<QInputDialog *>(dialog);
            input->setTextValue(u"درس الجمعة"_qs);
            input->accept();
        });
        QTest::mouseClick(child<QPushButton>(lists, "create"), Qt::LeftButton);
        QCOMPARE(child<QListWidget>(lists, "lists")->count(), 1);
        auto *listing = child<QListView>(&w, "suraayaalist");
        QTest::mouseClick(listing->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          listing->visualRect(listing->model()->index(2, 0)).center());
        QTest::mouseClick(child<QPushButton>(lists, "add"), Qt::LeftButton);
        auto *ayas = child<QListWidget>(lists, "listAyas");
        QCOMPARE(ayas->count(), 3);
        ayas->setCurrentRow(0);
        QTest::mouseClick(child<QPushButton>(lists, "down"), Qt::LeftButton);
        QTest::mouseClick(child<QPushButton>(lists, "down"), Qt::LeftButton);
        QCOMPARE(ayas->item(2)->text(), u"الإخلاص : 1"_qs);
        QTest::mouseClick(child<QPushButton>(lists, "show"), Qt::LeftButton);
        QTRY_COMPARE(w.listing().count(), 3);
        QCOMPARE(w.listing().at(0).line, u"الإخلاص : 2"_qs);
        QCOMPARE(w.listing().at(2).line, u"الإخلاص : 1"_qs);

        guitest::whenModal([](QWidget *dialog) {
            auto *compose = static_cast<ComposeWindow *>(dialog);
            QTRY_VERIFY(compose->text().contains(u"[الإخلاص : 3]\r\n\r\n"_qs));
            QVERIFY(compose->text().indexOf(u"الإخلاص : 2"_qs) < compose->text().indexOf(u"الإخلاص : 1"_qs));
            compose->close();
        });
        QTest::mouseClick(child<QPushButton>(lists, "compose"), Qt::LeftButton);

        guitest::whenModal([](QWidget *box) {
            QTest::mouseClick(static_cast<QMessageBox *>(box)->button(QMessageBox::Yes), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(lists, "removeList"), Qt::LeftButton);
        QCOMPARE(child<QListWidget>(lists, "lists")->count(), 0);
        QVERIFY(NotesStore(store).lists().empty());
    }
};

QTEST_MAIN(TestNotes)
#include "test_notes.moc"
