#include "windowopener.h"

#include "auxiliary/windows/aboutwindow.h"
#include "auxiliary/windows/updatewindow.h"
#include "browse/programstate.h"
#include "compose/windows/composewindow.h"
#include "navigator/windows/navigatorwindow.h"
#include "reading/windows/readingcommands.h"
#include "reading/windows/readingwindow.h"
#include "search/windows/distributionwindow.h"
#include "state/readingstate.h"
#include "khatma/windows/khatmawindow.h"
#include "search/windows/optionswindow.h"
#include "search/windows/resultstextmodel.h"
#include "search/windows/resultstextwindow.h"
#include "topics/windows/topicwindow.h"
#include "ui/messages.h"
#include "ui/windowplacekeeper.h"

#include <QEvent>

namespace zarfan {

namespace {
// The features' windows close in this order, after the main window's own.
const QStringList &closingOrder()
{
    static const QStringList kinds{QStringLiteral("reading"),     QStringLiteral("reciters"),
                                   QStringLiteral("offlineRecitation"), QStringLiteral("savedRecitations"),
                                   QStringLiteral("similarAyas"), QStringLiteral("recital"),
                                   QStringLiteral("memoriseProgress"), QStringLiteral("notes"),
                                   QStringLiteral("lists"),       QStringLiteral("note")};
    return kinds;
}

QString openedKey(const QString &kind, const QString &instance) { return kind + u'/' + instance; }

void bringUp(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

WindowOpener::WindowOpener(ReadingState &state, const WindowPlaceKeeper &places, QWidget *owner)
    : state_(state), places_(places), owner_(owner)
{
}

WindowOpener::~WindowOpener()
{
    delete Form2;
    delete Form4;
    delete Form5;
    delete Form6;
    delete Form7;
    delete Form8;
    delete distribution_;
    delete khatma_;
    delete reading_;
    delete resultsText_;
    for (const auto &[key, window] : std::as_const(opened_))
        delete window;
}

OptionsWindow *WindowOpener::optionsWindow()
{
    if (!Form6)
        Form6 = new OptionsWindow(state_, owner_);
    return Form6;
}

TopicWindow *WindowOpener::topicWindow() const { return Form8; }

ReadingCommands *WindowOpener::readingCommands(const ReadingActions &actions)
{
    if (!reading_)
        reading_ = new ReadingCommands(state_, owner_, actions, *this);
    return reading_;
}

void WindowOpener::openAbout()
{
    Form2 = new AboutWindow(owner_);
    Form2->exec();
    delete Form2;
}

void WindowOpener::openUpdate()
{
    Form4 = new UpdateWindow(owner_);
    Form4->exec();
    delete Form4;
}

void WindowOpener::openCompose()
{
    Form5 = new ComposeWindow(state_, owner_);
    Form5->exec();
    delete Form5;
}

void WindowOpener::composeChosen()
{
    programState().composemode = 2;
    openCompose();
}

void WindowOpener::composeWholeSura()
{
    ProgramState &state = programState();
    if (state.mixedsora != 0) {
        showMessage(owner_, tr("إن نتائج البحث ليست لسورة واحدة"), tr("خطأ"));
        return;
    }
    if (state_.listing().count() > 0)
        state.composesura = qint16(state_.listing().at(0).sura.toInt());
    state.composemode = 1;
    openCompose();
}

void WindowOpener::openComposedAyas(const QStringList &ids, const QStringList &lines)
{
    programState().composemode = 3;
    Form5 = new ComposeWindow(state_, owner_);
    Form5->setAyas(ids, lines);
    Form5->exec();
    delete Form5;
}

QWidget *WindowOpener::find(const QString &kind, const QString &instance) const
{
    const QString key = openedKey(kind, instance);
    for (const auto &[k, window] : opened_) {
        if (k == key && window)
            return window;
    }
    return nullptr;
}

QWidget *WindowOpener::open(const QString &kind, const QString &instance, const std::function<QWidget *()> &make,
                            bool keepItsSize)
{
    QWidget *window = find(kind, instance);
    if (!window) {
        opened_.removeIf([](const auto &entry) { return entry.second.isNull(); });
        window = make();
        opened_.append({openedKey(kind, instance), window});
        if (keepItsSize)
            keepSize(window, kind + QStringLiteral(".size"));
    }
    bringUp(window);
    return window;
}

void WindowOpener::openOptions()
{
    optionsWindow()->exec();
    if (Form6 && Form6->isUnloaded())
        delete Form6;
}

void WindowOpener::openNavigator()
{
    if (!Form7)
        Form7 = new NavigatorWindow(state_, owner_);
    Form7->exec();
    if (Form7 && Form7->isUnloaded())
        delete Form7;
}

void WindowOpener::openTopics()
{
    if (!Form8) {
        Form8 = new TopicWindow(state_, owner_);
        keepSize(Form8, QStringLiteral("topics.size"));
    }
    bringUp(Form8);
}

void WindowOpener::openDistribution()
{
    if (!distribution_) {
        distribution_ = new DistributionWindow(state_, owner_);
        distribution_->setAttribute(Qt::WA_DeleteOnClose);
        keepSize(distribution_, QStringLiteral("distribution.size"));
        connect(distribution_, &DistributionWindow::lineChosen, this, &WindowOpener::lineChosen);
    }
    bringUp(distribution_);
}

KhatmaWindow *WindowOpener::openKhatma()
{
    if (!khatma_) {
        khatma_ = new KhatmaWindow(state_.khatma(), owner_);
        khatma_->setAttribute(Qt::WA_DeleteOnClose);
        keepSize(khatma_, QStringLiteral("khatma.size"));
        // "قراءة ورد اليوم" opens the portion's first page for reading.
        connect(khatma_, &KhatmaWindow::openPageRequested, this, [this](int page) {
            if (reading_)
                reading_->openAtPage(page);
        });
    }
    bringUp(khatma_);
    return khatma_;
}

void WindowOpener::openResultsText(int line)
{
    if (!resultsText_) {
        resultsText_ = new ResultsTextWindow(state_, owner_);
        resultsText_->setAttribute(Qt::WA_DeleteOnClose);
        keepSize(resultsText_, QStringLiteral("resultstext.size"));
        connect(resultsText_, &ResultsTextWindow::lineChosen, this, &WindowOpener::lineChosen);
    }
    bringUp(resultsText_);
    resultsText_->showLine(line);
}

void WindowOpener::showResultsLine(int line)
{
    if (resultsText_)
        resultsText_->showLine(line);
}

void WindowOpener::refillResultsText()
{
    if (resultsText_)
        resultsText_->model()->refill();
}

void WindowOpener::keepSize(QWidget *window, const QString &key)
{
    places_.restoreSize(window, key);
    sizeKeys_.insert(window, key);
    window->installEventFilter(this);
    connect(window, &QObject::destroyed, this, [this](QObject *gone) { sizeKeys_.remove(gone); });
}

void WindowOpener::saveSizes() const
{
    for (auto it = sizeKeys_.cbegin(); it != sizeKeys_.cend(); ++it)
        places_.saveSize(static_cast<const QWidget *>(it.key()), it.value());
}

void WindowOpener::closeAll()
{
    QList<QPointer<QWidget>> others = {Form2.data(), Form4.data(), Form5.data(), Form6.data(), Form7.data(),
                                       Form8.data(), distribution_.data(), khatma_.data(), resultsText_.data()};
    for (const QString &kind : closingOrder()) {
        for (const auto &[key, window] : std::as_const(opened_)) {
            if (key.startsWith(kind + u'/'))
                others.append(window);
        }
    }
    // A window may take another with it as it closes.
    for (const QPointer<QWidget> &window : std::as_const(others)) {
        if (window)
            window->close();
    }
}

bool WindowOpener::eventFilter(QObject *watched, QEvent *event)
{
    // A dialog put away by Escape is hidden without a close event.
    if ((event->type() == QEvent::Close || event->type() == QEvent::Hide) && sizeKeys_.contains(watched))
        places_.saveSize(static_cast<QWidget *>(watched), sizeKeys_.value(watched));
    return false;
}

} // namespace zarfan
