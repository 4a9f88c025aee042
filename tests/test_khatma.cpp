// The khatma plan: its arithmetic, the progress from page turns, its
// persistence, and its window driven by clicks.
#include "guitest.h"
#include "khatma/khatmaplan.h"
#include "khatma/windows/khatmawindow.h"
#include "reading/windows/readingcommands.h"
#include "reading/windows/readingwindow.h"
#include "data/userstore.h"
#include "browse/suratables.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QStyleFactory>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QToolButton>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>

using namespace zarfan;
using By = KhatmaSchedule::By;

namespace {

KhatmaSchedule plan(By by, int amount, int startPage = 1, QDate start = QDate(2026, 1, 30))
{
    const ScheduleResult r = makeSchedule({by, amount, startPage, start}, QDate(2026, 3, 1));
    if (!r.schedule)
        qFatal("refused: %s", qPrintable(r.message));
    return *r.schedule;
}

// Every portion follows the one before, holds at least one page and the last
// ends on the mushaf's last page.
void checkPortions(const KhatmaSchedule &s, int minPages, int maxPages)
{
    int next = s.startPage;
    for (int d = 0; d < s.days; ++d) {
        QCOMPARE(s.portionFirst(d), next);
        const int size = s.portionLast(d) - s.portionFirst(d) + 1;
        QVERIFY2(size >= minPages && size <= maxPages, qPrintable(QString::number(d)));
        next = s.portionLast(d) + 1;
    }
    QCOMPARE(next, kMushafPages + 1);
}

} // namespace

class TestKhatma : public QObject {
    Q_OBJECT
private slots:
    void arithmetic()
    {
        const KhatmaSchedule week = plan(By::Days, 7);
        QCOMPARE(week.days, 7);
        checkPortions(week, 86, 87);
        const KhatmaSchedule month = plan(By::Days, 30);
        QCOMPARE(month.portionLast(0), 20);
        checkPortions(month, 20, 21);
        const KhatmaSchedule year = plan(By::Days, 365);
        QCOMPARE(year.days, 365);
        checkPortions(year, 1, 2);
        // Started mid-mushaf: 305 pages in 10 days.
        const KhatmaSchedule mid = plan(By::Days, 10, 300);
        QCOMPARE(mid.portionFirst(0), 300);
        QCOMPARE(mid.portionLast(0), 329);
        checkPortions(mid, 30, 31);
        const KhatmaSchedule perDay = plan(By::PagesPerDay, 20);
        QCOMPARE(perDay.days, 31);
        QCOMPARE(perDay.portionFirst(30), 601);
        checkPortions(perDay, 4, 20);
        // More than is left: one page a day, or one day.
        QCOMPARE(plan(By::Days, 30, 600).days, 5);
        checkPortions(plan(By::Days, 30, 600), 1, 1);
        QCOMPARE(plan(By::PagesPerDay, 20, 600).days, 1);
    }

    void refusals()
    {
        const QDate today(2026, 3, 1);
        QCOMPARE(makeSchedule({By::Days, 0, 1, today}, today).message, u"عدد الأيام خارج المدى: من 1 إلى 365"_qs);
        QVERIFY(!makeSchedule({By::Days, 366, 1, today}, today).schedule);
        QVERIFY(!makeSchedule({By::PagesPerDay, 0, 1, today}, today).schedule);
        QVERIFY(!makeSchedule({By::Days, 30, 605, today}, today).schedule);
        QCOMPARE(makeSchedule({By::Days, 30, 1, today.addDays(1)}, today).message,
                 u"تاريخ البدء بعد اليوم: اختر اليوم أو يوما قبله"_qs);
        // No date given: today.
        QCOMPARE(makeSchedule({By::Days, 30, 1, QDate()}, today).schedule->start, today);
    }

