#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "ui/controls.h"
#include "ui/fonts.h"
#include "ui/windowsizing.h"
#include "chosenlistcommands.h"
#include "downloadstatelabel.h"
#include "data/problems.h"
#include "data/queries.h"
#include "ui/windowplaces.h"
#include "ui/keyboardlayout.h"
#include "listingcountslabel.h"
#include "mainwindowkeys.h"
#include "memorise/windows/memorisecommands.h"
#include "ui/matchmarkspainter.h"
#include "ui/messages.h"
#include "notes/windows/notescommands.h"
#include "reading/windows/readingcommands.h"
#include "reading/windows/readingwindow.h"
#include "recitation/windows/playerbar.h"
#include "recitation/windows/recitationcommands.h"
#include "search/matchmarks.h"
#include "searchhistorycompleter.h"
#include "searchrunner.h"
#include "tafsirpanel.h"
#include "search/divisionreference.h"
#include "windowopener.h"
#include "wordfactsmenu.h"
#include "ayaboxgloss.h"
#include "translation/windows/translationpane.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QLabel>
#include <QStatusBar>

namespace zarfan {

MainWindow::MainWindow(const QString &appFolder, QWidget *parent)
    : MainWindow(*new ReadingState(appFolder), parent)
{
    ownedState_.reset(&state_);
}

MainWindow::MainWindow(ReadingState &state, QWidget *parent)
    : QMainWindow(parent), state_(state), ui(std::make_unique<Ui::Form1>()), places_(state),
      windows_(std::make_unique<WindowOpener>(state, places_, this))
{
    ui->setupUi(this);
    tafsir_ = std::make_unique<TafsirPanel>(this, ui->Text2);
    setFont(designFont(QStringLiteral("Tahoma"), 8.25));
    ui->Text1->setFont(designFont(QStringLiteral("Tahoma"), 11.25));
    ui->Text2->setFont(designFont(QStringLiteral("Tahoma"), 9.75));
    for (QPlainTextEdit *box : {ui->Text1, ui->Text2})
        alignRightToLeft(box);
    ui->suraayaalist->setModel(&state_.listing());
    ui->Text2->hide();

    // Load: centre (or put back where the reader left it), connection strings,
    // keyboard, saved font.
    if (!restorePlaces())
        centreWhenShown(this);
    Adodc2.setConnectionString(state_.connectionString());
    divisionsControl_.setConnectionString(state_.connectionString());
    activateArabicKeyboard();
    state_.setAyaFont(ui->Text1->font());
    followZoom(ui->Text1, state_, true);
    followZoom(ui->Text2, state_);
    state_.setAyaFont(withSavedFont(ui->Text1->font(), state_.appFolder()));
    state_.setWithoutDiacritics(ui->Check1->isChecked());
    connect(ui->Check1, &QCheckBox::toggled, &state_, &ReadingState::setWithoutDiacritics);
    connect(&state_, &ReadingState::listingCommandsEnabled, this, &MainWindow::setListingCommandsEnabled);
    connect(&state_, &ReadingState::statementTooComplex, this,
            [this] { showMessage(this, problem::searchTooComplex()); });

    connect(ui->search, &QToolButton::clicked, this, &MainWindow::runSearch);
    connect(ui->searcht, &QLineEdit::returnPressed, this, &MainWindow::runSearch);
    connect(ui->allayaasearch, &QToolButton::clicked, this, &MainWindow::listWholeSura);
    connect(ui->copytext, &QToolButton::clicked, this, &MainWindow::copyDisplayedAya);
    connect(ui->option, &QToolButton::clicked, this, &MainWindow::openOptions);
    connect(ui->tools, &QAction::triggered, this, &MainWindow::openOptions);
    connect(ui->copy, &QAction::triggered, this, &MainWindow::copyDisplayedAya);
    connect(ui->fullsearch, &QAction::triggered, windows_.get(), &WindowOpener::openNavigator);
    connect(ui->subjects, &QAction::triggered, this, &MainWindow::openTopics);
    connect(ui->chosen, &QAction::triggered, windows_.get(), &WindowOpener::composeChosen);
    connect(ui->allayaa, &QAction::triggered, windows_.get(), &WindowOpener::composeWholeSura);
    connect(ui->tafser1, &QAction::triggered, this, [this] { showTafsir(TafsirColumn::Jalalayn); });
    connect(ui->tafser2, &QAction::triggered, this, [this] { showTafsir(TafsirColumn::Muyassar); });
    connect(ui->hidetaf, &QAction::triggered, this, &MainWindow::hideTafsir);
    connect(ui->about, &QAction::triggered, windows_.get(), &WindowOpener::openAbout);
    connect(ui->update, &QAction::triggered, windows_.get(), &WindowOpener::openUpdate);
    connect(ui->distribution, &QAction::triggered, windows_.get(), &WindowOpener::openDistribution);
    connect(ui->khatma, &QAction::triggered, windows_.get(), &WindowOpener::openKhatma);
    windows_->readingCommands({ui->readingwindow, ui->continuereading, ui->zoomin, ui->zoomout, ui->zoomreset,
                               ui->themelight, ui->themepaper, ui->themedark});
    connect(&state_, &ReadingState::ayaChosen, this, &MainWindow::showChosenAya);
    // The recitation: its menu here, its player bar under the reading page;
    // the aya recited becomes the current aya.
    auto *recitation = RecitationCommands::install(state_, this);
    menuBar()->addMenu(recitation->menu());
    windows_->readingCommands()->setBottomBar([recitation](QWidget *host) { return new PlayerBar(*recitation, host); },
                                              recitation->keyCommands());
    connect(&state_, &ReadingState::recitationReached, this, [this](int id) {
        if (const auto record = recordOfAya(Adodc2, id))
            state_.chooseAya(*record);
    });
    recitation->setWindowOpening(windows_.get());
    notes_ = new NotesCommands(state_, this, ui->suraayaalist, *windows_);
    connect(notes_, &NotesCommands::composeWanted, windows_.get(), &WindowOpener::openComposedAyas);
    new SearchHistoryCompleter(state_, ui->searcht, ui->clearhistory, this);
    chosen_ = new ChosenListCommands(state_, ui->suraayaalist, ui->Text1, ui->addaya, this);
    wordFacts_ = new WordFactsMenu(ui->Text1, state_.connectionString(), this);
    connect(wordFacts_, &WordFactsMenu::searchRequested, this, &MainWindow::searchByKey);
    connect(wordFacts_, &WordFactsMenu::menuOpening, notes_, &NotesCommands::addTextMenuItems);
    // The chosen translation under the aya, its menu beside the tafsir's; the words' meanings.
    translation_ = new TranslationPane(state_.translations(), this);
    translation_->placeUnder(ui->Text1);
    menuBar()->insertMenu(ui->fullsearch, translation_->menu());
    new AyaBoxGloss(ui->Text1, *wordFacts_, state_.connectionString(), this);
    auto *memorise = MemoriseCommands::install(state_, this, ui->searchtools, ui->reading, windows_->readingCommands(),
                                               &recitation->recitation(), windows_.get());
    connect(wordFacts_, &WordFactsMenu::menuOpening, memorise, &MemoriseCommands::addAyaMenuItems);
    connect(windows_.get(), &WindowOpener::lineChosen, this, [this](int line) {
        if (listing().isValidLine(line))
            ui->suraayaalist->setCurrentIndex(listing().index(line));
    });
    statusCounts_ = new ListingCountsLabel(this);
    statusBar()->addWidget(statusCounts_, 1);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addPermanentWidget(new DownloadStateLabel(recitation, this));
    connect(ui->suraayaalist->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (!current.isValid())
                    return;
                displayLine(current.row());
                windows_->showResultsLine(current.row());
            });
    connect(ui->resultstext, &QAction::triggered, this,
            [this] { windows_->openResultsText(ui->suraayaalist->currentIndex().row()); });
    connect(ui->Check1, &QCheckBox::toggled, windows_.get(), &WindowOpener::refillResultsText);
    searches_ = new SearchRunner(state_, ui->searcht, *windows_, *notes_, statusBar(), ui->instantsearch, this);
    connect(searches_, &SearchRunner::tafsirWanted, this, &MainWindow::showTafsir);
    connect(&state_.listing(), &ResultListing::finished, this, &MainWindow::onListingFinished);

