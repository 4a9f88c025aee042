#include "state/listingfill.h"
#include "browse/resultlisting.h"
#include "browse/suratables.h"
#include "data/connectionstring.h"
#include "data/datacontrol.h"
#include "state/readingstate.h"
#include "search/arabicfolding.h"
#include "search/completions.h"
#include "search/instantsearch.h"
#include "search/windows/resultstextmodel.h"
#include "search/windows/resultstextwindow.h"
#include "state/searchmemory.h"
#include "search/foldedtext.h"
#include "search/memorysearch.h"
#include "search/searchquery.h"
#include "search/vocabulary.h"
#include "search/wordkeyindex.h"
#include "forgivingfixture.h"
#include "guitest.h"
#include "app/didyoumeanbar.h"
#include "testutil.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QLineEdit>
#include <QPushButton>
#include <QListView>
#include <QtTest>
#include <QClipboard>
#include <QRegularExpression>
#include <cmath>

using namespace zarfan;
using forgiving::defaultMode;

namespace {
// Typed key by key, Arabic included.
void typeText(QWidget *box, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
}
} // namespace

class ForgivingWindowsTest : public QObject, forgiving::Fixture {
    Q_OBJECT
private slots:
    void initTestCase() { loadData(); }

    void resultsWindowFollowsTheListing()
    {
        ReadingState state(testutil::realDbFolder());
        SearchMemory memory;
        QVERIFY(memory.load(state.connectionString()));
        const auto search = [&](const QString &text) {
            state.produceListing(memory.request(memory.answer(text, defaultMode()), text, defaultMode()));
        };
        search(u"موسى | هارون"_qs);
        ResultsTextWindow window(state, nullptr);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        ResultsTextModel *model = window.model();
        QCOMPARE(model->rowCount(), state.listing().count());
        // The entry is heard with its text, and both terms are marked.
        const QString text = model->ayaText(0);
        QCOMPARE(model->index(0).data(Qt::AccessibleTextRole).toString(), state.listing().at(0).line + u' ' + text);
        QVERIFY(!text.isEmpty());
        for (const TextRange &r : model->marks(0))
            QVERIFY(QStringList({u"موسي"_qs, u"هارون"_qs}).contains(foldArabic(text.mid(r.start, r.length))));
        QVERIFY(!model->marks(0).isEmpty());
        // Choosing an entry selects that line; the main window's choice is
        // followed without an echo.
        QSignalSpy chosen(&window, &ResultsTextWindow::lineChosen);
        QListView *view = window.view();
        // The rows are laid out in batches after the window shows.
        QTRY_COMPARE(view->indexAt(view->visualRect(model->index(1)).center()), model->index(1));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(model->index(1)).center());
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), 1);
        window.showLine(2);
        QCOMPARE(view->currentIndex().row(), 2);
        QCOMPARE(chosen.size(), 1);
        // Ctrl+C and "نسخ" copy the selected entries as plain text, the aya
        // then its reference, as the main window copies.
        view->setFocus();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, view->visualRect(model->index(1)).center());
        QCOMPARE(view->selectionModel()->selectedIndexes().size(), 2);
        const auto plain = [&](int k) { return model->ayaText(k) + u" ["_qs + state.listing().at(k).line + u']'; };
        QGuiApplication::clipboard()->clear();
        QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), plain(1) + u'\n' + plain(2));
        QAction *copy = nullptr;
        for (QAction *a : view->actions())
            if (a->text() == u"نسخ"_qs)
                copy = a;
        QVERIFY(copy && view->contextMenuPolicy() == Qt::ActionsContextMenu);
        QGuiApplication::clipboard()->clear();
        copy->trigger();
        QVERIFY(!QGuiApplication::clipboard()->text().contains(u'<'));
        QCOMPARE(QGuiApplication::clipboard()->text(), plain(1) + u'\n' + plain(2));
        // On a selected row the marks take colours of their own that read
        // at 4.5:1 or more, whatever the selection's colour.
        const auto luminance = [](const QColor &c) {
            const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
        };
        const double a = luminance(QColor(ResultsTextModel::selectedMarkBackground())),
                     b = luminance(QColor(ResultsTextModel::selectedMarkForeground()));
        QVERIFY((std::max(a, b) + 0.05) / (std::min(a, b) + 0.05) >= 4.5);
        QVERIFY(QColor(ResultsTextModel::selectedMarkBackground()) != view->palette().color(QPalette::Highlight));
        const QString selected = model->index(1).data(ResultsTextModel::SelectedHtmlRole).toString();
        QVERIFY(selected.contains(ResultsTextModel::selectedMarkBackground()));
        QCOMPARE(QString(selected).remove(QRegularExpression(u"<[^>]*>"_qs)),
                 model->index(1).data().toString().remove(QRegularExpression(u"<[^>]*>"_qs)));
        // A new listing refills it.
        search(u"الصمد"_qs);
        QCOMPARE(model->rowCount(), 1);
        QVERIFY(model->index(0).data().toString().contains(u"<span"_qs));
    }

    void instantSearchWaitsForAPauseAndACompleteText()
    {
        QLineEdit box;
        InstantSearch instant;
        connect(&box, &QLineEdit::textEdited, &instant, &InstantSearch::textEdited);
        QSignalSpy due(&instant, &InstantSearch::searchDue);
        box.show();
        typeText(&box, u"الصبر"_qs);
        QTest::qWait(InstantSearch::kPauseMs * 2);
        QCOMPARE(due.size(), 0); // off by default
        instant.setOn(true);
        box.clear();
        typeText(&box, u"الصبر"_qs);
        QVERIFY(due.wait(1000));
        QTest::qWait(InstantSearch::kPauseMs);
        QCOMPARE(due.size(), 1); // one search for the whole word, not one per letter
        QCOMPARE(due.at(0).at(0).toString(), u"الصبر"_qs);
        for (const QString &incomplete : {u" + "_qs, u"2:"_qs}) {
            typeText(&box, incomplete);
            QTest::qWait(InstantSearch::kPauseMs * 2);
            QCOMPARE(due.size(), 1);
            box.clear();
        }
        typeText(&box, u"2:255"_qs);
        QVERIFY(due.wait(1000));
        QVERIFY(isCompleteSearchText(u"الصبر + الصلاة"_qs));
        QVERIFY(!isCompleteSearchText(u"(الصبر + الصلاة"_qs));
    }

    void mainWindowForgives()
    {
        guitest::AppFolder folder;
        guitest::MessageLog log;
        QTemporaryDir userDir;
        guitest::StoredState stored(folder.path(), userDir.filePath(u"user.db"_qs));
        ReadingState &state = stored.state;
        MainWindow w(state);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *box = guitest::child<QLineEdit>(&w, "searcht");
        auto *results = guitest::child<QListView>(&w, "suraayaalist");

        // Answers as you type, kept out of the history until Enter.
        QAction *instant = guitest::child<QAction>(&w, "instantsearch");
        QVERIFY(!instant->isChecked());
        instant->trigger();
        QCOMPARE(stored.store.value(u"instantSearch"_qs), QByteArray("1"));
        box->setFocus();
        typeText(box, u"يا موسى"_qs);
        QTRY_VERIFY(w.listing().count() > 0);
        QVERIFY(state.searchHistory().isEmpty());
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(state.searchHistory(), QStringList{u"يا موسى"_qs});
        instant->trigger();

        // The popup: the history first, then the words; the chosen word
        // replaces the last typed one and Enter searches what the box shows.
        box->clear();
        typeText(box, u"يا موس"_qs);
        QAbstractItemView *popup = w.findChild<QCompleter *>()->popup();
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->model()->index(0, 0).data().toString(), u"يا موسى"_qs);
        const QString top = state.searchMemory().words().withPrefix(u"موس").at(0).word;
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        // The word as the text writes it.
        QCOMPARE(box->text(), u"يا "_qs + state.searchMemory().words().written(top));
        QCOMPARE(state.searchHistory().value(0), box->text());


        // Nothing listed: proposals, taken by a click or by Enter.
        box->setText(u"الجته"_qs);
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(w.listing().count(), 0);
        auto *bar = w.findChild<DidYouMeanBar *>();
        QVERIFY(bar->isVisible() && bar->proposals().contains(u"الجنة"_qs));
        QCOMPARE(bar->accessibleName(), didYouMeanText(bar->proposals()));
        const auto button = [&](const QString &text) {
            for (QPushButton *b : bar->findChildren<QPushButton *>())
                if (b->text() == text && b->isVisible())
                    return b;
            return static_cast<QPushButton *>(nullptr);
        };
        QTest::mouseClick(button(u"الجنة"_qs), Qt::LeftButton);
        QCOMPARE(box->text(), u"الجنة"_qs);
        QVERIFY(w.listing().count() > 3);
        QVERIFY(!bar->isVisible());
        box->setText(u"الجته"_qs);
        QTest::keyClick(box, Qt::Key_Return);
        // Tab from the box reaches the first proposal.
        const QString proposal = bar->proposals().at(0);
        QTest::mouseClick(box, Qt::LeftButton);
        QTRY_VERIFY(box->hasFocus());
        QTest::keyClick(box, Qt::Key_Tab);
        QTRY_COMPARE(QApplication::focusWidget(), button(proposal));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(box->text(), proposal);
        QVERIFY(w.listing().count() > 0);

        // A malformed combination is told and the listing kept.
        const int kept = w.listing().count();
        box->setText(u"الجنة +"_qs);
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(log.lines().value(0).endsWith(u'|' + malformedQueryMessage()));
        QCOMPARE(w.listing().count(), kept);

        // The results with their text follow the listing both ways.
        QAction *withText = guitest::child<QAction>(&w, "resultstext");
        QCOMPARE(withText->shortcut(), QKeySequence(u"Ctrl+L"_qs));
        withText->trigger();
        auto *window = w.findChild<ResultsTextWindow *>();
        QVERIFY(window && window->isVisible());
        results->setCurrentIndex(w.listing().index(2));
        QCOMPARE(window->view()->currentIndex().row(), 2);
        QListView *view = window->view();
        QTRY_COMPARE(view->indexAt(view->visualRect(window->model()->index(3)).center()), window->model()->index(3));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(window->model()->index(3)).center());
        QCOMPARE(results->currentIndex().row(), 3);
        // After every refill its line is the main window's.
        for (const QString &text : {u"موسى"_qs, u"الصبر + الصلاة"_qs, u"2:255-260"_qs}) {
            box->setText(text);
            QTest::keyClick(box, Qt::Key_Return);
            QVERIFY(w.listing().count() > 0);
            QVERIFY(results->currentIndex().isValid());
            QCOMPARE(view->currentIndex().row(), results->currentIndex().row());
        }
        // Places: a sura by a name begun, then listed as its reference.
        w.activateWindow();
        box->setFocus();
        box->clear();
        typeText(box, u"بقره"_qs);
        QTRY_VERIFY(popup->isVisible());
        QCOMPARE(popup->model()->index(0, 0).data().toString(), u"سورة البقرة"_qs);
        QTest::keyClick(popup, Qt::Key_Down);
        QTest::keyClick(popup, Qt::Key_Return);
        QCOMPARE(box->text(), u"سورة البقرة"_qs);
        QCOMPARE(w.listing().count(), 286);
        QCOMPARE(w.listing().at(285).line, SuraTables::reference(2, 286));
    }

    // What the reader types reaches the search as meant: marks that show
    // nothing, other blanks, a malformed division, an open group typed as
    // you go, a misspelt term among operators.
    void theBoxReadsWhatIsMeant()
    {
        guitest::AppFolder folder;
        guitest::MessageLog log;
        QTemporaryDir userDir;
        guitest::StoredState stored(folder.path(), userDir.filePath(u"user.db"_qs));
        MainWindow w(stored.state);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        auto *box = guitest::child<QLineEdit>(&w, "searcht");
        const auto enter = [&](const QString &text) {
            box->setText(text);
            QTest::keyClick(box, Qt::Key_Return);
        };
        const int both = int(ids(u"الصلاة + الزكاة"_qs).size());
        for (const QString &text : {u"الصلاة \u200f+ الزكاة"_qs, u"الصلاة\u00a0+\u00a0الزكاة"_qs, u"الصلاة\t+\tالزكاة"_qs}) {
            enter(text);
            QCOMPARE(w.listing().count(), both);
        }
        enter(u"صفحة 40\u200f"_qs);
        QCOMPARE(w.listing().at(0).page, u"40"_qs);
        enter(u"حزب 5\u200e"_qs);
        QVERIFY(w.listing().count() > 0);
        QCOMPARE(log.lines().size(), 0);
        for (const QString &text : {u"صفحة -1"_qs, u"صفحة 40-"_qs}) {
            enter(text);
            QVERIFY2(log.lines().last().contains(u"صيغة رقم الصفحة غير صحيحة"_qs), qPrintable(log.lines().last()));
        }
        // Too many terms: told, and quickly.
        enter(QStringList(kSearchTermLimit + 1, u"الله"_qs).join(u" + "_qs));
        QVERIFY(log.lines().last().endsWith(u'|' + malformedQueryMessage()));
        // A misspelt term among operators is corrected in place.
        enter(u"الصبر + الصلاث"_qs);
        QCOMPARE(w.listing().count(), 0);
        auto *bar = w.findChild<DidYouMeanBar *>();
        QVERIFY(bar->isVisible());
        QCOMPARE(bar->proposals().value(0), u"الصبر + الصلاة"_qs);
        // Searching as you type waits for an open group to close.
        guitest::child<QAction>(&w, "instantsearch")->trigger();
        enter(u"موسى"_qs);
        const int shown = w.listing().count();
        box->clear();
        typeText(box, u"(الجنة"_qs);
        QTest::qWait(InstantSearch::kPauseMs * 3);
        QCOMPARE(w.listing().count(), shown);
        typeText(box, u" | النار)"_qs);
        QTRY_COMPARE(w.listing().count(), int((ids(u"الجنه"_qs) | ids(u"النار"_qs)).size()));
    }
};

QTEST_MAIN(ForgivingWindowsTest)
#include "test_forgivingwindows.moc"
