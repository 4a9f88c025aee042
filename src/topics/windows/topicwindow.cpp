#include "topicwindow.h"
#include "ui_topicwindow.h"

#include "ui/fonts.h"
#include "ui/windowsizing.h"
#include "ui/keyboardlayout.h"
#include "state/readingstate.h"
#include "state/listingfill.h"
#include "browse/suratables.h"
#include "data/queries.h"
#include "topics/referenceparser.h"

#include "search/arabicfolding.h"

#include <QKeyEvent>

namespace zarfan {

TopicWindow::TopicWindow(ReadingState &state, QWidget *parent)
    : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Form8>()), state_(state)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    for (QWidget *list : {static_cast<QWidget *>(ui->mainsearch), static_cast<QWidget *>(ui->mainlist),
                          static_cast<QWidget *>(ui->suraayaalist)}) {
        list->setFont(designFont(QStringLiteral("Tahoma"), 8.25));
        list->installEventFilter(this);
    }
    ui->Image1->lower();

    centreWhenShown(this);
    const QString connection = state.connectionString();
    Adodc1.setConnectionString(connection);
    Adodc2.setConnectionString(connection);
    topicsControl_.setConnectionString(connection);
    activateArabicKeyboard();

    connect(ui->mainlist, &QListWidget::itemDoubleClicked, this, &TopicWindow::openSelectedTopic);
    connect(ui->mainsearch, &QListWidget::itemClicked, this, &TopicWindow::backToTop);
    connect(ui->suraayaalist, &QListWidget::itemDoubleClicked, this, &TopicWindow::resolveSelectedReference);
    connect(ui->topicfilter, &QLineEdit::textChanged, this, &TopicWindow::filterTopics);
    showTopLevel();
}

TopicWindow::~TopicWindow() = default;

TopicWindow::Busy::~Busy()
{
    if (--w_.busy_ > 0 || !w_.deleteWhenIdle_)
        return;
    w_.deleteWhenIdle_ = false;
    // Opened again meanwhile: it stays, to go at its next close.
    if (w_.isVisible())
        w_.setAttribute(Qt::WA_DeleteOnClose);
    else
        w_.deleteLater();
}

void TopicWindow::closeEvent(QCloseEvent *event)
{
    ++fills_; // a walk still running stops
    if (busy_ > 0 && testAttribute(Qt::WA_DeleteOnClose)) {
        setAttribute(Qt::WA_DeleteOnClose, false);
        deleteWhenIdle_ = true;
    }
    QWidget::closeEvent(event);
}

bool TopicWindow::fillTopics()
{
    const quint64 mine = ++fills_;
    ui->mainlist->clear();
    secondlist_.clear();
    const int cName = Adodc1.column(u"Topic_Name");
    const int cNumber = Adodc1.column(u"Topic_No");
    EventYield yield;
    // A close or a newer fill during a yield stops this one.
    while (!Adodc1.eof()) {
        secondlist_.append(Adodc1.field(cNumber));
        ui->mainlist->addItem(Adodc1.field(cName));
        Adodc1.moveNext();
        if (yield.maybe() && fills_ != mine)
            return false;
    }
    return true;
}

bool TopicWindow::showTopLevel()
{
    Adodc1.setRecordSource(query::topLevelTopics());
    Adodc1.refresh();
    return fillTopics();
}

void TopicWindow::openSelectedTopic()
{
    const Busy busy(*this);
    const int k = ui->mainlist->currentRow();
    if (k < 0 || k >= secondlist_.size())
        return;
    const QString topic = secondlist_.at(k);
    ui->suraayaalist->clear();
    Adodc1.setRecordSource(query::childTopics(topic));
    Adodc1.refresh();
    if (!Adodc1.field(u"Topic_No").isEmpty()) {
        if (fillTopics())
            ui->mainlist->setCurrentRow(-1);
        return;
    }
    const quint64 mine = ++fills_;
    Adodc1.setRecordSource(query::topicReferences(topic));
    Adodc1.refresh();
    soralistsub_.clear();
    ayaalistsub_.clear();
    ui->suraayaalist->clear();
    const int cSura = Adodc1.column(u"Sura_No");
    const int cAyat = Adodc1.column(u"Ayat_No");
    EventYield yield;
    while (!Adodc1.eof()) {
        const QString sura = Adodc1.field(cSura);
        const QString ayat = Adodc1.field(cAyat);
        soralistsub_.append(sura);
        ayaalistsub_.append(ayat);
        ui->suraayaalist->addItem(referenceLine(SuraTables::name(SuraTables::numberFromText(sura)), ayat));
        Adodc1.moveNext();
        if (yield.maybe() && fills_ != mine)
            return;
    }
}

void TopicWindow::filterTopics(const QString &text)
{
    const Busy busy(*this);
    ui->suraayaalist->clear();
    if (foldArabic(text).isEmpty()) {
        showTopLevel();
        return;
    }
    if (!index_.isLoaded() && !index_.load(topicsControl_))
        return;
    ++fills_; // a walk still running stops
    ui->mainlist->clear();
    secondlist_.clear();
    for (const TopicIndex::Found &found : index_.find(text)) {
        secondlist_.append(found.number);
        ui->mainlist->addItem(found.path);
    }
}

void TopicWindow::backToTop()
{
    const Busy busy(*this);
    ui->suraayaalist->clear();
    if (!showTopLevel())
        return;
    // Never left highlighted.
    ui->mainsearch->clearSelection();
    ui->mainsearch->setCurrentRow(-1, QItemSelectionModel::Clear);
}

void TopicWindow::resolveSelectedReference()
{
    const Busy busy(*this);
    const int k = ui->suraayaalist->currentRow();
    if (k < 0 || k >= ayaalistsub_.size())
        return;
    const QString sura = soralistsub_.at(k);
    const ResolvedReference resolved = resolveReference(ayaalistsub_.at(k), SuraTables::ayaCount(SuraTables::numberFromText(sura)));
    const QString statement = referenceQuery(resolved, sura);
    if (statement.isEmpty())
        return;
    state_.produceListing({statement, std::nullopt, ReadingState::Guard::AllayaasearchOnly});
}

bool TopicWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (enter && watched == ui->mainlist) {
            openSelectedTopic();
            return true;
        }
        if (enter && watched == ui->suraayaalist) {
            resolveSelectedReference();
            return true;
        }
        if ((enter || key == Qt::Key_Space) && watched == ui->mainsearch) {
            backToTop();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zarfan
