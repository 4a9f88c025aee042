#include "optionswindow.h"
#include "ui_optionswindow.h"

#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/windowsizing.h"
#include "ui/fontchoice.h"
#include "state/readingstate.h"
#include "ui/messages.h"
#include "browse/programstate.h"
#include "browse/suratables.h"
#include "data/settingsfile.h"

#include <QButtonGroup>
#include <algorithm>
#include <QKeyEvent>
#include <QSpinBox>
#include <iterator>

namespace zarfan {

namespace {
const QString kOrderKey = QStringLiteral("resultsOrder");
}

OptionsWindow::OptionsWindow(ReadingState &state, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::Form6>()), state_(state)
{
    ui->setupUi(this);
    setFont(designFont(QStringLiteral("Tahoma"), 8.25));
    QStringList juz;
    for (int n = 1; n <= SuraTables::kJuzCount; ++n)
        juz.append(n < 10 ? QString::number(n) + u' ' : QString::number(n));
    const QStringList suras = SuraTables::unmarkedNames();
    for (QComboBox *box : {ui->part, ui->part1, ui->part2})
        fillPromptCombo(box, juz, tr("اختر الجزء"));
    for (QComboBox *box : {ui->sora, ui->sora1, ui->sora2})
        fillPromptCombo(box, suras, tr("اختر إسم السورة"));
    QStringList hizbs;
    for (int n = 1; n <= 60; ++n)
        hizbs.append(QString::number(n));
    fillPromptCombo(ui->hizb, hizbs, tr("اختر الحزب"));
    nameSpinBoxFields(this);

    // Explicit groups: the mode buttons sit inside the scope buttons' parent.
    auto *scopeGroup = new QButtonGroup(this);
    for (QRadioButton *b : {ui->allsearch, ui->partop, ui->part12op, ui->soraop, ui->sora12op, ui->hizbop, ui->pagesop})
        scopeGroup->addButton(b);
    auto *modeGroup = new QButtonGroup(this);
    modeGroup->addButton(ui->withother);
    modeGroup->addButton(ui->alone);
    modeGroup->addButton(ui->rootsearch);
    modeGroup->addButton(ui->lemmasearch);

    centreWhenShown(this);
    QRadioButton *const scopes[] = {ui->allsearch, ui->partop, ui->part12op, ui->soraop, ui->sora12op, ui->hizbop, ui->pagesop};
    const int current = programState().searchtype;
    scopes[current >= 0 && current < int(std::size(scopes)) ? current : 0]->setChecked(true);
    ui->searchin->setCurrentIndex(int(state_.searchTarget()));
    enableModes();

    connect(ui->Command1, &QToolButton::clicked, this, &OptionsWindow::commit);
    connect(ui->Commandfont, &QToolButton::clicked, this, &OptionsWindow::chooseFont);
    // The mode and the positions count for as long as the window lives.
    connect(ui->alone, &QRadioButton::toggled, this, &OptionsWindow::publishOptions);
    connect(ui->literalsearch, &QCheckBox::toggled, this, &OptionsWindow::publishOptions);
    for (QRadioButton *b : {ui->rootsearch, ui->lemmasearch})
        connect(b, &QRadioButton::toggled, this, &OptionsWindow::publishOptions);
    connect(ui->searchin, &QComboBox::currentIndexChanged, this, &OptionsWindow::enableModes);
    // The order is the reader's lasting choice, kept in the store.
    if (UserStore *store = state_.userStore())
        ui->resultsorder->setCurrentIndex(store->value(kOrderKey) == "relevance" ? 1 : 0);
    connect(ui->resultsorder, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (UserStore *store = state_.userStore())
            store->setValue(kOrderKey, index == 1 ? "relevance" : "mushaf");
        publishOptions();
    });

    for (QComboBox *box : {ui->part, ui->part1, ui->part2, ui->sora, ui->sora1, ui->sora2, ui->hizb})
        connect(box, &QComboBox::currentIndexChanged, this, &OptionsWindow::publishOptions);
    for (QSpinBox *box : {ui->page1, ui->page2})
        connect(box, &QSpinBox::valueChanged, this, &OptionsWindow::publishOptions);
    publishOptions();
}

OptionsWindow::~OptionsWindow() { state_.resetSearchOptions(); }

void OptionsWindow::publishOptions()
{
    enableModes();
    state_.setSearchOptions(searchOptions(0));
}

void OptionsWindow::enableModes()
{
    // Roots and lemmas belong to the aya text; spelling does not count for them.
    const bool onQuran = ui->searchin->currentIndex() <= 0;
    ui->rootsearch->setEnabled(onQuran);
    ui->lemmasearch->setEnabled(onQuran);
    if (!onQuran && (ui->rootsearch->isChecked() || ui->lemmasearch->isChecked()))
        ui->withother->setChecked(true);
    ui->literalsearch->setEnabled(!ui->rootsearch->isChecked() && !ui->lemmasearch->isChecked());
}

void OptionsWindow::keyPressEvent(QKeyEvent *event)
{
    // Escape puts the window away as Command1 does, keeping its state, but
    // commits no scope.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QDialog::keyPressEvent(event);
}

SearchOptions OptionsWindow::searchOptions(int searchtype) const
{
    SearchOptions o;
    o.searchtype = searchtype;
    o.singleWord = ui->alone->isChecked();
    o.part = ui->part->currentIndex();
    o.part1 = ui->part1->currentIndex();
    o.part2 = ui->part2->currentIndex();
    o.sora = ui->sora->currentIndex();
    o.sora1 = ui->sora1->currentIndex();
    o.sora2 = ui->sora2->currentIndex();
    o.hizb = ui->hizb->currentIndex();
    o.page1 = ui->page1->value();
    o.page2 = ui->page2->value();
    o.literal = ui->literalsearch->isChecked();
    o.key = ui->rootsearch->isChecked() ? WordKey::Root : ui->lemmasearch->isChecked() ? WordKey::Lemma : WordKey::Letters;
    o.byRelevance = ui->resultsorder->currentIndex() == 1;
    return o;
}

void OptionsWindow::commit()
{
    qint16 scope = 0;
    if (ui->allsearch->isChecked())
        scope = 0;
    else if (ui->partop->isChecked())
        scope = 1;
    else if (ui->part12op->isChecked())
        scope = 2;
    else if (ui->soraop->isChecked())
        scope = 3;
    else if (ui->sora12op->isChecked())
        scope = 4;
    else if (ui->hizbop->isChecked())
        scope = 5;
    else if (ui->pagesop->isChecked())
        scope = 6;
    programState().searchtype = scope;
    state_.setSearchTarget(static_cast<SearchTarget>(std::clamp(ui->searchin->currentIndex(), 0, 4)));
    hide();
}

void OptionsWindow::reject()
{
    // The close box destroys the window: nothing uncommitted stays.
    unloaded_ = true;
    QDialog::reject();
}

void OptionsWindow::chooseFont()
{
    // Cancelled or accepted unchanged: nothing to change or write.
    const std::optional<QFont> chosen = askForFont(state_.ayaFont(), this);
    if (!chosen)
        return;
    state_.setAyaFont(*chosen);
    FontRecord record;
    record.name = chosen->family();
    record.size = chosen->pointSizeF();
    record.italic = chosen->italic();
    record.bold = chosen->bold();
    if (!writeSettings(state_.appFolder(), record))
        showMessage(this, tr("تعذر حفظ الخط في الملف all.txt، وسيبقى الخط المختار حتى إغلاق البرنامج"));
}

} // namespace zarfan
