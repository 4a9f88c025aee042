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

class NotesWindowsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<guitest::AppFolder> folder;

private slots:
    void initTestCase() { folder = std::make_unique<guitest::AppFolder>(); }

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

    // Escape in the note editor asks about unsaved text as its close button
    // does; an unchanged note goes at once.
    void escapeAsksBeforeDroppingANote()
    {
        Reader reader(folder->path(), u"2:255"_qs);
        MainWindow &w = *reader.window;
        w.notesCommands()->noteAction()->trigger();
        QPointer<NoteEditor> editor = w.findChild<NoteEditor *>();
        QVERIFY(editor);
        QVERIFY(QTest::qWaitForWindowActive(editor));
        auto *text = child<QPlainTextEdit>(editor, "noteText");
        type(text, u"مسودة"_qs);
        QStringList asked;
        for (const auto answer : {QMessageBox::No, QMessageBox::Yes}) {
            guitest::whenModal([&asked, answer](QWidget *box) {
                asked.append(static_cast<QMessageBox *>(box)->text());
                QTest::mouseClick(static_cast<QMessageBox *>(box)->button(answer), Qt::LeftButton);
            });
            QTest::keyClick(text, Qt::Key_Escape);
            if (answer == QMessageBox::No) {
                QVERIFY(editor && editor->isVisible());
                QCOMPARE(text->toPlainText(), u"مسودة"_qs);
            }
        }
        QCOMPARE(asked, QStringList(2, u"لم تحفظ الخاطرة. هل تريد إغلاقها دون حفظ؟"_qs));
        QTRY_VERIFY(!editor);
        w.notesCommands()->noteAction()->trigger();
        editor = w.findChild<NoteEditor *>();
        QVERIFY(QTest::qWaitForWindowActive(editor));
        QTest::keyClick(child<QPlainTextEdit>(editor, "noteText"), Qt::Key_Escape);
        QTRY_VERIFY(!editor);
    }

    // A note whose tag holds a comma and whose text a no-break space opens as
    // unchanged: Escape asks nothing, and saving it keeps both exactly.
    void untouchedNoteIsNotChanged()
    {
        Reader reader(folder->path(), u"2:255"_qs);
        const QString text = u"آية\u00a0الكرسي"_qs;
        const QStringList tags{u"أ، ب"_qs, u"ج,د"_qs, u"هـ"_qs};
        Note note = makeNote(2, 255, 255, text, tags);
        QVERIFY(NotesStore(reader.store).save(note));
        MainWindow &w = *reader.window;
        bool asked = false;
        const auto openAnd = [&](const std::function<void(NoteEditor *)> &act) {
            w.notesCommands()->noteAction()->trigger();
            QPointer<NoteEditor> editor = w.findChild<NoteEditor *>();
            QVERIFY(editor && QTest::qWaitForWindowActive(editor));
            QTimer::singleShot(0, [&asked] {
                if (QWidget *box = QApplication::activeModalWidget()) {
                    asked = true;
                    box->close();
                }
            });
            act(editor);
            QTRY_VERIFY(!editor);
        };
        openAnd([](NoteEditor *e) { QTest::keyClick(child<QPlainTextEdit>(e, "noteText"), Qt::Key_Escape); });
        openAnd([](NoteEditor *e) { QTest::mouseClick(child<QPushButton>(e, "save"), Qt::LeftButton); });
        QVERIFY(!asked);
        const std::vector<Note> kept = NotesStore(reader.store).notes();
        QCOMPARE(kept.size(), std::size_t(1));
        QCOMPARE(kept.front().text, text);
        QCOMPARE(kept.front().tags, tags);
    }

    // A name typed without its extension: the question names the file really
    // written, and "لا" keeps that file; the filters read right to left.
    void exportAsksAboutTheWrittenFile()
    {
        Reader reader(folder->path(), u"1:1"_qs);
        Note praise = makeNote(1, 1, 1, u"الحمد"_qs);
        QVERIFY(NotesStore(reader.store).save(praise));
        QTemporaryDir out;
        QFile existing(out.filePath(u"notes.json"_qs));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("kept");
        existing.close();
        QStringList asked, filters;
        const auto exportAs = [&](QMessageBox::StandardButton answer) {
            guitest::whenModal([&, answer](QWidget *dialog) {
                auto *files = qobject_cast<QFileDialog *>(dialog);
                QVERIFY(files);
                auto *types = files->findChild<QComboBox *>(u"fileTypeCombo"_qs);
                for (int i = 0; i < types->count(); ++i)
                    filters.append(types->itemText(i));
                auto *name = files->findChild<QLineEdit *>(u"fileNameEdit"_qs);
                name->setText(out.filePath(u"notes"_qs));
                guitest::whenModal([&, answer](QWidget *question) {
                    asked.append(static_cast<QMessageBox *>(question)->text());
                    QTest::mouseClick(static_cast<QMessageBox *>(question)->button(answer), Qt::LeftButton);
                });
                QTest::keyClick(name, Qt::Key_Return);
            });
            child<QAction>(reader.window.get(), "exportNotesAction")->trigger();
        };
        exportAs(QMessageBox::No);
        QCOMPARE(asked.size(), 1);
        QVERIFY2(asked.first().contains(QDir::toNativeSeparators(out.filePath(u"notes.json"_qs))), qPrintable(asked.first()));
        QVERIFY(existing.open(QIODevice::ReadOnly));
        QCOMPARE(existing.readAll(), QByteArray("kept"));
        existing.close();
        QCOMPARE(filters.value(0), u"ملف خواطر \u200E(*.json)\u200E"_qs);
        QCOMPARE(filters.value(1), u"نص Markdown \u200E(*.md)\u200E"_qs);
        exportAs(QMessageBox::Yes);
        QCOMPARE(asked.size(), 2);
        QVERIFY(existing.open(QIODevice::ReadOnly));
        QVERIFY(existing.readAll().contains("الحمد"));
        QVERIFY(!QFileInfo::exists(out.filePath(u"notes"_qs)));
    }

    // The note mark stands beside the reference of a noted line, clear of
    // its text; the notes window shows its dates whole and the lists window
    // names its two lists.
    void marksDatesAndCaptionsShownWhole()
    {
        Reader reader(folder->path(), u"2:255-257"_qs);
        MainWindow &w = *reader.window;
        Note freedom = makeNote(2, 256, 256, u"لا إكراه"_qs);
        QVERIFY(w.notesCommands()->store()->save(freedom));
        w.notesCommands()->refresh();
        auto *listing = child<QListView>(&w, "suraayaalist");
        auto *delegate = qobject_cast<NoteMarkDelegate *>(listing->itemDelegate());
        QVERIFY(delegate);
        const QModelIndex noted = listing->model()->index(1, 0);
        QStyleOptionViewItem option;
        option.initFrom(listing->viewport());
        option.widget = listing;
        option.font = listing->font();
        option.fontMetrics = listing->fontMetrics();
        option.rect = listing->visualRect(noted);
        option.direction = listing->layoutDirection();
        QCOMPARE(option.direction, Qt::RightToLeft);
        const QRect text = delegate->textRect(option, noted), mark = delegate->markRect(option, noted);
        QVERIFY(!text.isEmpty() && !mark.isEmpty());
        QVERIFY2(!mark.intersects(text), qPrintable(QStringLiteral("%1 %2").arg(mark.x()).arg(text.x())));
        QVERIFY(mark.right() < text.left());
        QVERIFY(listing->viewport()->rect().contains(mark));

        NotesBrowser *browser = w.notesCommands()->openBrowser();
        QVERIFY(QTest::qWaitForWindowExposed(browser));
        auto *view = child<QTableView>(browser, "notesList");
        const QString date = browser->model().index(0, 3).data().toString();
        QVERIFY(view->columnWidth(3) >= view->fontMetrics().horizontalAdvance(date));
        const int at = view->horizontalHeader()->sectionViewportPosition(3);
        QVERIFY(at >= 0 && at + view->columnWidth(3) <= view->viewport()->width());

        AyaListsWindow *lists = w.notesCommands()->openLists();
        QVERIFY(QTest::qWaitForWindowExposed(lists));
        for (const auto &[caption, list] : {std::pair{"listsCaption", "lists"}, std::pair{"listAyasCaption", "listAyas"}}) {
            auto *label = child<QLabel>(lists, caption);
            QVERIFY(label && label->isVisible() && !label->text().isEmpty());
            QCOMPARE(label->buddy(), static_cast<QWidget *>(child<QListWidget>(lists, list)));
        }
    }

    // An import never replaces the reader's text, whatever time the file
    // gives: another text on the same ayas is added beside it. Twins in one
    // file come in once; over-long tags and list names are refused alone.
    void importKeepsTheReadersText()
    {
        guitest::MessageLog log;
        Reader reader(folder->path(), u"2:255"_qs);
        NotesStore notes(reader.store);
        Note mine = makeNote(2, 255, 255, u"نصي"_qs, {u"صبر"_qs});
        QVERIFY(notes.save(mine));
        const QByteArray longTag = QString(NotesStore::kMaxTagLength + 1, u'و').toUtf8();
        const QByteArray longName = QString(NotesStore::kMaxListNameLength + 1, u'ق').toUtf8();
        const QByteArray json = notesFile(R"([
            {"sura": 2, "from": 255, "to": 255, "text": "نص آخر", "modified": "9999-12-31T00:00:00.000Z"},
            {"sura": 2, "from": 255, "to": 255, "text": "بلا وقت"},
            {"sura": 2, "from": 255, "to": 255, "text": "نصي", "tags": ["تدبر", "أ، ب"], "modified": "2100-01-01T00:00:00.000Z"},
            {"sura": 1, "from": 1, "to": 1, "text": "مكرر"}, {"sura": 1, "from": 1, "to": 1, "text": "مكرر"},
            {"sura": 1, "from": 2, "to": 2, "text": "وسم طويل", "tags": [")" + longTag + R"("]}])",
                                          R"([{"name": ")" + longName + R"(", "ayas": [{"sura": 1, "aya": 1}]},
            {"name": "قائمة", "ayas": [{"sura": 1, "aya": 1}, {"sura": 1, "aya": 1}]}])");
        QTemporaryDir dir;
        const QString path = testutil::writtenFile(dir, u"notes.json"_qs, json);
        reader.window->notesCommands()->transfer()->importFrom(path);
        QCOMPARE(log.lines().last(), u"زرفان|أضيف : 4    دمج : 1    رفض : 2"_qs);
        QStringList texts;
        for (const Note &n : notes.notes()) {
            texts.append(n.text);
            QVERIFY(n.modified <= QDateTime::currentDateTime());
        }
        texts.sort();
        QCOMPARE(texts, QStringList({u"بلا وقت"_qs, u"مكرر"_qs, u"نص آخر"_qs, u"نصي"_qs}));
        const Note kept = *notes.note(mine.id);
        QCOMPARE(kept.tags, QStringList({u"صبر"_qs, u"تدبر"_qs, u"أ، ب"_qs}));
        QCOMPARE(kept.modified, mine.modified);
        QCOMPARE(notes.listAyas(notes.lists().front().id).size(), std::size_t(1));

        reader.window->notesCommands()->transfer()->importFrom(path);
        QCOMPARE(log.lines().last(), u"زرفان|أضيف : 0    دمج : 0    رفض : 2"_qs);
        QCOMPARE(notes.notes().size(), std::size_t(4));

        // A tag holding a comma reads back as one tag from the line it is shown on.
        const QStringList tags{u"أ، ب"_qs, u"c, d"_qs, u"\"قول\""_qs, u"صبر"_qs};
        QCOMPARE(NotesStore::tagsFromText(NotesStore::tagsText(tags)), tags);
        QCOMPARE(NotesStore::tagsFromText(u"صبر، تدبر,شكر"_qs), QStringList({u"صبر"_qs, u"تدبر"_qs, u"شكر"_qs}));
        Note again = kept;
        QVERIFY(notes.save(again));
        QCOMPARE(notes.note(mine.id)->tags, kept.tags);
        Note tagged = makeNote(1, 3, 3, u"x"_qs, {QString::fromUtf8(longTag)});
        QVERIFY(!notes.save(tagged));
        QVERIFY(notes.lastError().contains(u"وسم أطول"_qs));
    }

    // What SQLite says is told in Arabic with what to do; its own words
    // follow on a line of their own.
    void storeFailuresAreToldInArabic()
    {
        guitest::MessageLog log;
        Reader reader(folder->path(), u"112:1"_qs);
        NotesStore notes(reader.store);
        QVERIFY(notes.createList(u"أولى"_qs) && notes.createList(u"ثانية"_qs));
        AyaListsWindow *lists = reader.window->notesCommands()->openLists();
        child<QListWidget>(lists, "lists")->setCurrentRow(1);
        guitest::whenModal([](QWidget *dialog) {
            auto *input = static_cast<QInputDialog *>(dialog);
            input->setTextValue(u"أولى"_qs);
            input->accept();
        });
        QTest::mouseClick(child<QPushButton>(lists, "rename"), Qt::LeftButton);
        QStringList told = log.lines().join(u'\n').split(u'\n');
        QVERIFY2(told.contains(u"توجد قائمة بهذا الاسم، فاختر اسما آخر"_qs), qPrintable(told.join(u'\n')));
        QVERIFY(told.last().contains(u"UNIQUE constraint failed: lists.name"_qs));

        // Each failure's first line is Arabic and says what to do.
        const auto firstLine = [&] { return notes.lastError().section(u'\n', 0, 0); };
        QVERIFY(reader.store.connection().exec("PRAGMA query_only = 1;"));
        QVERIFY(!notes.addToList(notes.lists().front().id, {{112, 1}}));
        QVERIFY(firstLine().contains(u"لا يقبل الكتابة"_qs));
        QVERIFY(notes.lastError().endsWith(u"attempt to write a readonly database"_qs));
        QVERIFY(reader.store.connection().exec("PRAGMA query_only = 0;"
                                               "DROP TABLE notes; CREATE TABLE notes (id INTEGER PRIMARY KEY, text TEXT);"));
        Note n = makeNote(1, 1, 1, u"x"_qs);
        QVERIFY(!notes.save(n));
        QVERIFY(firstLine().contains(u"لا يطابق"_qs));
        QVERIFY(notes.lastError().endsWith(u"table notes has no column named sura"_qs));
        QVERIFY(!notes.createList(QString(NotesStore::kMaxListNameLength + 1, u'ق')));
        QVERIFY(firstLine().contains(u"أطول من"_qs));
    }

    // The Markdown export shows the reader's text as written: nothing in it
    // becomes a heading or markup, no control character passes, and a tag
    // holding a comma stays one tag.
    void markdownExportIsEscaped()
    {
        Reader reader(folder->path(), u"1:1"_qs);
        NotesStore notes(reader.store);
        Note n = makeNote(1, 1, 1, u"# عنوان\n<script>alert(1)</script> *مائل* [رابط](http://x)\n    مسافات"_qs + QChar(0) + QChar(7) + u"نهاية"_qs,
                          {u"أ، ب"_qs, u"ج"_qs});
        QVERIFY(notes.save(n));
        QVERIFY(notes.createList(u"# قائمة"_qs));
        QTemporaryDir dir;
        const QString path = dir.filePath(u"notes.md"_qs);
        QVERIFY(reader.window->notesCommands()->transfer()->exportTo(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString md = QString::fromUtf8(file.readAll());
        for (const QString &line : md.split(u'\n')) {
            if (line.startsWith(u'#'))
                QVERIFY2(line == u"# خواطري"_qs || line == u"# قوائم الآيات"_qs || line == u"## الفاتحة : 1"_qs || line == u"## \\# قائمة"_qs,
                         qPrintable(line));
            QVERIFY2(!line.startsWith(u"    "_qs), qPrintable(line));
        }
        QVERIFY(md.contains(u"\\# عنوان"_qs));
        QVERIFY(!md.contains(u"<script>"_qs) && md.contains(u"\\<script\\>"_qs));
        QVERIFY(md.contains(u"\\*مائل\\*"_qs) && md.contains(u"\\[رابط\\]"_qs));
        QVERIFY(!md.contains(QChar(0)) && !md.contains(QChar(7)) && md.contains(u"مسافات"_qs + u"نهاية"_qs));
        QVERIFY(md.contains(u"الوسوم: \\\"أ، ب\\\"، ج"_qs));
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

QTEST_MAIN(NotesWindowsTest)
#include "test_noteswindows.moc"