    // Day 0 read, day 1 missed, looked at on day 2 across the month's end.
    void progressFromPageTurns()
    {
        KhatmaTracker t;
        const QDate start(2026, 1, 30), feb1(2026, 2, 1);
        QVERIFY(t.start({By::Days, 30, 1, start}, feb1).isEmpty());
        for (int p = 1; p <= 20; ++p)
            t.pageTurnedPast(p);
        KhatmaStatus st = t.status(feb1);
        QCOMPARE(st.portionText(), u"ورد اليوم : من صفحة 41 إلى صفحة 60"_qs);
        QCOMPARE(st.daysLeft, 28);
        QCOMPARE(st.pagesRead, 20);
        QCOMPARE(st.leadText(), u"متأخر بـ 20 صفحة"_qs);
        t.markTodayDone(feb1);
        QCOMPARE(t.status(feb1).leadText(), u"في الموعد"_qs);
        for (int p = 21; p <= 40; ++p)
            t.pageTurnedPast(p);
        QCOMPARE(t.status(feb1).leadText(), u"في الموعد"_qs);
        t.pageTurnedPast(61);
        t.pageTurnedPast(62);
        t.pageTurnedPast(62);
        t.pageTurnedPast(0);
        t.pageTurnedPast(605);
        st = t.status(feb1);
        QCOMPARE(st.pagesRead, 62);
        QCOMPARE(st.leadText(), u"متقدم بـ 2 صفحة"_qs);
        for (int p = 63; p <= 67; ++p)
            t.pageTurnedPast(p);
        QCOMPARE(t.status(feb1).leadText(), u"متقدم بـ 7 صفحات"_qs);
        QCOMPARE(pagesWord(11), u"صفحة"_qs);
        QCOMPARE(pagesWord(105), u"صفحات"_qs);

        // A clock set back before the start: day 0, nothing negative.
        st = t.status(start.addDays(-40));
        QCOMPARE(st.portionFirst, 1);
        QCOMPARE(st.daysLeft, 30);
        QVERIFY(st.lead >= 0);
        // Past the last day: what is left, no days.
        st = t.status(start.addDays(100));
        QCOMPARE(st.portionFirst, 68);
        QCOMPARE(st.portionLast, 604);
        QCOMPARE(st.daysLeft, 0);
        QCOMPARE(st.lead, 67 - 604);
    }