    keys_ = std::make_unique<MainWindowKeys>(this, QList<QAction *>{ui->chosen, ui->allayaa, ui->copy, ui->tools, ui->distribution},
                                             ui->searcht, ui->suraayaalist, ui->addaya);
    connect(keys_.get(), &MainWindowKeys::enterOnResults, chosen_, &ChosenListCommands::addSelected);
    connect(keys_.get(), &MainWindowKeys::deleteOnChosen, chosen_, &ChosenListCommands::removeSelected);

    setValueLabel(ui->Label2, ui->score, QStringLiteral("0"));
    setValueLabel(ui->Label4, ui->pagenotext, QStringLiteral("0"));
    setValueLabel(ui->Label1, ui->chapterNOtext, QStringLiteral("0"));
    setValueLabel(ui->label8, ui->typetext, QStringLiteral("---"));
    setValueLabel(ui->Label10, ui->soraayanum, QStringLiteral("0"));
    ui->searcht->setFocus();
}

MainWindow::~MainWindow()
{
    keys_.reset();
    // The other windows read the reading state as they go: they go first.
    windows_.reset();
}

QFont MainWindow::ayaFont() const { return state_.ayaFont(); }

void MainWindow::setListingCommandsEnabled(ReadingState::Guard guard, bool enabled)
{
    ui->allayaasearch->setEnabled(enabled);
    if (guard == ReadingState::Guard::AlsoFullsearch)
        ui->fullsearch->setEnabled(enabled);
}

void MainWindow::onListingFinished(int count)
{
    setValueLabel(ui->Label2, ui->score, QString::number(count));
    statusCounts_->showCounts(state_);
    if (count == 0) {
        applyHighlights(); // the aya stays, the marks of the earlier search go
        return;
    }
    const QModelIndex first = listing().index(0);
    if (ui->suraayaalist->currentIndex() == first)
        displayLine(0);
    else
        ui->suraayaalist->setCurrentIndex(first);
}

