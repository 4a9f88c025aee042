#include "progresswindow.h"

#include "browse/suratables.h"
#include "search/arabicfolding.h"
#include "search/foldedtext.h"
#include "ui/messages.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zarfan {

namespace {
const QColor kLearning(0xe6, 0x9f, 0x00), kHeld(0x00, 0x9e, 0x73);
}

JuzChart::JuzChart(const MemoriseProgress &progress, std::vector<int> juzOfPage, QWidget *parent)
    : QWidget(parent), progress_(progress), juzOfPage_(std::move(juzOfPage))
{
    setObjectName(QStringLiteral("juzchart"));
    setMinimumHeight(120);
    setAccessibleName(tr("الصفحات في كل جزء"));
}

std::array<int, 31> JuzChart::pagesPerJuz(PageState state) const
{
    std::array<int, 31> out{};
    for (int p = 1; p <= MemoriseProgress::kPages && p < int(juzOfPage_.size()); ++p) {
        const int juz = juzOfPage_[std::size_t(p)];
        if (juz >= 1 && juz <= 30 && progress_.page(p).state == state)
            ++out[std::size_t(juz)];
    }
    return out;
}

void JuzChart::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const std::array<int, 31> held = pagesPerJuz(PageState::Held), learning = pagesPerJuz(PageState::Learning),
                              none = pagesPerJuz(PageState::NotHeld);
    const int labelHeight = fontMetrics().height();
    const double slot = double(width()) / 30.0, barHeight = height() - labelHeight - 4;
    const QColor empty = palette().color(QPalette::Mid);
    for (int juz = 1; juz <= 30; ++juz) {
        const int total = std::max(1, held[std::size_t(juz)] + learning[std::size_t(juz)] + none[std::size_t(juz)]);
        // Juz 1 at the right, as the reader reads.
        const double x = width() - juz * slot + 1;
        double y = barHeight;
        for (const auto &[count, colour] : {std::pair{held[std::size_t(juz)], kHeld}, std::pair{learning[std::size_t(juz)], kLearning},
                                            std::pair{none[std::size_t(juz)], empty}}) {
            const double h = barHeight * count / total;
            painter.fillRect(QRectF(x, y - h, slot - 2, h), colour);
            y -= h;
        }
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(QRectF(x, barHeight + 2, slot - 2, labelHeight), Qt::AlignCenter, interfaceNumber(juz));
    }
}

ProgressWindow::ProgressWindow(MemoriseProgress &progress, const FoldedText &text, std::function<QDate()> today, QWidget *parent)
    : QWidget(parent, Qt::Window), progress_(progress), text_(text), today_(std::move(today)), unit_(new QComboBox(this)),
      state_(new QComboBox(this)), from_(new QSpinBox(this)), to_(new QSpinBox(this)), summary_(new QLabel(this)),
      review_(new QListWidget(this)), open_(new QPushButton(tr("فتح للمراجعة"), this)),
      mastered_(new QPushButton(tr("متقن"), this)), hesitant_(new QPushButton(tr("متردد"), this)),
      forgot_(new QPushButton(tr("نسيت"), this)), chart_(new JuzChart(progress, juzOfPages(text), this))
{
    setObjectName(QStringLiteral("memoriseprogress"));
    setWindowTitle(tr("الحفظ والمراجعة"));
    setLayoutDirection(Qt::RightToLeft);
    resize(560, 560);
    unit_->setObjectName(QStringLiteral("markunit"));
    unit_->addItems({tr("صفحات"), tr("سورة"), tr("جزء")});
    state_->setObjectName(QStringLiteral("markstate"));
    for (PageState s : {PageState::Held, PageState::Learning, PageState::NotHeld})
        state_->addItem(pageStateName(s), int(s));
    from_->setObjectName(QStringLiteral("markfrom"));
    from_->setAccessibleName(tr("من"));
    to_->setObjectName(QStringLiteral("markto"));
    to_->setAccessibleName(tr("إلى"));
    auto *markButton = new QPushButton(tr("تحديد"), this);
    markButton->setObjectName(QStringLiteral("markpages"));
    summary_->setObjectName(QStringLiteral("memorisesummary"));
    summary_->setWordWrap(true);
    summary_->setFocusPolicy(Qt::StrongFocus);
    summary_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    review_->setObjectName(QStringLiteral("reviewtoday"));
    review_->setAccessibleName(tr("مراجعة اليوم"));
    open_->setObjectName(QStringLiteral("reviewopen"));
    mastered_->setObjectName(QStringLiteral("reviewmastered"));
    hesitant_->setObjectName(QStringLiteral("reviewhesitant"));
    forgot_->setObjectName(QStringLiteral("reviewforgot"));

    auto *markBox = new QGroupBox(tr("تحديد الحالة"), this);
    auto *markForm = new QFormLayout(markBox);
    markForm->addRow(tr("الوحدة :"), unit_);
    markForm->addRow(tr("من :"), from_);
    markForm->addRow(tr("إلى :"), to_);
    markForm->addRow(tr("الحالة :"), state_);
    markForm->addRow(markButton);
    auto *reviewBox = new QGroupBox(tr("مراجعة اليوم"), this);
    auto *reviewLayout = new QVBoxLayout(reviewBox);
    reviewLayout->addWidget(review_);
    auto *answers = new QHBoxLayout;
    for (QPushButton *b : {open_, mastered_, hesitant_, forgot_})
        answers->addWidget(b);
    reviewLayout->addLayout(answers);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(chart_);
    layout->addWidget(markBox);
    layout->addWidget(reviewBox, 1);

    connect(unit_, &QComboBox::currentIndexChanged, this, &ProgressWindow::chooseUnit);
    connect(markButton, &QPushButton::clicked, this, &ProgressWindow::mark);
    connect(open_, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem *item = review_->currentItem())
            emit reviewPageRequested(item->data(Qt::UserRole).toInt());
    });
    connect(review_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { emit reviewPageRequested(item->data(Qt::UserRole).toInt()); });
    connect(mastered_, &QPushButton::clicked, this, [this] { answer(ReviewAnswer::Mastered); });
    connect(hesitant_, &QPushButton::clicked, this, [this] { answer(ReviewAnswer::Hesitant); });
    connect(forgot_, &QPushButton::clicked, this, [this] { answer(ReviewAnswer::Forgot); });
    chooseUnit(0);
    refresh();
}

