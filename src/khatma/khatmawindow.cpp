#include "khatmawindow.h"
#include "ui_khatmawindow.h"

#include "ui/controls.h"
#include "ui/translation.h"
#include "ui/windowsizing.h"
#include "ui/messages.h"
#include "khatmaplan.h"

#include <QMessageBox>
#include <QPushButton>

namespace zarfan {

KhatmaWindow::KhatmaWindow(KhatmaTracker &tracker, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::KhatmaWindow>()), tracker_(tracker), today_(QDate::currentDate())
{
    ui->setupUi(this);
    nameSpinBoxFields(this);
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
    QMessageBox box(QMessageBox::Question, programTitle(), QStringLiteral("هل تريد إنهاء الخطة؟ يضيع ما سجل من تقدمها"),
                    QMessageBox::NoButton, this);
    box.setObjectName(QStringLiteral("confirmEnd"));
    QPushButton *yes = box.addButton(QStringLiteral("نعم"), QMessageBox::YesRole);
    box.addButton(QStringLiteral("لا"), QMessageBox::NoRole);
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
    setLabel(ui->todayPortion, st.active ? st.portionText() : QStringLiteral("لا توجد خطة"));
    setLabel(ui->daysLeft, st.active ? st.daysLeftText() : QString());
    setLabel(ui->lead, st.active ? st.leadText() : QString());
    ui->progress->setValue(st.pagesRead);
    for (QWidget *w : {static_cast<QWidget *>(ui->readToday), static_cast<QWidget *>(ui->markDone),
                       static_cast<QWidget *>(ui->restartPlan), static_cast<QWidget *>(ui->endPlan)})
        w->setEnabled(st.active);

    ui->portions->clear();
    if (const auto &s = tracker_.schedule()) {
        QStringList lines;
        for (int d = 0; d < s->days; ++d)
            lines.append(QStringLiteral("%1 : من صفحة %2 إلى صفحة %3")
                             .arg(s->start.addDays(d).toString(QStringLiteral("yyyy/MM/dd")))
                             .arg(s->portionFirst(d))
                             .arg(s->portionLast(d)));
        ui->portions->addItems(lines);
        const int today = s->dayIndex(today_);
        if (today < s->days)
            ui->portions->setCurrentRow(today);
    }
    ui->pastKhatmas->clear();
    for (const FinishedKhatma &f : tracker_.finished())
        ui->pastKhatmas->addItem(QStringLiteral("من %1 إلى %2").arg(f.start.toString(QStringLiteral("yyyy/MM/dd")),
                                                                   f.end.toString(QStringLiteral("yyyy/MM/dd"))));
}

} // namespace zarfan
