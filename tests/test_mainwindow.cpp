#include "guitest.h"

#include "auxiliary/windows/aboutwindow.h"
#include "khatma/windows/khatmawindow.h"
#include "auxiliary/windows/noteswindow.h"
#include "auxiliary/windows/updatewindow.h"
#include "state/listingfill.h"
#include "compose/windows/composewindow.h"
#include "navigator/windows/navigatorwindow.h"
#include "search/arabicfolding.h"
#include "search/windows/resultstextwindow.h"
#include "search/windows/optionswindow.h"
#include "app/singleinstance.h"
#include "data/userstore.h"
#include "topics/windows/topicwindow.h"

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QRegularExpression>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QCompleter>
#include <QTextCursor>
#include <QToolButton>

using namespace zarfan;
using guitest::child;

class MainWindowTest : public QObject, guitest::MainWindowFixture {
    Q_OBJECT
private slots:
    void initTestCase() { startCase(); }
    void init() { start(); }
    void cleanup() { stop(); }

    void controlsAndMenus()
    {
        QCOMPARE(w->objectName(), u"Form1"_qs);
        QCOMPARE(w->windowTitle(), u" زرفان 3.0"_qs);
        QCOMPARE(w->layoutDirection(), Qt::RightToLeft);
        for (const char *name : {"searcht", "search", "allayaasearch", "copytext", "option", "Check1", "suraayaalist",
                                 "Text1", "addaya", "Text2", "score", "pagenotext", "chapterNOtext", "typetext", "soraayanum",
                                 "Label1", "Label2", "Label3", "Label4", "Label6", "Label7", "label8", "Label10", "Image1"})
            QVERIFY2(w->findChild<QWidget *>(QString::fromLatin1(name)), name);
        QCOMPARE(child<QToolButton>(w.get(), "search")->toolTip(), u"القيام بعملية بحث"_qs);
        QCOMPARE(child<QToolButton>(w.get(), "option")->toolTip(), u"خصائص البحث"_qs);
        QCOMPARE(child<QCheckBox>(w.get(), "Check1")->text(), u"بدون تشكيل"_qs);
        QCOMPARE(label("score"), u"0"_qs);
        QCOMPARE(label("typetext"), u"---"_qs);
        QCOMPARE(label("soraayanum"), u"0"_qs);
        QVERIFY(!child<QPlainTextEdit>(w.get(), "Text2")->isVisible());
        QVERIFY(text1().isEmpty());
        QCOMPARE(child<QPlainTextEdit>(w.get(), "Text1")->font().family(), u"Tahoma"_qs);
        QCOMPARE(child<QPlainTextEdit>(w.get(), "Text1")->font().pointSizeF(), 11.25);

        const struct { const char *name, *caption, *shortcut; } items[] = {
            {"tafser2", "التفسير الميسر", ""}, {"tafser1", "تفسير الجلالين", ""}, {"hidetaf", "إخفاء", ""},
            {"fullsearch", "البحوث الكاملة", ""}, {"chosen", "تكوين النص المختار", "Ctrl+S"},
            {"allayaa", "تكوين النص لسورة كاملة", "Ctrl+A"}, {"subjects", "دليل مواضيع القرآن الكريم", ""},
            {"about", "عن البرنامج", ""}, {"update", "تحديث", ""}, {"copy", "نسخ النص", "Ctrl+C"}, {"tools", "tools", "Ctrl+T"},
            {"readingwindow", "نافذة القراءة", "Ctrl+R"}, {"continuereading", "متابعة القراءة", "Ctrl+Shift+R"},
            {"zoomin", "تكبير الخط", "Ctrl+="}, {"zoomout", "تصغير الخط", "Ctrl+-"}, {"zoomreset", "الحجم الأصلي", "Ctrl+0"},
            {"themelight", "فاتح", ""}, {"themepaper", "ورقي", ""}, {"themedark", "داكن", ""}};
        for (const auto &item : items) {
            QAction *a = action(item.name);
            QVERIFY2(a, item.name);
            QCOMPARE(a->text(), QString::fromUtf8(item.caption));
            QCOMPARE(a->shortcut(), QKeySequence(QString::fromLatin1(item.shortcut)));
            QVERIFY(a->isEnabled());
        }
        QVERIFY(action("cut0")->isSeparator());
        QVERIFY(action("cut")->isSeparator());
        // Bar order, first at the right end of a right-to-left bar.
        QStringList bar;
        for (QAction *a : w->menuBar()->actions())
            bar.append(a->text());
        QCOMPARE(bar, QStringList({u"تفسير معاني القرآن"_qs, u"الترجمة"_qs, u"البحوث الكاملة"_qs, u"تكوين النص"_qs,
                                   u"دليل مواضيع القرآن الكريم"_qs, u"مساعدة"_qs, u"أدوات البحث"_qs, u"القراءة"_qs,
                                   u"التلاوة"_qs, u"خواطري"_qs}));
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(w.get(), "searcht"));
    }

    void displayOfAnAya()
    {
        navigate("searchname", 1);
        select(254);
        QCOMPARE(text1(), aya(2, 255).text + u" [البقرة : 255]"_qs);
        QCOMPARE(label("typetext"), u"مدنية"_qs);
        QCOMPARE(label("soraayanum"), u"286"_qs);
        QCOMPARE(label("chapterNOtext"), QString::number(aya(2, 255).juz));
        QCOMPARE(label("pagenotext"), QString::number(aya(2, 255).page));
        QCOMPARE(child<QLabel>(w.get(), "score")->accessibleName(), u"عدد النتائج : 286"_qs);
        // Check1 counts from the next selection on.
        child<QCheckBox>(w.get(), "Check1")->setChecked(true);
        QCOMPARE(text1(), aya(2, 255).text + u" [البقرة : 255]"_qs);
        select(1);
        QCOMPARE(text1(), QString(aya(2, 2).clean).replace(u" ۛ"_qs, QString()) + u" [البقرة : 2]"_qs);
        child<QCheckBox>(w.get(), "Check1")->setChecked(false);
        select(2);
        QCOMPARE(text1(), aya(2, 3).text + u" [البقرة : 3]"_qs);
        // A listing with no lines leaves the aya on display.
        search(u"لا يوجد هذا النص"_qs);
        QCOMPARE(label("score"), u"0"_qs);
        QCOMPARE(text1(), aya(2, 3).text + u" [البقرة : 3]"_qs);
    }

    void tafsir()
    {
        auto *text2 = child<QPlainTextEdit>(w.get(), "Text2");
        const int shortHeight = w->height();
        action("tafser2")->trigger();
        QVERIFY(text2->isVisible());
        QVERIFY(text2->toPlainText().isEmpty());
        QVERIFY(w->height() > shortHeight);
        navigate("searchname", 0);
        const QString muyassar = text2->toPlainText();
        QVERIFY(!muyassar.isEmpty());
        action("tafser1")->trigger();
        QVERIFY(!text2->toPlainText().isEmpty());
        QVERIFY(text2->toPlainText() != muyassar);
        select(1);
        const QString jalalayn2 = text2->toPlainText();
        action("tafser2")->trigger();
        QVERIFY(text2->toPlainText() != jalalayn2);
        action("hidetaf")->trigger();
        action("hidetaf")->trigger();
        QVERIFY(!text2->isVisible());
        QCOMPARE(w->height(), shortHeight);
    }

    void wholeSuraOfTheSelectedLine()
    {
        navigate("tafsercombo", 29);
        const int k = int(lines().indexOf(u"عبس : 3"_qs));
        QVERIFY(k > 0);
        select(k);
        QTest::mouseClick(child<QToolButton>(w.get(), "allayaasearch"), Qt::LeftButton);
        QCOMPARE(w->listing().count(), 42);
        QCOMPARE(lines().first(), u"عبس : 1"_qs);
        QCOMPARE(programState().mixedsora, qint16(0));
        QCOMPARE(label("score"), u"42"_qs);
        QVERIFY(action("fullsearch")->isEnabled());
    }

    // A fill started inside another fill's yield ends with its lines only.
    void fillDuringFill()
    {
        searchLiterally();
        EventYield::setDefaultInterval(0);
        bool started = false;
        QTimer::singleShot(0, this, [&] {
            started = true;
            navigate("searchname", 111);
        });
        search(u"ا"_qs);
        QVERIFY(started);
        QCOMPARE(lines(), QStringList({u"الإخلاص : 1"_qs, u"الإخلاص : 2"_qs, u"الإخلاص : 3"_qs, u"الإخلاص : 4"_qs}));
        QCOMPARE(label("score"), u"4"_qs);
        QCOMPARE(text1(), aya(112, 1).text + u" [الإخلاص : 1]"_qs);
        QVERIFY(child<QToolButton>(w.get(), "allayaasearch")->isEnabled());
    }

    // A click during a fill displays that line at once.
    void clickDuringFill()
    {
        searchLiterally();
        EventYield::setDefaultInterval(0);
        QString shownDuringFill, line;
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (w->listing().count() > 3 && line.isEmpty()) {
                select(3);
                line = w->listing().at(3).line;
                shownDuringFill = text1();
            }
        });
        poll.start(0);
        search(u"ا"_qs);
        poll.stop();
        QVERIFY(!line.isEmpty());
        QCOMPARE(shownDuringFill, aya(1, 4).text + u" ["_qs + line + u']');
        QCOMPARE(label("score"), QString::number(w->listing().count()));
        QVERIFY(text1().endsWith(u" [الفاتحة : 1]"_qs));
    }

    void chosenList()
    {
        guitest::MessageLog log;
        navigate("searchname", 0);
        auto *addaya = child<QListWidget>(w.get(), "addaya");
        for (int k : {0, 2, 4}) {
            select(k);
            w->addSelectedToChosen();
        }
        select(2);
        QTest::keyClick(results(), Qt::Key_Return);
        QCOMPARE(log.lines(), QStringList({u"زرفان|لقد تمت إضافة هذه الآية سابقا"_qs}));
        QCOMPARE(addaya->count(), 3);
        QCOMPARE(w->chosenList().hideadd, QStringList({u"1"_qs, u"3"_qs, u"5"_qs}));
        addaya->setCurrentRow(1);
        QTest::keyClick(addaya, Qt::Key_Delete);
        QCOMPARE(w->chosenList().addaya, QStringList({u"الفاتحة : 1"_qs, u"الفاتحة : 5"_qs}));
        QCOMPARE(w->chosenList().hideadd, QStringList({u"1"_qs, u"5"_qs}));
        QCOMPARE(addaya->count(), 2);
        QCOMPARE(addaya->item(1)->text(), u"الفاتحة : 5"_qs);
    }

    void nothingChosenBeforeADisplay()
    {
        navigate("searchname", 0);
        child<QPlainTextEdit>(w.get(), "Text1")->clear();
        w->addSelectedToChosen();
        QCOMPARE(w->chosenList().count(), 0);
    }

    void copyBeforeAnyDisplay()
    {
        QApplication::clipboard()->setText(u"old"_qs);
        QTest::mouseClick(child<QToolButton>(w.get(), "copytext"), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), QString());
    }

    // Every line of the aya and tafsir boxes starts at their right edge, also
    // after a font change and when the text wraps.
    void textBoxesStartAtTheRightEdge()
    {
        action("tafser1")->trigger();
        search(u"الله"_qs);
        w->state().setAyaFont(designFont(u"Amiri"_qs, 20));
        select(1);
        for (const char *name : {"Text1", "Text2"}) {
            auto *box = child<QPlainTextEdit>(w.get(), name);
            QVERIFY(box->document()->defaultTextOption().alignment() & Qt::AlignRight);
            QTextCursor cursor(box->document());
            // The first character of the first and of the last line.
            const QRect first = box->cursorRect(cursor);
            cursor.movePosition(QTextCursor::End);
            cursor.movePosition(QTextCursor::StartOfLine);
            const QRect last = box->cursorRect(cursor);
            QVERIFY2(first.x() > box->viewport()->width() - 20, name);
            QVERIFY2(last.x() > box->viewport()->width() - 20, name);
        }
    }

    // Only a live copy's lock refuses a start.
    void lockFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"lock"_qs);
        for (const QByteArray &content : {QByteArray(), QByteArray("garbage\n\x01\x02")}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
            f.close();
            SingleInstance instance(path);
            QVERIFY(instance.isFirst());
        }
        {
            SingleInstance held(path);
            QVERIFY(held.isFirst());
            QVERIFY(!SingleInstance(path).isFirst());
        }
        QVERIFY(SingleInstance(dir.filePath(u"no/such/folder/lock"_qs)).isFirst());
    }

    // The reference after the aya never wraps inside its brackets, at any
    // width; the copy button and Ctrl+C give the text as it is.
    void referenceNeverWrapsInside()
    {
        search(u"2:282"_qs);
        auto *text1 = child<QPlainTextEdit>(w.get(), "Text1");
        const QString original = aya(2, 282).text + u" [البقرة : 282]"_qs;
        const qsizetype open = original.lastIndexOf(u'['), close = original.size() - 1;
        const auto top = [&](qsizetype position) {
            QTextCursor cursor(text1->document());
            cursor.setPosition(int(position));
            return text1->cursorRect(cursor).top();
        };
        for (int width = 120; width <= 480; width += 3) {
            text1->resize(width, text1->height());
            QVERIFY2(top(open + 1) == top(close), qPrintable(QString::number(width)));
        }
        QTest::mouseClick(child<QToolButton>(w.get(), "copytext"), Qt::LeftButton);
        QCOMPARE(QApplication::clipboard()->text(), original);
        QApplication::clipboard()->clear();
        QTest::keyClick(text1, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), original);
    }

    // What the reader collects and where the window was come back at the
    // next start; a place on a screen that is gone is not used.
    void keptAcrossARestart()
    {
        QTemporaryDir data;
        const QString path = data.filePath(u"user.db"_qs);
        {
            guitest::StoredState stored(folder->path(), path);
            ReadingState &state = stored.state;
            MainWindow first(state);
            first.show();
            first.openTopics();
            first.topicWindow()->resize(420, 380);
            child<QLineEdit>(&first, "searcht")->setText(u"الصمد"_qs);
            first.runSearch();
            first.addSelectedToChosen();
            child<QLineEdit>(&first, "searcht")->setText(u"1:1"_qs);
            first.runSearch();
            first.addSelectedToChosen();
            child<QAction>(&first, "tafser1")->trigger();
            child<QAction>(&first, "resultstext")->trigger();
            first.findChild<ResultsTextWindow *>()->resize(410, 330);
            first.move(30, 40);
            first.close();
        }
        UserStore store;
        QCOMPARE(store.open(path), UserStore::Opened::Existing);
        QCOMPARE(store.history(), QStringList({u"1:1"_qs, u"الصمد"_qs}));
        ReadingState state(folder->path());
        state.setUserStore(&store);
        MainWindow second(state);
        second.show();
        auto *addaya = child<QListWidget>(&second, "addaya");
        QCOMPARE(addaya->count(), 2);
        QCOMPARE(addaya->item(0)->text(), u"الإخلاص : 2"_qs);
        QCOMPARE(state.chosenList().hideadd, QStringList({u"6223"_qs, u"1"_qs}));
        QVERIFY(child<QPlainTextEdit>(&second, "Text2")->isVisible());
        QCOMPARE(second.pos(), QPoint(30, 40));
        second.openTopics();
        QCOMPARE(second.topicWindow()->size(), QSize(420, 380));
        child<QAction>(&second, "resultstext")->trigger();
        QCOMPARE(second.findChild<ResultsTextWindow *>()->size(), QSize(410, 330));
        // The history offers earlier texts, spelling folded.
        auto *box = child<QLineEdit>(&second, "searcht");
        box->setText(u"الص"_qs);
        emit box->textEdited(box->text());
        QAbstractItemModel *offered = second.findChild<QCompleter *>()->model();
        QCOMPARE(offered->rowCount(), 1);
        QCOMPARE(offered->index(0, 0).data().toString(), u"الصمد"_qs);
        second.close();

        // Bigger than the screen: neither the place nor the sizes are used.
        store.setValue(u"main.geometry"_qs, "2000,0,2800,1900");
        store.setValue(u"topics.size"_qs, "65535,65535");
        MainWindow third(state);
        third.show();
        const QRect screen = third.screen()->geometry();
        QVERIFY(third.width() < 2800);
        QCOMPARE(third.x(), screen.x() + int(screen.width() / 2.0 - third.width() / 2.0));
        third.openTopics();
        QVERIFY(third.topicWindow()->width() <= screen.width());
    }

    // Every window besides the main one opens through the window opener:
    // once, closed with the main window in its order (a note editor first, as
    // it may keep the main window open), at the size it was left at.
    void secondaryWindowsCloseInOrderAndKeepTheirSizes()
    {
        QTemporaryDir data;
        const QString path = data.filePath(u"user.db"_qs);
        const char *const actions[] = {"subjects", "distribution", "khatma", "resultstext", "readingwindow",
                                       "reciteSources", "reciteOffline", "reciteSaved", "similarayasaction",
                                       "recitalaction", "memoriseprogressaction", "notesBrowserAction",
                                       "ayaListsAction", "noteAction"};
        const QStringList names{u"noteEditor"_qs, u"Form8"_qs, u"DistributionWindow"_qs, u"KhatmaWindow"_qs,
                                u"resultstext"_qs, u"ReadingWindow"_qs, u"reciterWindow"_qs, u"offlineWindow"_qs,
                                u"savedRecitationsWindow"_qs, u"similarayas"_qs, u"recital"_qs, u"memoriseprogress"_qs,
                                u"notesBrowser"_qs, u"ayaLists"_qs};
        QHash<QString, QSize> sizes;
        {
            guitest::StoredState stored(folder->path(), path);
            MainWindow first(stored.state);
            first.show();
            child<QLineEdit>(&first, "searcht")->setText(u"1:1"_qs);
            first.runSearch();
            QStringList closed;
            struct Recorder : QObject {
                QStringList *closed;
                bool eventFilter(QObject *watched, QEvent *event) override
                {
                    if (event->type() == QEvent::Hide)
                        closed->append(watched->objectName());
                    return false;
                }
            } recorder;
            recorder.closed = &closed;
            for (const char *name : actions) {
                // Twice: the second brings up the window the first made.
                child<QAction>(&first, name)->trigger();
                child<QAction>(&first, name)->trigger();
            }
            for (const QString &name : names) {
                const QList<QWidget *> found = first.findChildren<QWidget *>(name);
                QVERIFY2(found.size() == 1, qPrintable(name));
                QWidget *window = found.first();
                QVERIFY2(window->isVisible(), qPrintable(name));
                window->installEventFilter(&recorder);
                // A size that fits the screen, each its own.
                window->move(10, 10);
                window->resize(QSize(420 + 7 * int(sizes.size()), 320).expandedTo(window->minimumSizeHint()));
                sizes.insert(name, window->size());
            }
            first.close();
            QCOMPARE(closed, names);
            for (const QString &name : names) {
                for (QWidget *window : first.findChildren<QWidget *>(name))
                    QVERIFY2(!window->isVisible(), qPrintable(name));
            }
        }
        guitest::StoredState stored(folder->path(), path);
        MainWindow second(stored.state);
        second.show();
        child<QLineEdit>(&second, "searcht")->setText(u"1:1"_qs);
        second.runSearch();
        for (const char *name : actions)
            child<QAction>(&second, name)->trigger();
        for (const QString &name : names)
            QCOMPARE(child<QWidget>(&second, qPrintable(name))->size(), sizes.value(name));
        second.close();
    }

    // A separator in a menu is a line without text.
    void menuSeparators()
    {
        int separators = 0;
        for (QMenu *menu : w->findChildren<QMenu *>()) {
            for (QAction *a : menu->actions()) {
                if (a->isSeparator()) {
                    ++separators;
                    QVERIFY2(a->text().isEmpty(), qPrintable(a->objectName()));
                }
            }
        }
        QVERIFY(separators >= 2);
    }

    // On a first start every menu shows in the bar, none behind its
    // overflow button.
    void everyMenuInTheBarAtFirstStart()
    {
        QTemporaryDir data;
        guitest::StoredState stored(folder->path(), data.filePath(u"user.db"_qs));
        MainWindow window(stored.state);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QMenuBar *bar = window.menuBar();
        QVERIFY(!child<QToolButton>(bar, "qt_menubar_ext_button")->isVisible());
        for (QAction *menu : bar->actions())
            QVERIFY2(bar->rect().contains(bar->actionGeometry(menu)), qPrintable(menu->text()));
    }

    // Every control a user can reach has a name a screen reader can say.
    void accessibleNames()
    {
        action("subjects")->trigger();
        OptionsWindow *form6 = w->optionsWindow();
        NavigatorWindow form7(w->state(), w.get());
        ComposeWindow form5(w->state(), w.get());
        UpdateWindow form4(w.get());
        AboutWindow form2(w.get());
        NotesWindow form3(w.get());
        KhatmaWindow khatma(w->state().khatma(), w.get());
        const QList<QWidget *> windows{w.get(), form6, &form7, w->topicWindow(), &form5, &form4, &form2, &form3, &khatma};
        for (QWidget *window : windows) {
            for (QWidget *c : window->findChildren<QWidget *>()) {
                if (c->focusPolicy() == Qt::NoFocus || !c->isVisibleTo(window) || qobject_cast<QMenuBar *>(c)
                    || qobject_cast<QAbstractScrollArea *>(c->parentWidget()) || qobject_cast<QComboBox *>(c->parentWidget()))
                    continue;
                QAccessibleInterface *face = QAccessible::queryAccessibleInterface(c);
                QVERIFY(face);
                QVERIFY2(!face->text(QAccessible::Name).isEmpty(), qPrintable(window->objectName() + u'.' + c->objectName()));
            }
        }
        for (QAction *a : w->findChildren<QAction *>())
            QVERIFY2(a->objectName().isEmpty() || a->isSeparator() || !a->text().isEmpty(), qPrintable(a->objectName()));
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
