// Faults of reading, memorising and saving, each tried as a reader meets it.
#include "data/connectionstring.h"
#include "guitest.h"
#include "memorise/windows/memorisecommands.h"
#include "memorise/windows/memorisemode.h"
#include "memorise/windows/recitalwindow.h"
#include "memorise/windows/similarayaswindow.h"
#include "reading/windows/mushafview.h"
#include "reading/windows/pageview.h"
#include "reading/windows/readingcommands.h"
#include "reading/windows/readingwindow.h"
#include "search/foldedtext.h"
#include "search/windows/resultstextmodel.h"
#include "search/windows/resultstextwindow.h"
#include "state/searchmemory.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>

#include <condition_variable>
#include <csignal>
#include <mutex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>

using namespace zarfan;
using guitest::child;

namespace {

// Ends the run when a step hangs: a freeze fails at once instead of waiting
// for the test's own time limit.
class HangGuard {
public:
    HangGuard(int seconds, const char *what)
    {
        thread_ = std::thread([this, seconds, what] {
            std::unique_lock lock(mutex_);
            if (!done_cv_.wait_for(lock, std::chrono::seconds(seconds), [this] { return done_; })) {
                std::fprintf(stderr, "FAIL: hung for %d s: %s\n", seconds, what);
                std::abort();
            }
        });
    }
    ~HangGuard()
    {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        done_cv_.notify_all();
        thread_.join();
    }

private:
    std::mutex mutex_;
    std::condition_variable done_cv_;
    bool done_ = false;
    std::thread thread_;
};

// Shows the main window, active also on a display with no window manager.
bool shown(MainWindow &w)
{
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        return false;
    QApplication::setActiveWindow(&w);
    return true;
}

// Facing pages 49 and 50, at a zoom in a window of a size.
void facing(MainWindow &w, ReadingWindow *r, int zoom, QSize size)
{
    w.findChild<QAction *>(u"facingpages"_qs)->trigger();
    w.readingCommands()->setZoom(zoom);
    r->resize(size);
    r->showPage(50);
    QCoreApplication::processEvents();
}

ReadingWindow *openReading(MainWindow &w)
{
    if (!shown(w))
        return nullptr;
    QTest::keyClick(&w, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    ReadingWindow *r = w.readingCommands()->window();
    return r && QTest::qWaitForWindowExposed(r) ? r : nullptr;
}

// The first word of a printed page and its aya.
PrintedItem firstWord(const PrintedPage &page)
{
    for (const PrintedLine &line : page.lines)
        for (const PrintedItem &item : line.items)
            if (!item.endMark())
                return item;
    return {};
}

// The events the accessibility bridge is given, by kind and widget.
QList<std::pair<QAccessible::Event, QObject *>> bridged;
void recordEvent(QAccessibleEvent *event) { bridged.append({event->type(), event->object()}); }

// Answers the file dialog with a name, then the question about replacing
// the file, if asked, with the given button.
void answerSave(const QString &name, QMessageBox::StandardButton replace, bool *asked = nullptr)
{
    guitest::whenModal([=](QWidget *dialog) {
        auto *files = qobject_cast<QFileDialog *>(dialog);
        QVERIFY(files);
        guitest::whenModal([=](QWidget *question) {
            auto *box = qobject_cast<QMessageBox *>(question);
            if (asked)
                *asked = box != nullptr;
            if (box)
                QTest::mouseClick(box->button(replace), Qt::LeftButton);
        });
        files->selectFile(name);
        QTest::keyClick(files->findChild<QLineEdit *>(u"fileNameEdit"_qs), Qt::Key_Return);
    });
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class ReadingFaultsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        initResources();
        installFontSubstitutions();
    }

    // Facing pages: a click on the left page makes its aya current, and in
    // memorisation mode shows the hidden word clicked.
    void clicksOnTheLeftPage()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        ReadingWindow *r = openReading(w);
        QVERIFY(r);
        facing(w, r, 100, QSize(1300, 700));
        QCOMPARE(r->printedPages().size(), 2);
        auto *view = child<MushafView>(r, "mushafpage");
        const PrintedItem left = firstWord(r->printedPages()[1]);
        const QRectF place = view->wordRect(left.word);
        QVERIFY(place.right() < view->lineRect(0, 0).left());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, place.center().toPoint());
        QCOMPARE(w.state().currentAya(), left.ayaId);

