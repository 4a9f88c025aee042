#include "distributionwindow.h"
#include "ui_distributionwindow.h"

#include "ui/fonts.h"
#include "ui/windowsizing.h"
#include "state/readingstate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace zarfan {

namespace {
constexpr int kBarRole = Qt::UserRole + 1; // the bar's share, 0 to 1

// Draws a bar in proportion to the row's share, from the right edge.
class BarDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const double share = index.data(kBarRole).toDouble();
        QRect bar = option.rect.adjusted(3, 4, -3, -4);
        const int width = int(bar.width() * share);
        if (option.direction == Qt::RightToLeft)
            bar.setLeft(bar.right() - width);
        else
            bar.setWidth(width);
        // On a selected row the background is the highlight: the bar takes
        // the text colour drawn on it.
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(bar, option.palette.brush(selected ? QPalette::HighlightedText : QPalette::Highlight));
    }
};
} // namespace

DistributionWindow::DistributionWindow(ReadingState &state, QWidget *parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::DistributionWindow>()), state_(state)
{
    ui->setupUi(this);
    setFont(designFont(QStringLiteral("Tahoma"), 8.25));
    ui->distributionlist->setItemDelegateForColumn(3, new BarDelegate(ui->distributionlist));
    ui->distributionlist->installEventFilter(this);
    // The columns share the width in fixed parts, whatever a refill holds.
    ui->distributionlist->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    centreWhenShown(this);
    connect(ui->byjuz, &QCheckBox::toggled, this, &DistributionWindow::refill);
    connect(&state_.listing(), &ResultListing::finished, this, &DistributionWindow::refill);
    connect(ui->distributionlist, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { chooseRow(row); });
    refill();
}

DistributionWindow::~DistributionWindow() = default;

void DistributionWindow::refill()
{
    // The selection follows its sura (or juz), or goes.
    QTableWidget *table = ui->distributionlist;
    const QModelIndexList chosen = table->selectionModel()->selectedRows();
    const int selected = chosen.isEmpty() ? -1 : chosen.first().row();
    if (shownByJuz_ != ui->byjuz->isChecked())
        followed_ = 0;
    else if (!rows_.empty()) // an empty refill in between keeps what was followed
        followed_ = selected >= 0 && selected < int(rows_.size()) ? rows_[std::size_t(selected)].key : 0;
    table->clearSelection();
    table->setCurrentCell(-1, -1);
    shownByJuz_ = ui->byjuz->isChecked();
    rows_ = distribution(state_.listing(), ui->byjuz->isChecked());
    const bool counted = state_.listingMatch().has_value();
    int most = 1;
    for (const DistributionRow &r : rows_)
        most = std::max(most, counted ? r.occurrences : r.ayas);
    table->horizontalHeaderItem(0)->setText(ui->byjuz->isChecked() ? tr("الجزء") : tr("السورة"));
    table->setRowCount(int(rows_.size()));
    for (int i = 0; i < int(rows_.size()); ++i) {
        const DistributionRow &r = rows_[std::size_t(i)];
        const QStringList cells = {r.label, QString::number(r.ayas), counted ? QString::number(r.occurrences) : QStringLiteral("—")};
        for (int c = 0; c < 3; ++c)
            table->setItem(i, c, new QTableWidgetItem(cells[c]));
        auto *bar = new QTableWidgetItem;
        bar->setData(kBarRole, double(counted ? r.occurrences : r.ayas) / most);
        table->setItem(i, 3, bar);
        if (followed_ != 0 && r.key == followed_) {
            const QModelIndex first = table->model()->index(i, 0);
            table->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
    }
    if (!rows_.empty() && !table->selectionModel()->hasSelection())
        followed_ = 0;
}

void DistributionWindow::chooseRow(int row)
{
    if (row < 0 || row >= int(rows_.size()))
        return;
    emit lineChosen(rows_[std::size_t(row)].firstLine);
}

bool DistributionWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->distributionlist && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseRow(ui->distributionlist->currentRow());
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zarfan