void MainWindow::displayLine(int k)
{
    if (listing().isValidLine(k))
        showRecord(listing().at(k));
}

void MainWindow::showChosenAya(const ResultRecord &record)
{
    // Its line when the listing holds it; else the aya alone, listing kept.
    const int k = listing().lineOfAya(record.id);
    if (k >= 0 && ui->suraayaalist->currentIndex().row() == k)
        displayLine(k);
    else if (k >= 0)
        ui->suraayaalist->setCurrentIndex(listing().index(k));
    else {
        ui->suraayaalist->setCurrentIndex(QModelIndex());
        showRecord(record);
    }
}

void MainWindow::showRecord(const ResultRecord &record)
{
    const AyaView view = displayRecord(Adodc2, record, state_.withoutDiacritics());
    ui->Text1->setPlainText(view.shownText());
    shownAyaLength_ = view.ayaLength;
    shownAyaId_ = record.id.toInt();
    state_.setCurrentAya(shownAyaId_);
    wordFacts_->setAya(shownAyaId_, shownAyaLength_);
    ui->Text2->setPlainText(tafsirText(Adodc2, tafsir_->column()));
    translation_->showAya(shownAyaId_);
    applyHighlights();
    setValueLabel(ui->label8, ui->typetext, view.type);
    setValueLabel(ui->Label10, ui->soraayanum, view.ayaCount);
    setValueLabel(ui->Label1, ui->chapterNOtext, view.juz);
    setValueLabel(ui->Label4, ui->pagenotext, view.page);
    const QString divisions = divisionFacts(divisionsControl_, shownAyaId_);
    ui->divisionstext->setText(divisions);
    ui->divisionstext->setAccessibleName(divisions.isEmpty() ? tr("الحزب والربع") : divisions);
}

TopicWindow *MainWindow::topicWindow() const { return windows_->topicWindow(); }

ReadingCommands *MainWindow::readingCommands() const { return windows_->readingCommands(); }

OptionsWindow *MainWindow::optionsWindow() { return windows_->optionsWindow(); }

void MainWindow::runSearch() { searches_->run(); }

void MainWindow::searchByKey(const QString &key, WordKey by) { searches_->searchByKey(key, by); }

void MainWindow::goToReference(const QString &text) { searches_->goToReference(text); }

void MainWindow::applyHighlights()
{
    const QString shown = ui->Text1->toPlainText();
    // An empty listing marks nothing in the aya left on display.
    const MatchMarks marks = matchMarks(listing().count() > 0 ? state_.listingMatch() : std::nullopt,
                                        QStringView(shown).left(shownAyaLength_),
                                        state_.matchedWords(shownAyaId_), ui->Text2->toPlainText(), tafsir_->column(),
                                        state_.listingTerms());
    paintMatchMarks(ui->Text1, marks.aya);
    paintMatchMarks(ui->Text2, marks.tafsir);
}

bool MainWindow::restorePlaces()
{
    UserStore *store = state_.userStore();
    if (!store)
        return false;
    if (const auto column = parseTafsirShown(store->value(QStringLiteral("tafsir"))))
        showTafsir(*column);
    return places_.restorePlace(this, QStringLiteral("main.geometry"));
}

void MainWindow::savePlaces()
{
    UserStore *store = state_.userStore();
    if (!store)
        return;
    places_.savePlace(this, QStringLiteral("main.geometry"));
    store->setValue(QStringLiteral("tafsir"), tafsirShownText(tafsir_->isShown() ? std::optional(tafsir_->column()) : std::nullopt));
    windows_->saveSizes();
}

void MainWindow::listWholeSura()
{
    const int k = ui->suraayaalist->currentIndex().row();
    if (listing().count() > 0 && listing().isValidLine(k))
        state_.produceListing({query::sura(listing().at(k).sura), qint16(0), ReadingState::Guard::AlsoFullsearch, true});
}

void MainWindow::copyDisplayedAya()
{
    activateArabicKeyboard();
    QGuiApplication::clipboard()->clear();
    QGuiApplication::clipboard()->setText(translation_->exported(ui->Text1->toPlainText(), shownAyaId_));
}

void MainWindow::openOptions() { windows_->openOptions(); }

void MainWindow::openTopics() { windows_->openTopics(); }

void MainWindow::showTafsir(TafsirColumn column)
{
    tafsir_->setColumn(column);
    ui->Text2->setPlainText(tafsirText(Adodc2, column));
    applyHighlights();
    tafsir_->show();
}

void MainWindow::hideTafsir() { tafsir_->hide(); }

void MainWindow::addSelectedToChosen() { chosen_->addSelected(); }

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!notes_->closeEditors()) {
        event->ignore();
        return;
    }
    savePlaces();
    // Every other window goes with the main window, in number order.
    windows_->closeAll();
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (keys_->runsSearch(event)) {
        runSearch();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

} // namespace zarfan