    void persistenceAndFinish()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"user.db"_qs);
        const QDate start(2026, 1, 30), today(2026, 2, 2);
        {
            UserStore store;
            store.open(path);
            store.addChosen(u"1"_qs, u"1"_qs);
            KhatmaTracker t;
            t.load(&store);
            QVERIFY(t.start({By::Days, 7, 300, start}, today).isEmpty());
            t.pageTurnedPast(400);
        } // as if killed: nothing else written
        UserStore store;
        QCOMPARE(store.open(path), UserStore::Opened::Existing);
        KhatmaTracker t;
        t.load(&store);
        QVERIFY(t.takeDamageMessage().isEmpty());
        QVERIFY(t.active());
        QCOMPARE(t.schedule()->startPage, 300);
        QCOMPARE(t.schedule()->start, start);
        QCOMPARE(t.status(today).pagesRead, 300);
        QVERIFY(t.isRead(400) && t.isRead(299) && !t.isRead(300));

        // Finishing records the khatma with its dates and ends the plan.
        for (int p = 300; p <= kMushafPages; ++p)
            t.pageTurnedPast(p);
        QVERIFY(!t.active());
        KhatmaTracker again;
        again.load(&store);
        QVERIFY(!again.active());
        QCOMPARE(again.finished().size(), std::size_t(1));
        QCOMPARE(again.finished().front().start, start);
        QCOMPARE(again.finished().front().end, std::max(start, QDate::currentDate()));

        // A damaged plan row: told once, dropped; the rest of the store kept.
        store.setValue(u"khatma/plan"_qs, "1 2026-13-40 1 0 30 zz");
        again.load(&store);
        QVERIFY(!again.active());
        const QString planTold = again.takeDamageMessage();
        QVERIFY(planTold.startsWith(u"خطة الختمة المحفوظة تالفة فحذفت"_qs));
        QVERIFY(!planTold.contains(u"الختمات السابقة"_qs));
        QVERIFY(again.takeDamageMessage().isEmpty());
        again.load(&store);
        QVERIFY(again.takeDamageMessage().isEmpty());
        QCOMPARE(again.finished().size(), std::size_t(1));
        QCOMPARE(store.chosen().size(), std::size_t(1));

        // Bad lines among the finished khatmas and no plan: only they are
        // spoken of, with their number, and the good line is kept.
        const QByteArray good = store.value(u"khatma/finished"_qs);
        store.setValue(u"khatma/finished"_qs, "2026-02-30 x\n" + good + "2026-03-01 2026-01-01\n");
        again.load(&store);
        QVERIFY(!again.active());
        QCOMPARE(again.finished().size(), std::size_t(1));
        QCOMPARE(again.takeDamageMessage(), u"حذفت من قائمة الختمات السابقة مدخلات تالفة عددها 2، وبقيت سائر الختمات كما هي\n"
                                            "وبقيت سائر بياناتك كما هي"_qs);
        QCOMPARE(store.value(u"khatma/finished"_qs), good);
    }

    void windowByClicks()
    {
        // The style a reader without a desktop theme gets.
        QApplication::setStyle(QStyleFactory::create(u"Fusion"_qs));
        guitest::MessageLog messages;
        KhatmaTracker t;
        KhatmaWindow w(t);
        w.setToday(QDate(2026, 2, 1));
        w.show();
        auto *todayPortion = guitest::child<QLabel>(&w, "todayPortion");
        QCOMPARE(todayPortion->text(), u"لا توجد خطة"_qs);
        QVERIFY(!guitest::child<QPushButton>(&w, "readToday")->isEnabled());

        QTest::mouseClick(guitest::child<QRadioButton>(&w, "byPages"), Qt::LeftButton);
        auto *perDay = guitest::child<QSpinBox>(&w, "pagesPerDay");
        perDay->selectAll();
        QTest::keyClicks(perDay, u"20"_qs);
        auto *startPage = guitest::child<QSpinBox>(&w, "startPage");
        startPage->selectAll();
        QTest::keyClicks(startPage, u"83"_qs);
        QTest::mouseClick(guitest::child<QPushButton>(&w, "startPlan"), Qt::LeftButton);
        QCOMPARE(todayPortion->text(), u"ورد اليوم : من صفحة 83 إلى صفحة 102"_qs);
        QCOMPARE(guitest::child<QListWidget>(&w, "portions")->count(), 27);
        auto *progress = guitest::child<QProgressBar>(&w, "progress");
        QCOMPARE(progress->value(), 82);
        // "82 من 604" is drawn on the right-to-left bar, and the start date
        // reads in the order of the portions beside it.
        QCOMPARE(progress->text(), u"82 من 604"_qs);
        const QImage withText = progress->grab().toImage();
        progress->setTextVisible(false);
        QVERIFY(progress->grab().toImage() != withText);
        progress->setTextVisible(true);
        QCOMPARE(guitest::child<QDateEdit>(&w, "startDate")->text(), u"2026/02/01"_qs);
        QVERIFY(guitest::child<QListWidget>(&w, "portions")->item(0)->text().startsWith(u"2026/02/01 : "_qs));

        QSignalSpy open(&w, &KhatmaWindow::openPageRequested);
        QTest::mouseClick(guitest::child<QPushButton>(&w, "readToday"), Qt::LeftButton);
        QCOMPARE(open.size(), 1);
        QCOMPARE(open.at(0).at(0).toInt(), 83);
        QTest::mouseClick(guitest::child<QPushButton>(&w, "markDone"), Qt::LeftButton);
        QCOMPARE(guitest::child<QProgressBar>(&w, "progress")->value(), 102);
        QCOMPARE(guitest::child<QLabel>(&w, "lead")->text(), u"في الموعد"_qs);

        // Ending asks first: "لا" keeps the plan, "نعم" ends it.
        for (const QString &answer : {u"لا"_qs, u"نعم"_qs}) {
            guitest::whenModal([answer](QWidget *box) {
                for (QAbstractButton *b : box->findChildren<QAbstractButton *>())
                    if (b->text() == answer)
                        QTest::mouseClick(b, Qt::LeftButton);
            });
            QTest::mouseClick(guitest::child<QPushButton>(&w, "endPlan"), Qt::LeftButton);
            QCOMPARE(t.active(), answer == u"لا"_qs);
        }
        QCOMPARE(todayPortion->text(), u"لا توجد خطة"_qs);
        QVERIFY(messages.lines().isEmpty());
    }

    // A store with a thousand finished khatmas: page turns with the window
    // open leave the past list as it is; finishing adds its one row.
    void pastListOnlyGrows()
    {
        QTemporaryDir dir;
        UserStore store;
        store.open(dir.filePath(u"user.db"_qs));
        QByteArray lines;
        for (int i = 0; i < 1000; ++i)
            lines += (QDate(2000, 1, 1).addDays(i).toString(Qt::ISODate) + u' ' + QDate(2001, 1, 1).addDays(i).toString(Qt::ISODate) + u'\n').toLatin1();
        store.setValue(u"khatma/finished"_qs, lines);
        KhatmaTracker t;
        t.load(&store);
        KhatmaWindow w(t);
        const QDate today(2026, 2, 1);
        w.setToday(today);
        w.show();
        QAbstractItemModel *past = guitest::child<QListView>(&w, "pastKhatmas")->model();
        QCOMPARE(past->rowCount(), 1000);
        QCOMPARE(past->index(0, 0).data().toString(), u"من 2000/01/01 إلى 2001/01/01"_qs);
        QSignalSpy inserted(past, &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(past, &QAbstractItemModel::rowsRemoved);
        QSignalSpy reset(past, &QAbstractItemModel::modelReset);

        // One day from page 590; every page turned shows in the window.
        auto *startPage = guitest::child<QSpinBox>(&w, "startPage");
        startPage->selectAll();
        QTest::keyClicks(startPage, u"590"_qs);
        auto *days = guitest::child<QSpinBox>(&w, "days");
        days->selectAll();
        QTest::keyClicks(days, u"1"_qs);
        QTest::mouseClick(guitest::child<QPushButton>(&w, "startPlan"), Qt::LeftButton);
        auto *progress = guitest::child<QProgressBar>(&w, "progress");
        for (int page = 590; page < 604; ++page) {
            t.pageTurnedPast(page);
            QCOMPARE(progress->value(), page);
        }
        QCOMPARE(inserted.size() + removed.size() + reset.size(), 0);

        QTest::mouseClick(guitest::child<QPushButton>(&w, "markDone"), Qt::LeftButton);
        QVERIFY(!t.active());
        QCOMPARE(reset.size() + removed.size(), 0);
        QCOMPARE(inserted.size(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), 1000);
        QCOMPARE(inserted.at(0).at(2).toInt(), 1000);
        QCOMPARE(past->index(1000, 0).data().toString(), u"من 2026/02/01 إلى 2026/02/01"_qs);

        // A store read again replaces the list as a whole.
        t.load(&store);
        QCOMPARE(reset.size(), 1);
        QCOMPARE(past->rowCount(), 1001);
    }

    // Division references, the facts label, the new scopes and the menu item
    // as the reader reaches them in the main window.
    void mainWindowPaths()
    {
        initResources();
        programState() = ProgramState();
        guitest::AppFolder folder;
        guitest::MessageLog messages;
        MainWindow w(folder.path());
        w.show();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto *searcht = guitest::child<QLineEdit>(&w, "searcht");
        const auto search = [&](const QString &text) {
            searcht->setText(text);
            QTest::keyClick(searcht, Qt::Key_Return);
        };
        const auto line = [&](int k) { return w.listing().at(k).line; };

        search(u"7:206"_qs);
        QCOMPARE(guitest::child<QLabel>(&w, "divisionstext")->text(), u"الحزب : 18    الربع : 2    سجدة"_qs);
        search(u"ربع٢٣٧"_qs);
        QCOMPARE(programState().mixedsora, qint16(1));
        QCOMPARE(line(0), u"الأعلى : 1"_qs);
        QCOMPARE(guitest::child<QListView>(&w, "suraayaalist")->currentIndex().row(), 0);
        QCOMPARE(guitest::child<QLabel>(&w, "divisionstext")->text(), u"الحزب : 60    الربع : 1"_qs);
        const int count = w.listing().count();
        search(u"ربع 241"_qs);
        QCOMPARE(messages.lines().value(0).section(u'|', 1), u"رقم الربع خارج المدى: من 1 إلى 240"_qs);
        QCOMPARE(w.listing().count(), count);
        search(u"ص 40"_qs);
        QCOMPARE(w.listing().count(), 1);
        QCOMPARE(SuraTables::numberFromText(w.listing().at(0).sura), 38);
        QVERIFY(line(0).endsWith(u" : 40"_qs));

        // The hizb scope, chosen and committed by clicks.
        guitest::whenModal([](QWidget *dialog) {
            QTest::mouseClick(guitest::child<QRadioButton>(dialog, "hizbop"), Qt::LeftButton);
            guitest::child<QComboBox>(dialog, "hizb")->setCurrentIndex(59);
            QTest::mouseClick(guitest::child<QToolButton>(dialog, "Command1"), Qt::LeftButton);
        });
        QTest::keyClick(&w, Qt::Key_T, Qt::ControlModifier);
        QCOMPARE(programState().searchtype, qint16(5));
        search(u"الله"_qs);
        QVERIFY(w.listing().count() > 0);
        for (int k = 0; k < w.listing().count(); ++k)
            QVERIFY(SuraTables::numberFromText(w.listing().at(k).sura) >= 87);

        QAction *item = guitest::child<QAction>(&w, "khatma");
        QCOMPARE(item->text(), u"خطة الختمة"_qs);
        item->trigger();
        auto *window = w.findChild<KhatmaWindow *>();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->windowTitle(), u"خطة الختمة"_qs);
        QCOMPARE(messages.lines().size(), 1);
    }
    // Only the reader's own turns count: following the listing across pages
    // counts none, the next-page button and PageDown count the page left.
    void countsOnlyTurnsByTheReader()
    {
        initResources();
        guitest::AppFolder folder;
        QTemporaryDir data;
        guitest::StoredState stored(folder.path(), data.filePath(u"user.db"_qs));
        const QDate today = QDate::currentDate();
        QVERIFY(stored.state.khatma().start({By::Days, 30, 1, today}, today).isEmpty());
        MainWindow w(stored.state);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        auto *search = guitest::child<QLineEdit>(&w, "searcht");
        search->setText(u"2:1-120"_qs);
        QTest::keyClick(search, Qt::Key_Return);
        QTest::keyClick(search, Qt::Key_R, Qt::ControlModifier);
        ReadingWindow *r = w.readingCommands()->window();
        QVERIFY(r && r->isVisible());
        auto *list = guitest::child<QListView>(&w, "suraayaalist");
        list->setFocus();
        for (int i = 0; i < 60; ++i)
            QTest::keyClick(list, Qt::Key_Down);
        QTRY_VERIFY(r->pageNumber() > 8);
        QCOMPARE(stored.state.khatma().status(today).pagesRead, 0);
        const int from = r->pageNumber();
        QTest::mouseClick(guitest::child<QPushButton>(r, "nextpage"), Qt::LeftButton);
        QCOMPARE(stored.state.khatma().status(today).pagesRead, 1);
        QWidget *page = guitest::child<QWidget>(r, "mushafpage");
        page->setFocus();
        QTest::keyClick(page, Qt::Key_PageDown);
        QCOMPARE(r->pageNumber(), from + 2);
        QCOMPARE(stored.state.khatma().status(today).pagesRead, 2);
        // Back and the page spin box count nothing.
        QTest::keyClick(page, Qt::Key_PageUp);
        auto *spin = guitest::child<QSpinBox>(r, "page");
        spin->setValue(spin->value() + 1);
        QCOMPARE(stored.state.khatma().status(today).pagesRead, 2);
    }
};

QTEST_MAIN(TestKhatma)
#include "test_khatma.moc"
