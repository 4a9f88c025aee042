#include "playerbar.h"

#include "recitation/recitation.h"
#include "recitationcommands.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace zarfan {

PlayerBar::PlayerBar(RecitationCommands &commands, QWidget *parent) : QWidget(parent), commands_(commands)
{
    setObjectName(QStringLiteral("playerBar"));
    setAccessibleName(tr("التلاوة"));
    // Two rows: the commands and the reciter, then how to recite; one row
    // cut the Arabic captions short at the window's usual width.
    auto *rows = new QVBoxLayout(this);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);
    auto *row = new QHBoxLayout;
    rows->addLayout(row);
    for (QAction *action : {commands.playPause(), commands.stop(), commands.previous(), commands.next()}) {
        auto *button = new QToolButton(this);
        button->setObjectName(action->objectName() + QStringLiteral("Button"));
        button->setDefaultAction(action);
        button->setFocusPolicy(Qt::StrongFocus);
        // The button's name follows the action's text ("تشغيل" / "إيقاف مؤقت").
        button->setAccessibleName(action->text());
        connect(action, &QAction::changed, button, [button, action] { button->setAccessibleName(action->text()); });
        row->addWidget(button);
    }
    const auto labelled = [&](const QString &caption, QWidget *control, const QString &name) {
        auto *label = new QLabel(tr("%1 :").arg(caption), this);
        label->setBuddy(control);
        control->setObjectName(name);
        control->setAccessibleName(caption);
        for (QLineEdit *edit : control->findChildren<QLineEdit *>())
            edit->setAccessibleName(caption);
        row->addWidget(label);
        row->addWidget(control);
    };
    reciter_ = new QComboBox(this);
    reciter_->setMinimumContentsLength(12);
    labelled(tr("القارئ"), reciter_, QStringLiteral("reciterBox"));
    reciterLabel_ = row->itemAt(row->count() - 2)->widget();
    // A new reader has no reciter yet: one line, and the way to the list.
    noReciter_ = new QWidget(this);
    noReciter_->setObjectName(QStringLiteral("noReciter"));
    auto *noReciterRow = new QHBoxLayout(noReciter_);
    noReciterRow->setContentsMargins(0, 0, 0, 0);
    noReciterRow->addWidget(new QLabel(tr("لم تختر قارئا بعد."), noReciter_));
    auto *chooseReciter = new QToolButton(noReciter_);
    chooseReciter->setObjectName(QStringLiteral("chooseReciter"));
    chooseReciter->setText(tr("اختيار قارئ من القائمة"));
    chooseReciter->setFocusPolicy(Qt::StrongFocus);
    connect(chooseReciter, &QToolButton::clicked, &commands_, &RecitationCommands::chooseFromList);
    noReciterRow->addWidget(chooseReciter);
    row->addWidget(noReciter_);
    busy_ = new QProgressBar(this);
    busy_->setObjectName(QStringLiteral("recitationDownload"));
    busy_->setAccessibleName(tr("تحميل التلاوة"));
    busy_->setRange(0, 0);
    busy_->setMaximumWidth(80);
    busy_->hide();
    row->addWidget(busy_);
    row->addStretch();
    row = new QHBoxLayout;
    rows->addLayout(row);
    ayaRepeat_ = new QSpinBox(this);
    labelled(tr("تكرار الآية"), ayaRepeat_, QStringLiteral("ayaRepeat"));
    rangeRepeat_ = new QSpinBox(this);
    labelled(tr("تكرار المقطع"), rangeRepeat_, QStringLiteral("rangeRepeat"));
    for (QSpinBox *box : {ayaRepeat_, rangeRepeat_})
        box->setRange(1, Recitation::kMaxRepeat);
    speed_ = new QComboBox(this);
    for (const double s : Recitation::kSpeeds)
        speed_->addItem(QString::number(s), s);
    labelled(tr("السرعة"), speed_, QStringLiteral("speedBox"));
    range_ = new QComboBox(this);
    range_->addItems(rangeCaptions());
    range_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    labelled(tr("المقطع"), range_, QStringLiteral("rangeBox"));
    // Time to repeat the aya aloud: seconds, or its own length at the lowest step.
    pauseAfter_ = new QSpinBox(this);
    pauseAfter_->setRange(Recitation::kPauseAyaLength, Recitation::kMaxPause);
    pauseAfter_->setSpecialValueText(tr("بطول الآية"));
    pauseAfter_->setSuffix(tr(" ث"));
    labelled(tr("مهلة بعد الآية"), pauseAfter_, QStringLiteral("pauseAfterBox"));
    row->addStretch();

    Recitation &r = commands_.recitation();
    connect(reciter_, &QComboBox::currentIndexChanged, &r, &Recitation::setReciterIndex);
    connect(ayaRepeat_, &QSpinBox::valueChanged, &r, &Recitation::setAyaRepeat);
    connect(rangeRepeat_, &QSpinBox::valueChanged, &r, &Recitation::setRangeRepeat);
    connect(speed_, &QComboBox::currentIndexChanged, &r, [this, &r] { r.setSpeed(speed_->currentData().toDouble()); });
    connect(range_, &QComboBox::currentIndexChanged, &r, [&r](int k) { r.setRange(RangeKind(k)); });
    connect(pauseAfter_, &QSpinBox::valueChanged, &r, &Recitation::setPauseAfter);
    connect(&r, &Recitation::settingsChanged, this, &PlayerBar::showSettings);
    connect(&r, &Recitation::downloading, busy_, &QWidget::setVisible);
    showSettings();
}

void PlayerBar::showSettings()
{
    const Recitation &r = commands_.recitation();
    const QSignalBlocker b1(reciter_), b2(ayaRepeat_), b3(rangeRepeat_), b4(speed_), b5(range_), b6(pauseAfter_);
    reciter_->clear();
    for (const Reciter &reciter : r.reciters())
        reciter_->addItem(reciter.name);
    reciter_->setCurrentIndex(r.reciterIndex());
    noReciter_->setVisible(r.reciters().isEmpty());
    reciter_->setVisible(!r.reciters().isEmpty());
    reciterLabel_->setVisible(!r.reciters().isEmpty());
    ayaRepeat_->setValue(r.ayaRepeat());
    rangeRepeat_->setValue(r.rangeRepeat());
    speed_->setCurrentIndex(speed_->findData(r.speed()));
    range_->setCurrentIndex(int(r.range()));
    pauseAfter_->setValue(r.pauseAfter());
}

} // namespace zarfan
