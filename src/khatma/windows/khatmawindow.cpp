#include "khatmawindow.h"
#include "ui_khatmawindow.h"

#include "ui/controls.h"
#include "ui/translation.h"
#include "ui/windowsizing.h"
#include "ui/messages.h"
#include "ui/progresstext.h"
#include "khatma/khatmaplan.h"

#include <QCoreApplication>
#include <QAbstractListModel>
#include <QMessageBox>
#include <QPushButton>

namespace zarfan {

// The finished khatmas as the list shows them, formatted as they are drawn.
// A page turn leaves them as they are; a finished khatma adds its one row.
class FinishedKhatmasModel : public QAbstractListModel {
public:
    FinishedKhatmasModel(const KhatmaTracker &tracker, QObject *parent)
        : QAbstractListModel(parent), tracker_(tracker), loads_(tracker.loads()), rows_(int(tracker.finished().size()))
    {
    }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override { return parent.isValid() ? 0 : rows_; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= rows_ || std::size_t(index.row()) >= tracker_.finished().size()
            || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
            return QVariant();
        const FinishedKhatma &f = tracker_.finished()[std::size_t(index.row())];
        return QCoreApplication::translate("zarfan::KhatmaWindow", "من %1 إلى %2").arg(khatmaDate(f.start), khatmaDate(f.end));
    }

    // Adds the khatmas finished since the last look; a new load replaces all.
    void follow()
    {
        const int now = int(tracker_.finished().size());
        if (tracker_.loads() != loads_ || now < rows_) {
            beginResetModel();
            loads_ = tracker_.loads();
            rows_ = now;
            endResetModel();
        } else if (now > rows_) {
            beginInsertRows(QModelIndex(), rows_, now - 1);
            rows_ = now;
            endInsertRows();
        }
    }

private:
    const KhatmaTracker &tracker_;
    int loads_;
    int rows_;
};

KhatmaWindow::KhatmaWindow(KhatmaTracker &tracker, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::KhatmaWindow>()), tracker_(tracker), today_(QDate::currentDate())
{
    ui->setupUi(this);
    past_ = new FinishedKhatmasModel(tracker_, this);
    ui->pastKhatmas->setModel(past_);
    nameSpinBoxFields(this);
    keepProgressTextVisible(ui->progress);
    // Qt reverses a right-to-left date edit's sections: given day first, it
    // shows yyyy/MM/dd, the order every list of this window shows.
    ui->startDate->setDisplayFormat(ui->startDate->isRightToLeft() ? QStringLiteral("dd/MM/yyyy")
                                                                   : QStringLiteral("yyyy/MM/dd"));
    ui->startDate->setDate(today_);
    ui->startDate->setMaximumDate(today_);
    centreWhenShown(this);
    const auto enableAmounts = [this] {
        ui->days->setEnabled(ui->byDays->isChecked());
        ui->pagesPerDay->setEnabled(ui->byPages->isChecked());
    };
    connect(ui->byDays, &QRadioButton::toggled, this, enableAmounts);
    enableAmounts();
    connect(ui->startPlan, &QPushButton::clicked, this, &KhatmaWindow::startPlan);
    connect(ui->readToday, &QPushButton::clicked, this, [this] {
        const KhatmaStatus st = tracker_.status(today_);
        if (st.active)
            emit openPageRequested(st.portionFirst);
    });
    connect(ui->markDone, &QPushButton::clicked, this, [this] { tracker_.markTodayDone(today_); });
    connect(ui->restartPlan, &QPushButton::clicked, this, [this] { tracker_.restart(today_); });
    connect(ui->endPlan, &QPushButton::clicked, this, &KhatmaWindow::confirmEnd);
    connect(&tracker_, &KhatmaTracker::changed, this, &KhatmaWindow::refresh);
    refresh();
}

KhatmaWindow::~KhatmaWindow() = default;

void KhatmaWindow::setToday(const QDate &today)
{
    today_ = today;
    ui->startDate->setMaximumDate(today);
    ui->startDate->setDate(today);
    refresh();
}

void KhatmaWindow::startPlan()
{
    KhatmaRequest request;
    request.by = ui->byDays->isChecked() ? KhatmaSchedule::By::Days : KhatmaSchedule::By::PagesPerDay;
    request.amount = ui->byDays->isChecked() ? ui->days->value() : ui->pagesPerDay->value();
    request.startPage = ui->startPage->value();
    request.startDate = ui->startDate->date();
    const QString refused = tracker_.start(request, today_);
    if (!refused.isEmpty())
        showMessage(this, refused);
}

void KhatmaWindow::confirmEnd()
{
    QMessageBox box(QMessageBox::Question, programTitle(), tr("هل تريد إنهاء الخطة؟ يضيع ما سجل من تقدمها"),
                    QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("confirmEnd"));
    QPushButton *yes = box.addButton(tr("نعم"), QMessageBox::YesRole);
    box.addButton(tr("لا"), QMessageBox::NoRole);
    box.exec();
    if (box.clickedButton() == yes)
        tracker_.end();
}

void KhatmaWindow::refresh()
{
    const KhatmaStatus st = tracker_.status(today_);
    const auto setLabel = [](QLabel *label, const QString &text) {
        label->setText(text);
        label->setAccessibleName(text);
    };
    setLabel(ui->todayPortion, st.active ? st.portionText() : tr("لا توجد خطة"));
    setLabel(ui->daysLeft, st.active ? st.daysLeftText() : QString());
    setLabel(ui->lead, st.active ? st.leadText() : QString());
    ui->progress->setValue(st.pagesRead);
    for (QWidget *w : {static_cast<QWidget *>(ui->readToday), static_cast<QWidget *>(ui->markDone),
                       static_cast<QWidget *>(ui->restartPlan), static_cast<QWidget *>(ui->endPlan)})
        w->setEnabled(st.active);

    if (tracker_.schedule() != listed_) {
        listed_ = tracker_.schedule();
        ui->portions->clear();
        if (listed_) {
            QStringList lines;
            for (int d = 0; d < listed_->days; ++d)
                lines.append(tr("%1 : من صفحة %2 إلى صفحة %3")
                                 .arg(khatmaDate(listed_->start.addDays(d)))
                                 .arg(listed_->portionFirst(d))
                                 .arg(listed_->portionLast(d)));
            ui->portions->addItems(lines);
        }
    }
    if (listed_) {
        const int today = listed_->dayIndex(today_);
        if (today < listed_->days)
            ui->portions->setCurrentRow(today);
    }
    past_->follow();
}

} // namespace zarfan
