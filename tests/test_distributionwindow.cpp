#include "guitest.h"

#include "browse/suratables.h"
#include "search/windows/distributionwindow.h"

#include <QCheckBox>
#include <QTableWidget>

using namespace zarfan;
using guitest::child;

class DistributionWindowTest : public QObject, guitest::MainWindowFixture {
    Q_OBJECT
private slots:
    void initTestCase() { startCase(); }
    void init() { start(); }
    void cleanup() { stop(); }

    // The distribution follows the listing; a row leads to its first line.
    void distributionOfHits()
    {
        search(u"ا"_qs);
        QTest::keyClick(w.get(), Qt::Key_D, Qt::ControlModifier);
        auto *window = w->findChild<DistributionWindow *>();
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), u"توزيع النتائج"_qs);
        QCOMPARE(int(window->rows().size()), 114);
        int ayas = 0;
        for (const auto &row : window->rows())
            ayas += row.ayas;
        QCOMPARE(ayas, w->listing().count());
        child<QCheckBox>(window, "byjuz")->setChecked(true);
        QCOMPARE(int(window->rows().size()), 30);
        auto *table = child<QTableWidget>(window, "distributionlist");
        table->setCurrentCell(29, 0);
        QTest::keyClick(table, Qt::Key_Return);
        QCOMPARE(w->listing().at(results()->currentIndex().row()).line, u"النبأ : 1"_qs);
        navigate("searchname", 0);
        QCOMPARE(int(window->rows().size()), 1);
        QCOMPARE(table->item(0, 2)->text(), u"—"_qs);
    }

    // A refill keeps the columns' shares, lets the selection follow its sura
    // or go, and the selected row's bar stays visible.
    void distributionAfterARefill()
    {
        search(u"الله"_qs);
        QTest::keyClick(w.get(), Qt::Key_D, Qt::ControlModifier);
        auto *window = w->findChild<DistributionWindow *>();
        auto *table = child<QTableWidget>(window, "distributionlist");
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const auto widths = [&] {
            QList<int> out;
            for (int c = 0; c < 4; ++c)
                out.append(table->columnWidth(c));
            return out;
        };
        const QList<int> before = widths();
        QVERIFY(before[3] > table->viewport()->width() / 5);
        const auto rowOf = [&](const QString &label) {
            for (int r = 0; r < table->rowCount(); ++r)
                if (table->item(r, 0)->text() == label)
                    return r;
            return -1;
        };
        const auto clickRow = [&](int row) {
            table->scrollTo(table->model()->index(row, 1));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(row, 1)).center());
        };
        const int baqara = rowOf(SuraTables::name(2));
        clickRow(baqara);
        QCOMPARE(table->selectionModel()->selectedRows().size(), 1);
        // The most occurrences: its bar fills the cell, drawn over the selection.
        const int most = int(std::max_element(window->rows().begin(), window->rows().end(),
                                              [](const auto &a, const auto &b) { return a.occurrences < b.occurrences; })
                             - window->rows().begin());
        clickRow(most);
        const QRect cell = table->visualRect(table->model()->index(most, 3));
        const QImage shot = table->viewport()->grab().toImage();
        QVERIFY(shot.pixelColor(cell.center()) != shot.pixelColor(QPoint(cell.center().x(), cell.top() + 1)));
        clickRow(baqara);
        search(u"الرحمن"_qs);
        QCOMPARE(widths(), before);
        QCOMPARE(table->selectionModel()->selectedRows().size(), 1);
        QCOMPARE(table->item(table->currentRow(), 0)->text(), SuraTables::name(2));
        search(u"الصمد"_qs);
        QVERIFY(!table->selectionModel()->hasSelection());
        QCOMPARE(widths(), before);
    }
};

QTEST_MAIN(DistributionWindowTest)
#include "test_distributionwindow.moc"