        QTest::keyClick(&w, Qt::Key_M, Qt::ControlModifier);
        MemoriseMode *mode = w.findChild<MemoriseCommands *>()->mode();
        QVERIFY(mode->isOn());
        QTRY_VERIFY(mode->veil().isHidden(left.word));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->wordRect(left.word).center().toPoint());
        QVERIFY(!mode->veil().isHidden(left.word));
        QTest::keyClick(view, Qt::Key_Escape);
        w.findChild<QAction *>(u"facingpages"_qs)->trigger();
    }

    // In memorisation mode the continuous text does not read a hidden word
    // out; shown again, the text is whole, each word in its place.
    void hiddenWordsAreSilent()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        QVERIFY(shown(w));
        QTest::keyClick(&w, Qt::Key_M, Qt::ControlModifier);
        MemoriseMode *mode = w.findChild<MemoriseCommands *>()->mode();
        ReadingWindow *r = w.readingCommands()->window();
        QVERIFY(mode->isOn() && r);
        child<QComboBox>(r, "viewmode")->setCurrentIndex(1);
        auto *page = r->findChild<PageView *>();
        QVERIFY(page->isVisible());
        QCOMPARE(mode->veil().hiddenCount(), int(mode->veil().words().size()));
        QAccessibleTextInterface *text = QAccessible::queryAccessibleInterface(page)->textInterface();
        QVERIFY(text);
        const QString shown = page->toPlainText();
        const auto heard = [&] { return text->text(0, text->characterCount()); };
        QCOMPARE(heard().size(), shown.size());
        // Not one word of an aya is heard; the headings and end marks are.
        const PageAya &first = r->page().ayas.front();
        QCOMPARE(heard().mid(first.start, first.wordsEnd - first.start).trimmed(), QString());
        page->setFocus();
        QTest::keyClick(page, Qt::Key_Space);
        QVERIFY(!heard().mid(first.start, first.wordsEnd - first.start).trimmed().isEmpty());
        QTest::keyClick(page, Qt::Key_Return);
        QCOMPARE(heard(), shown);
        QTest::keyClick(page, Qt::Key_Escape);
        QCOMPARE(heard(), page->toPlainText());
    }

    // A page zoomed beyond the window opens on its right side, where the
    // lines begin, also after the reader looked at its left side.
    void zoomedPageOpensWhereLinesBegin()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        ReadingWindow *r = openReading(w);
        QVERIFY(r);
        auto *view = child<MushafView>(r, "mushafpage");
        w.readingCommands()->setZoom(300);
        r->resize(500, 900);
        r->showPage(50);
        QCoreApplication::processEvents();
        QVERIFY(view->horizontalScrollBar()->maximum() > view->viewport()->width());
        const auto firstWordSeen = [&] {
            const QRectF word = view->wordRect(firstWord(r->printedPages()[0]).word);
            return word.left() >= 0 && word.right() <= view->viewport()->width();
        };
        QVERIFY(firstWordSeen());
        view->setFocus();
        for (int i = 0; i < 200; ++i)
            QTest::keyClick(view, Qt::Key_Left);
        QVERIFY(!firstWordSeen());
        QTest::keyClick(view, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(r->pageNumber(), 51);
        QVERIFY(firstWordSeen());
        w.readingCommands()->setZoom(100);
    }

    // Every printed line keeps its shape: no word squeezed below 95 % of its
    // width, no gap wider than 4 spaces; the first two pages centred.
    void linesKeepTheirShape()
    {
        PrintedPageReader reader(buildConnectionString(testutil::realDbFolder()));
        MushafView view;
        view.setQuranFont(QFont(QString::fromLatin1(ReadingWindow::kQuranFont)));
        view.resize(700, 1000);
        view.show();
        for (const Script script : {Script::Uthmani, Script::Imlaei}) {
            for (int number = 1; number <= 604; ++number) {
                view.setPages({reader.page(number, script)});
                for (const MushafView::LineBox &box : view.lineBoxes()) {
                    const QString where = QStringLiteral("page %1 line at %2").arg(number).arg(box.column.top());
                    QVERIFY2(box.narrowest >= 0.95, qPrintable(where));
                    for (qsizetype k = 1; k < box.pieces.size(); ++k)
                        QVERIFY2(box.pieces[k - 1].left() - box.pieces[k].right() <= 4 * box.space + 0.01, qPrintable(where));
                    if (number <= 2) {
                        QVERIFY2(!box.justified, qPrintable(where));
                        QVERIFY(qAbs(box.ink.center().x() - box.column.center().x()) < 1);
                    }
                }
            }
        }
    }

    // The printed page's context menu offers the similar ayas of the
    // current aya, as the aya box's does.
    void similarAyasFromThePrintedPage()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        ReadingWindow *r = openReading(w);
        QVERIFY(r);
        r->showPage(42);
        auto *view = child<MushafView>(r, "mushafpage");
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->wordRect({2, 255, 3}).center().toPoint());
        QString offered;
        QTimer::singleShot(200, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction *a : menu->actions()) {
                if (a->text() == u"الآيات المتشابهة"_qs) {
                    offered = a->text();
                    menu->setActiveAction(a);
                }
            }
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, view->wordRect({2, 255, 3}).center().toPoint(),
                                view->viewport()->mapToGlobal(view->wordRect({2, 255, 3}).center().toPoint()));
        QCoreApplication::sendEvent(view->viewport(), &event);
        QCOMPARE(offered, u"الآيات المتشابهة"_qs);
        SimilarAyasWindow *similar = w.findChild<MemoriseCommands *>()->similarWindow();
        QTRY_VERIFY(similar && similar->isVisible());
        QVERIFY(child<QLabel>(similar, "similarheading")->text().contains(u"البقرة : 255"_qs));
    }

    // A change of the current aya reaches the accessibility bridge once
    // (run where the bridge is active: test_readingfaults_bridge).
    void currentAyaAnnouncedOnce()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        ReadingWindow *r = openReading(w);
        QVERIFY(r);
        auto *view = child<MushafView>(r, "mushafpage");
        bridged.clear();
        if (!QAccessible::isActive())
            QSKIP("no accessibility bridge here: counted by test_readingfaults_bridge");
        const QAccessible::UpdateHandler previous = QAccessible::installUpdateHandler(recordEvent);
        auto *search = child<QLineEdit>(&w, "searcht");
        for (const QString &aya : {u"2:255"_qs, u"2:256"_qs}) {
            search->setText(aya);
            QTest::keyClick(search, Qt::Key_Return);
            QTest::qWait(300);
        }
        QAccessible::installUpdateHandler(previous);
        QCOMPARE(r->pageNumber(), 42);
        QCOMPARE(view->accessibleDescription(), u"البقرة : 256"_qs);
        const auto told = std::count(bridged.cbegin(), bridged.cend(), std::pair{QAccessible::DescriptionChanged, static_cast<QObject *>(view)});
        QCOMPARE(told, 2);
    }

    // Picture saves ask about the file really written, leave an old file
    // whole on a full disk and refuse a FIFO without blocking.
    void picturesSavedWhole()
    {
        guitest::AppFolder folder;
        guitest::MessageLog log;
        MainWindow w(folder.path());
        ReadingWindow *r = openReading(w);
        QVERIFY(r);
        r->showPage(42);
        QTemporaryDir out;
        const QString png = out.filePath(u"page.png"_qs);
        const QByteArray old = QByteArray(300'000, 'x');
        {
            QFile f(png);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(old) == old.size());
        }
        QAction *save = w.findChild<QAction *>(u"menusavepagepicture"_qs);
        // Typed without its extension: asked about page.png, which stays.
        bool asked = false;
        answerSave(out.filePath(u"page"_qs), QMessageBox::No, &asked);
        save->trigger();
        QVERIFY(asked);
        QCOMPARE(contents(png), old);

        // A full disk: the old file stays whole and the reader is told.
        {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit saved{};
            getrlimit(RLIMIT_FSIZE, &saved);
            rlimit small = saved;
            small.rlim_cur = 64 * 1024;
            setrlimit(RLIMIT_FSIZE, &small);
            answerSave(png, QMessageBox::Yes);
            save->trigger();
            setrlimit(RLIMIT_FSIZE, &saved);
        }
        QCOMPARE(contents(png), old);
        const auto told = [&] { return log.lines().filter(u"تعذر حفظ الصورة"_qs).size(); };
        QCOMPARE(told(), 1);
        QCOMPARE(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"page.png"_qs}); // no partial file left

        // Replaced when the reader says so: a whole picture.
        answerSave(png, QMessageBox::Yes);
        save->trigger();
        QCOMPARE(QImage(png).size(), r->pagePicture().size());

        // A FIFO is refused at once, and stays a FIFO.
        const QString fifo = out.filePath(u"fifo.png"_qs);
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        {
            HangGuard guard(60, "saving a picture to a FIFO");
            answerSave(fifo, QMessageBox::Yes);
            save->trigger();
        }
        QCOMPARE(told(), 2);
        QVERIFY(!QFileInfo(fifo).isFile());

        // The aya's picture asks the same way.
        w.state().chooseAya(w.state().searchMemory().text().record(w.state().searchMemory().text().indexOfId(262))); // 2:255
        const QString aya = out.filePath(u"aya.png"_qs);
        QFile::copy(png, aya);
        const QByteArray before = contents(aya);
        asked = false;
        guitest::whenModal([&](QWidget *dialog) {
            answerSave(aya, QMessageBox::No, &asked);
            QTest::mouseClick(dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
        });
        w.findChild<QAction *>(u"menusaveayapicture"_qs)->trigger();
        QVERIFY(asked);
        QCOMPARE(contents(aya), before);
    }

    // A page picture at a large zoom in a large window is capped, and the
    // reader told.
    void largePictureCapped()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        ReadingWindow *r = openReading(w);
        QVERIFY(r);
        facing(w, r, 300, QSize(3800, 2100));
        QCOMPARE(r->printedPages().size(), 2);
        QApplication::clipboard()->clear();
        w.findChild<QAction *>(u"menucopypagepicture"_qs)->trigger();
        const QImage image = QApplication::clipboard()->image();
        QVERIFY(!image.isNull());
        QVERIFY(std::max(image.width(), image.height()) <= ReadingWindow::kMaxPictureSide);
        QVERIFY(r->statusBar()->currentMessage().contains(QString::number(image.width())));
        w.readingCommands()->setZoom(100);
        w.findChild<QAction *>(u"facingpages"_qs)->trigger();
    }

    // The sizes at which the scroll bars came and went without end settle.
    void scrollBarsSettle()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        ReadingWindow *r = openReading(w);
        QVERIFY(r);
        auto *view = child<MushafView>(r, "mushafpage");
        const auto settle = [&](QSize size) {
            HangGuard guard(60, "the printed page's scroll bars");
            r->resize(size);
            QCoreApplication::processEvents();
            const QSize shown = view->viewport()->size();
            QCoreApplication::processEvents();
            QCOMPARE(view->viewport()->size(), shown);
        };
        w.readingCommands()->setZoom(200);
        r->showPage(50);
        for (int width = 1176; width <= 1220; width += 2)
            settle(QSize(width, 1000));
        w.findChild<QAction *>(u"facingpages"_qs)->trigger();
        w.readingCommands()->setZoom(300);
        for (int width = 3507; width <= 3570; width += 3)
            settle(QSize(width, 1000));
        settle(QSize(16000, 4000));
        QCOMPARE(r->printedPages().size(), 2);
        w.readingCommands()->setZoom(100);
        w.findChild<QAction *>(u"facingpages"_qs)->trigger();
    }

    // The recital check takes the longest sura typed whole, and refuses a
    // paste far longer than the ayas chosen with the counts, at once.
    void recitalOfAWholeSura()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        QVERIFY(shown(w));
        const FoldedText &text = w.state().searchMemory().text();
        QStringList baqara;
        for (const auto &a : testutil::readSource())
            if (a.sura == 2)
                baqara.append(a.clean);
        QCOMPARE(baqara.size(), 286);
        w.state().chooseAya(text.record(text.indexOfId(8))); // 2:1
        QTest::keyClick(&w, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
        auto *window = w.findChild<RecitalWindow *>(u"recital"_qs);
        QVERIFY(window && window->isVisible());
        child<QComboBox>(window, "recitalend")->setCurrentIndex(2); // the sura's end
        auto *typed = child<QPlainTextEdit>(window, "recitaltext");
        const auto paste = [&](const QString &words) {
            typed->clear();
            QApplication::clipboard()->setText(words);
            typed->setFocus();
            QTest::keyClick(typed, Qt::Key_V, Qt::ControlModifier);
            HangGuard guard(120, "the recital check");
            QTest::keyClick(typed, Qt::Key_Return, Qt::ControlModifier);
        };
        paste(baqara.join(u' '));
        const int total = window->result().total;
        QVERIFY(total > 6000);
        QCOMPARE(child<QLabel>(window, "recitalscore")->text(), QStringLiteral("صحيح : %1 من %1").arg(total));

        // Sura 112 with 200,000 words pasted.
        w.state().chooseAya(text.record(text.indexOfId(6222)));
        QTest::keyClick(&w, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
        paste(QStringList(200'000, u"احد"_qs).join(u' '));
        QVERIFY(window->result().tooLong);
        QVERIFY(child<QLabel>(window, "recitalscore")->text().contains(u"200000"_qs));
    }

    // PageDown and End in the results with their text move at once over
    // the whole Quran listed.
    void resultsPagedAtOnce()
    {
        guitest::AppFolder folder;
        MainWindow w(folder.path());
        QVERIFY(shown(w));
        auto *search = child<QLineEdit>(&w, "searcht");
        search->setText(u"%"_qs);
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(w.listing().count(), 6236);
        child<QAction>(&w, "resultstext")->trigger();
        auto *window = w.findChild<ResultsTextWindow *>();
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        QListView *view = window->view();
        view->setFocus();
        view->setCurrentIndex(window->model()->index(0));
        {
            HangGuard guard(60, "PageDown in the results with their text");
            for (int i = 0; i < 5; ++i)
                QTest::keyClick(view, Qt::Key_PageDown);
            QCoreApplication::processEvents();
        }
        const int paged = view->currentIndex().row();
        QVERIFY(paged > 5);
        QVERIFY(view->visualRect(view->currentIndex()).intersects(view->viewport()->rect()));
        {
            HangGuard guard(60, "End in the results with their text");
            QTest::keyClick(view, Qt::Key_End);
            QCoreApplication::processEvents();
        }
        QCOMPARE(view->currentIndex().row(), 6235);
        // Shown once the rows above it are laid out.
        QTRY_VERIFY(view->visualRect(view->currentIndex()).intersects(view->viewport()->rect()));
        QCOMPARE(w.listing().index(6235), child<QListView>(&w, "suraayaalist")->currentIndex());
    }
};

QTEST_MAIN(ReadingFaultsTest)
#include "test_readingfaults.moc"