void ProgressWindow::chooseUnit(int index)
{
    const int last = index == 0 ? MemoriseProgress::kPages : index == 1 ? SuraTables::kSuraCount : SuraTables::kJuzCount;
    for (QSpinBox *box : {from_, to_})
        box->setRange(1, last);
    to_->setEnabled(index == 0);
}

void ProgressWindow::mark()
{
    std::vector<int> pages;
    if (unit_->currentIndex() == 0) {
        for (int p = std::min(from_->value(), to_->value()); p <= std::max(from_->value(), to_->value()); ++p)
            pages.push_back(p);
    } else if (unit_->currentIndex() == 1) {
        pages = pagesOfSura(text_, from_->value());
    } else {
        pages = pagesOfJuz(text_, from_->value());
    }
    if (!progress_.setState(pages, PageState(state_->currentData().toInt()), today_()))
        showMessage(this, tr("تغيرت الحالة في هذه الجلسة لكنها لم تحفظ: تعذرت الكتابة في ملف بيانات المستخدم.\n"
                                         "تأكد من إمكان الكتابة في مجلد بيانات المستخدم ثم أعد التحديد."));
    refresh();
}

void ProgressWindow::answer(ReviewAnswer answer)
{
    QListWidgetItem *item = review_->currentItem();
    if (!item)
        return;
    const int row = review_->currentRow();
    if (!progress_.review(item->data(Qt::UserRole).toInt(), answer, today_()))
        showMessage(this, tr("لم تحفظ المراجعة: تعذرت الكتابة في ملف بيانات المستخدم.\n"
                                         "تأكد من إمكان الكتابة في مجلد بيانات المستخدم."));
    refresh();
    review_->setCurrentRow(std::min(row, review_->count() - 1));
}

void ProgressWindow::refresh()
{
    const QDate today = today_();
    const std::vector<int> due = progress_.due(today);
    review_->clear();
    for (int page : due) {
        const qint64 late = today.toJulianDay() - progress_.page(page).due;
        auto *item = new QListWidgetItem(late > 0 ? tr("الصفحة %1 ، متأخرة %2 يوم").arg(page).arg(late)
                                                  : tr("الصفحة %1").arg(page),
                                         review_);
        item->setData(Qt::UserRole, page);
    }
    if (review_->count() > 0)
        review_->setCurrentRow(0);
    for (QPushButton *b : {open_, mastered_, hesitant_, forgot_})
        b->setEnabled(!due.empty());
    const int held = progress_.count(PageState::Held), learning = progress_.count(PageState::Learning);
    summary_->setText(tr("محفوظ : %1 صفحة    قيد الحفظ : %2    للمراجعة اليوم : %3")
                          .arg(held)
                          .arg(learning)
                          .arg(due.size()));
    // The chart in words, for a screen reader.
    QStringList perJuz;
    const auto heldPerJuz = chart_->pagesPerJuz(PageState::Held);
    for (int juz = 1; juz <= 30; ++juz)
        if (heldPerJuz[std::size_t(juz)] > 0)
            perJuz.append(tr("الجزء %1 : %2").arg(juz).arg(heldPerJuz[std::size_t(juz)]));
    chart_->setAccessibleDescription(perJuz.isEmpty() ? tr("لا صفحات محفوظة") : perJuz.join(tr(" ، ")));
    chart_->update();
}

} // namespace zarfan
