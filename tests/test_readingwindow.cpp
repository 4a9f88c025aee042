#include "readingtest.h"
#include "browse/suratables.h"
#include "data/connectionstring.h"
#include "data/userstore.h"
#include "guitest.h"
#include "reading/mushafpage.h"
#include "reading/windows/mushafview.h"
#include "reading/printedpage.h"
#include "reading/windows/readingcommands.h"
#include "reading/readingview.h"
#include "reading/windows/readingwindow.h"

#include <QClipboard>
#include <QComboBox>
#include <QFontDatabase>
#include <QProcess>
#include <QStatusBar>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextEdit>
#include <QAccessible>
#include <QSignalSpy>

using namespace zarfan;
using guitest::child;

using namespace readingtest;

class ReadingWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { prepare(); }

    // The listing and the page follow each other, by real keys and clicks.
    void syncBothWays()
    {
        guitest::AppFolder folder;
        QTemporaryDir data;
        guitest::StoredState stored(folder.path(), data.filePath(u"user.db"_qs));
        ReadingState &state = stored.state;
        // A kept place no screen can hold is not used.
        stored.store.setValue(u"reading.geometry"_qs, "0,0,65535,65535");
        stored.store.setValue(u"reading.view"_qs, "continuous");
        MainWindow w(state);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto *search = child<QLineEdit>(&w, "searcht");
        search->setText(u"2:255-257"_qs);
        QTest::keyClick(search, Qt::Key_Return);
        QTest::keyClick(search, Qt::Key_R, Qt::ControlModifier);
        ReadingWindow *r = w.readingCommands()->window();
        QVERIFY(r && r->isVisible());
        QVERIFY(r->width() < 4000 && r->height() < 4000);
        QCOMPARE(r->windowTitle(), u"القراءة"_qs);
        QCOMPARE(r->pageNumber(), 42);
        auto *view = child<QTextEdit>(r, "pagetext");
        QCOMPARE(view->accessibleName(), u"نص الصفحة"_qs);
        QCOMPARE(view->accessibleDescription(), u"البقرة : 255"_qs);
        QCOMPARE(view->extraSelections().size(), 1);
        QCOMPARE(view->extraSelections().first().cursor.selectionStart(), int(r->page().find(262)->start));

        // A line further down the listing, by the arrow key: the page turns.
        auto *list = child<QListView>(&w, "suraayaalist");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Down);
        // The page follows a quick run of lines once the run pauses.
        QTRY_COMPARE(r->pageNumber(), 43);
        QCOMPARE(state.currentAya(), 264);

        // A click on 2:258, not listed, shows it alone; Enter on 2:257 selects its line.
        const auto clickAya = [&](int id) {
            const PageAya *a = r->page().find(id);
            QVERIFY(a);
            QTextCursor c(view->document());
            c.setPosition(int(a->start + 3));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->cursorRect(c).center());
        };
        auto *text1 = child<QPlainTextEdit>(&w, "Text1");
        clickAya(265);
        QVERIFY(text1->toPlainText().endsWith(u"[البقرة : 258]"_qs));
        QVERIFY(!list->currentIndex().isValid());
        QCOMPARE(child<QLabel>(&w, "pagenotext")->text(), u"43"_qs);
        QTRY_COMPARE(view->extraSelections().first().cursor.selectionStart(), int(r->page().find(265)->start));
        QTextCursor c(view->document());
        c.setPosition(int(r->page().find(264)->start + 2));
        view->setTextCursor(c);
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(list->currentIndex().row(), 2);
        QVERIFY(text1->toPlainText().endsWith(u"[البقرة : 257]"_qs));
        QTest::keyClick(view, Qt::Key_Right, Qt::AltModifier);
        clickAya(263);
        QCOMPARE(list->currentIndex().row(), 1);
        QVERIFY(text1->toPlainText().endsWith(u"[البقرة : 256]"_qs));

        // Marked words of a word search.
        search->setText(u"كرسيه"_qs);
        QTest::keyClick(search, Qt::Key_Return);
        QTRY_COMPARE(r->pageNumber(), 42);
        const PageAya *throne = r->page().find(262);
        const auto marks = view->extraSelections();
        QVERIFY(std::any_of(marks.begin(), marks.end(), [&](const QTextEdit::ExtraSelection &s) {
            return s.format.fontUnderline() && s.cursor.selectionStart() > throne->start && s.cursor.selectionEnd() < throne->wordsEnd;
        }));

        // Copy gives plain text, once the reader is back in the page.
        r->activateWindow();
        QTRY_VERIFY(r->isActiveWindow());
        view->selectAll();
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        const QMimeData *copied = QApplication::clipboard()->mimeData();
        QVERIFY(!copied->hasHtml());
        QCOMPARE(copied->text(), r->page().text);
    }

    // Without Amiri Quran the Uthmani page takes the aya font and says so
    // once. Run in a child process that sees only the other fonts.
    void uthmaniWithoutAmiri()
    {
        if (!qEnvironmentVariableIsSet("ZARFAN_TEST_WITHOUT_AMIRI")) {
            QTemporaryDir fonts;
            QFile conf(fonts.filePath(u"fonts.conf"_qs));
            QVERIFY(conf.open(QIODevice::WriteOnly));
            conf.write("<?xml version=\"1.0\"?><fontconfig><dir>/usr/share/fonts/truetype</dir><cachedir>"
                       + fonts.path().toUtf8() + "</cachedir></fontconfig>");
            conf.close();
            QProcess child;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"FONTCONFIG_FILE"_qs, conf.fileName());
            env.insert(u"ZARFAN_TEST_WITHOUT_AMIRI"_qs, u"1"_qs);
            child.setProcessEnvironment(env);
            child.setProcessChannelMode(QProcess::MergedChannels);
            child.start(QCoreApplication::applicationFilePath(), {u"uthmaniWithoutAmiri"_qs});
            QVERIFY(child.waitForFinished(120000));
            QVERIFY2(child.exitCode() == 0, child.readAll().constData());
            return;
        }
        QVERIFY(!QFontDatabase::hasFamily(QString::fromLatin1(ReadingWindow::kQuranFont)));
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        ReadingWindow *r = continueReading(w);
        QVERIFY(r);
        auto *script = child<QComboBox>(r, "script");
        script->setFocus();
        QTest::keyClick(script, Qt::Key_Down);
        QCOMPARE(r->script(), Script::Uthmani);
        const QString notice = u"خط Amiri Quran غير مثبت؛ يعرض النص العثماني بخط الآيات"_qs;
        QCOMPARE(r->statusBar()->currentMessage(), notice);
        QCOMPARE(child<QTextEdit>(r, "pagetext")->font().family(), w.state().ayaFont().family());
        r->statusBar()->clearMessage();
        QTest::keyClick(script, Qt::Key_Up);
        QTest::keyClick(script, Qt::Key_Down);
        QVERIFY(r->statusBar()->currentMessage().isEmpty());
    }

    void turningPages()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        ReadingWindow *r = continueReading(w);
        QVERIFY(r);
        QCOMPARE(r->pageNumber(), 1);
        child<QComboBox>(r, "viewmode")->setCurrentIndex(1);
        auto *view = child<QTextEdit>(r, "pagetext");
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(r->pageNumber(), 2);
        QTest::keyClick(view, Qt::Key_Right, Qt::AltModifier);
        QCOMPARE(r->pageNumber(), 1);
        QTest::keyClick(view, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(r->pageNumber(), 604);
        QTest::keyClick(view, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(r->pageNumber(), 1);
        // PageDown scrolls a long page first, then turns.
        r->resize(400, 260);
        r->showPage(50);
        QCoreApplication::processEvents();
        QVERIFY(view->verticalScrollBar()->maximum() > 0);
        QTest::keyClick(view, Qt::Key_PageDown);
        QCOMPARE(r->pageNumber(), 50);
        for (int i = 0; i < 30 && r->pageNumber() == 50; ++i)
            QTest::keyClick(view, Qt::Key_PageDown);
        QCOMPARE(r->pageNumber(), 51);
        QCOMPARE(view->verticalScrollBar()->value(), 0);
        QTest::keyClick(child<QPushButton>(r, "previouspage"), Qt::Key_Space);
        QCOMPARE(r->pageNumber(), 50);
        QTest::mouseClick(child<QPushButton>(r, "nextpage"), Qt::LeftButton);
        QCOMPARE(r->pageNumber(), 51);
        // A page that fits turns at the first press, each way.
        r->resize(1000, 900);
        r->showPage(1);
        QCoreApplication::processEvents();
        QCOMPARE(view->verticalScrollBar()->maximum(), 0);
        QTest::keyClick(view, Qt::Key_PageDown);
        QCOMPARE(r->pageNumber(), 2);
        r->showPage(2);
        QTest::keyClick(view, Qt::Key_PageUp);
        QCOMPARE(r->pageNumber(), 1);
        // A tall page: every line is shown whole once paging down, and again
        // paging up after turning back; the caret stays in view.
        w.readingCommands()->setZoom(300);
        r->resize(700, 500);
        r->showPage(50);
        QCoreApplication::processEvents();
        QVERIFY(view->verticalScrollBar()->maximum() > 0);
        bool caretShown = true;
        const auto shownWhole = [&](QSet<int> &seen) {
            const int top = view->verticalScrollBar()->value();
            int n = 0;
            for (QTextBlock b = view->document()->begin(); b.isValid(); b = b.next()) {
                const qreal y = b.layout()->position().y() - top;
                for (int i = 0; i < b.layout()->lineCount(); ++i, ++n) {
                    const QTextLine line = b.layout()->lineAt(i);
                    if (y + line.y() >= -0.5 && y + line.y() + line.height() <= view->viewport()->height() + 0.5)
                        seen.insert(n);
                }
            }
            caretShown = caretShown && view->viewport()->rect().contains(view->cursorRect().center());
            return n;
        };
        QSet<int> down, up;
        int lines = 0;
        for (int i = 0; i < 60 && r->pageNumber() == 50; ++i) {
            lines = shownWhole(down);
            QTest::keyClick(view, Qt::Key_PageDown);
        }
        QCOMPARE(r->pageNumber(), 51);
        QVERIFY(lines > 15);
        QCOMPARE(down.size(), lines);
        QTest::keyClick(view, Qt::Key_PageUp);
        QCOMPARE(r->pageNumber(), 50);
        QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
        for (int i = 0; i < 60 && r->pageNumber() == 50; ++i) {
            shownWhole(up);
            QTest::keyClick(view, Qt::Key_PageUp);
        }
        QCOMPARE(r->pageNumber(), 49);
        QCOMPARE(up.size(), lines);
        QVERIFY(caretShown);
        w.readingCommands()->setZoom(100);
        r->showPage(51);
        // A typed number beyond the last page is clamped.
        auto *spin = child<QSpinBox>(r, "page");
        spin->selectAll();
        QTest::keyClicks(spin, u"999"_qs);
        QTest::keyClick(spin, Qt::Key_Return);
        QCOMPARE(r->pageNumber(), 604);
        QCOMPARE(child<QLabel>(r, "facts")->text(), child<QLabel>(r, "facts")->accessibleName());
    }

    // The printed page in the reading window: chosen by default, a click
    // makes a word's aya current, PageDown shows every line once each way,
    // and a page that fits turns at the first press.
    void printedPageInTheWindow()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        ReadingWindow *r = continueReading(w);
        QVERIFY(r);
        QCOMPARE(child<QComboBox>(r, "viewmode")->currentText(), u"صفحة المصحف"_qs);
        auto *view = child<MushafView>(r, "mushafpage");
        QVERIFY(view->isVisible());
        QVERIFY(!child<QTextEdit>(r, "pagetext")->isVisible());
        r->showPage(42);
        const QRectF word = view->wordRect({2, 255, 3});
        QVERIFY(!word.isEmpty());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, word.center().toPoint());
        QVERIFY(child<QPlainTextEdit>(&w, "Text1")->toPlainText().endsWith(u"[البقرة : 255]"_qs));
        QTRY_COMPARE(view->accessibleDescription(), u"البقرة : 255"_qs);
        // The aya as a picture: its lines and reference, the tafsir below when asked.
        const QImage aya = r->ayaPicture(false), withTafsir = r->ayaPicture(true);
        QVERIFY(!aya.isNull() && withTafsir.width() == aya.width() && withTafsir.height() > aya.height() + 50);
        QVERIFY(aya.height() < r->pagePicture().height());

        // A page that fits turns at once.
        view->setFocus();
        QTest::keyClick(view, Qt::Key_PageDown);
        QCOMPARE(r->pageNumber(), 43);
        QTest::keyClick(view, Qt::Key_PageUp);
        QCOMPARE(r->pageNumber(), 42);

        w.readingCommands()->setZoom(300);
        r->resize(700, 500);
        r->showPage(50);
        QCoreApplication::processEvents();
        QVERIFY(view->verticalScrollBar()->maximum() > 0);
        const auto shownWhole = [&](QSet<int> &seen) {
            for (int j = 0; j < 15; ++j) {
                const QRectF line = view->lineRect(0, j);
                if (line.top() >= -0.5 && line.bottom() <= view->viewport()->height() + 0.5)
                    seen.insert(j);
            }
        };
        QSet<int> down, up;
        for (int i = 0; i < 40 && r->pageNumber() == 50; ++i) {
            shownWhole(down);
            QTest::keyClick(view, Qt::Key_PageDown);
        }
        QCOMPARE(r->pageNumber(), 51);
        QCOMPARE(down.size(), 15);
        QTest::keyClick(view, Qt::Key_PageUp);
        QCOMPARE(r->pageNumber(), 50);
        QCOMPARE(view->verticalScrollBar()->value(), view->verticalScrollBar()->maximum());
        for (int i = 0; i < 40 && r->pageNumber() == 50; ++i) {
            shownWhole(up);
            QTest::keyClick(view, Qt::Key_PageUp);
        }
        QCOMPARE(r->pageNumber(), 49);
        QCOMPARE(up.size(), 15);
        w.readingCommands()->setZoom(100);

        // Facing pages in a wide window: the odd page on the right, turned by two.
        auto *facing = w.findChild<QAction *>(u"facingpages"_qs);
        QVERIFY(facing);
        QCOMPARE(facing->text(), u"صفحتان متقابلتان"_qs);
        facing->trigger();
        r->resize(1200, 700);
        QCoreApplication::processEvents();
        QCOMPARE(r->printedPages().size(), 2);
        QCOMPARE(r->printedPages()[0].number, 49);
        QCOMPARE(r->printedPages()[1].number, 50);
        QVERIFY(view->lineRect(0, 0).left() > view->lineRect(1, 0).right());
        view->setFocus();
        QTest::keyClick(view, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(r->printedPages()[0].number, 51);
        QCOMPARE(view->pageWords().size(), r->printedPages()[0].words().size() + r->printedPages()[1].words().size());
        // A tall window shows one page.
        r->resize(700, 1000);
        QCoreApplication::processEvents();
        QCOMPARE(r->printedPages().size(), 1);
        facing->trigger();
    }

    // A theme change marks the current aya in the new colours at once, and
    // the current aya is told to a screen reader once per change.
    // The picture commands in the menu "القراءة": they open the window and
    // picture the page read, in the continuous text as well.
    void pictureCommandsInTheMenu()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QStringList texts;
        QMenu *menu = nullptr;
        for (const char *name : {"copypagepicture", "savepagepicture", "copyayapicture", "saveayapicture"}) {
            auto *action = w.findChild<QAction *>(u"menu"_qs + QLatin1String(name));
            QVERIFY(action);
            texts << action->text();
            for (QObject *holder : action->associatedObjects())
                menu = menu ? menu : qobject_cast<QMenu *>(holder);
        }
        QVERIFY(menu);
        QCOMPARE(menu->title(), u"القراءة"_qs);
        QCOMPARE(texts, QStringList({u"نسخ الصفحة صورة"_qs, u"حفظ الصفحة صورة…"_qs, u"نسخ الآية صورة"_qs, u"حفظ الآية صورة…"_qs}));
        QApplication::clipboard()->clear();
        w.findChild<QAction *>(u"menucopypagepicture"_qs)->trigger();
        ReadingWindow *r = w.readingCommands()->window();
        QVERIFY(r && r->isVisible());
        QVERIFY(!QApplication::clipboard()->image().isNull());
        QCOMPARE(QApplication::clipboard()->image(), r->pagePicture());
        // From the continuous text, after turning there: the page read.
        child<QComboBox>(r, "viewmode")->setCurrentIndex(1);
        r->showPage(60);
        QCoreApplication::processEvents();
        w.findChild<QAction *>(u"menucopypagepicture"_qs)->trigger();
        const QImage copied = QApplication::clipboard()->image();
        child<QComboBox>(r, "viewmode")->setCurrentIndex(0);
        QCoreApplication::processEvents();
        QCOMPARE(r->printedPages().first().number, 60);
        QCOMPARE(copied, r->pagePicture());
    }

    void themeAndAnnouncement()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        ReadingWindow *r = continueReading(w);
        QVERIFY(r);
        child<QComboBox>(r, "viewmode")->setCurrentIndex(1);
        auto *view = child<QTextEdit>(r, "pagetext");
        QSignalSpy told(r, &ReadingWindow::ayaAnnounced);
        auto *search = child<QLineEdit>(&w, "searcht");
        search->setText(u"2:255"_qs);
        QTest::keyClick(search, Qt::Key_Return);
        QTRY_COMPARE(r->pageNumber(), 42);
        QTest::qWait(200);
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.first().first().toString(), u"البقرة : 255"_qs);
        QCOMPARE(view->accessibleDescription(), u"البقرة : 255"_qs);
        w.readingCommands()->setTheme(Theme::Dark);
        QTRY_COMPARE(view->extraSelections().first().format.background().color(),
                      themePalette(Theme::Dark, QPalette()).color(QPalette::Highlight));
        w.readingCommands()->setTheme(Theme::Light);
        QTRY_COMPARE(view->extraSelections().first().format.background().color(), QApplication::palette().color(QPalette::Highlight));
    }

    // The place, script, size and theme come back at the next start.
    void keptAcrossARestart()
    {
        guitest::AppFolder folder;
        QTemporaryDir data;
        const QString path = data.filePath(u"user.db"_qs);
        {
            guitest::StoredState stored(folder.path(), path);
            ReadingState &state = stored.state;
            MainWindow w(state);
            w.show();
            QVERIFY(QTest::qWaitForWindowActive(&w));
            QTest::keyClick(&w, Qt::Key_R, Qt::ControlModifier);
            ReadingWindow *r = w.readingCommands()->window();
            QVERIFY(r);
            auto *spin = child<QSpinBox>(r, "page");
            spin->selectAll();
            QTest::keyClicks(spin, u"300"_qs);
            QTest::keyClick(spin, Qt::Key_Return);
            child<QComboBox>(r, "script")->setCurrentIndex(1);
            QTest::keyClick(&w, Qt::Key_Equal, Qt::ControlModifier);
            QTest::keyClick(&w, Qt::Key_Equal, Qt::ControlModifier);
            child<QAction>(&w, "themepaper")->trigger();
            w.close();
        }
        UserStore store;
        QCOMPARE(store.open(path), UserStore::Opened::Existing);
        ReadingState state(folder.path());
        state.setUserStore(&store);
        MainWindow w(state);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(state.zoom(), 120);
        QCOMPARE(child<QPlainTextEdit>(&w, "Text1")->font().pointSizeF(), state.ayaFont().pointSizeF() * 1.2);
        QCOMPARE(QApplication::palette().color(QPalette::Base), themePalette(Theme::Paper, QPalette()).color(QPalette::Base));
        QVERIFY(child<QAction>(&w, "themepaper")->isChecked());
        QTest::keyClick(&w, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
        ReadingWindow *r = w.readingCommands()->window();
        QVERIFY(r);
        QCOMPARE(r->pageNumber(), 300);
        QCOMPARE(r->script(), Script::Uthmani);
        QTest::keyClick(&w, Qt::Key_0, Qt::ControlModifier);
        child<QAction>(&w, "themelight")->trigger();
        QCOMPARE(state.zoom(), 100);
    }
};

QTEST_MAIN(ReadingWindowTest)
#include "test_readingwindow.moc"
