#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "appcontext.h"
#include "browse/programstate.h"
#include "browse/searchrequest.h"
#include "chosenlistcommands.h"
#include "data/problems.h"
#include "data/queries.h"
#include "data/settingsfile.h"
#include "data/windowplaces.h"
#include "keyboardlayout.h"
#include "listingcountslabel.h"
#include "mainwindowkeys.h"
#include "matchmarkspainter.h"
#include "messages.h"
#include "search/ayareference.h"
#include "search/didyoumeanbar.h"
#include "search/instantsearch.h"
#include "search/resultstextmodel.h"
#include "search/resultstextwindow.h"
#include "search/searchmemory.h"
#include "search/matchmarks.h"
#include "searchhistorycompleter.h"
#include "windowopener.h"
#include "wordfactsmenu.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
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
    activateArabicKeyboard();
    state_.setAyaFont(ui->Text1->font());
    connect(&state_, &ReadingState::ayaFontChanged, ui->Text1, &QWidget::setFont);
    applySavedFont();
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
    connect(ui->chosen, &QAction::triggered, this, &MainWindow::composeChosen);
    connect(ui->allayaa, &QAction::triggered, this, &MainWindow::composeWholeSura);
    connect(ui->tafser1, &QAction::triggered, this, [this] { showTafsir(TafsirColumn::Jalalayn); });
    connect(ui->tafser2, &QAction::triggered, this, [this] { showTafsir(TafsirColumn::Muyassar); });
    connect(ui->hidetaf, &QAction::triggered, this, &MainWindow::hideTafsir);
    connect(ui->about, &QAction::triggered, windows_.get(), &WindowOpener::openAbout);
    connect(ui->update, &QAction::triggered, windows_.get(), &WindowOpener::openUpdate);
    connect(ui->distribution, &QAction::triggered, windows_.get(), &WindowOpener::openDistribution);
    new SearchHistoryCompleter(state_, ui->searcht, ui->clearhistory, this);
    chosen_ = new ChosenListCommands(state_, ui->suraayaalist, ui->Text1, ui->addaya, this);
    wordFacts_ = new WordFactsMenu(ui->Text1, state_.connectionString(), this);
    connect(wordFacts_, &WordFactsMenu::searchRequested, this, &MainWindow::searchByKey);
    connect(windows_.get(), &WindowOpener::lineChosen, this, [this](int line) {
        if (listing().isValidLine(line))
            ui->suraayaalist->setCurrentIndex(listing().index(line));
    });
    statusCounts_ = new ListingCountsLabel(this);
    statusBar()->addWidget(statusCounts_, 1);
    statusBar()->setSizeGripEnabled(false);
    connect(ui->suraayaalist->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (!current.isValid())
                    return;
                displayLine(current.row());
                if (ResultsTextWindow *results = windows_->resultsTextWindow())
                    results->showLine(current.row());
            });
    connect(ui->resultstext, &QAction::triggered, this, [this] {
        windows_->openResultsText();
        windows_->resultsTextWindow()->showLine(ui->suraayaalist->currentIndex().row());
    });
    connect(ui->Check1, &QCheckBox::toggled, this, [this] {
        if (ResultsTextWindow *results = windows_->resultsTextWindow())
            results->model()->refill();
    });
    didYouMean_ = new DidYouMeanBar(this);
    statusBar()->addWidget(didYouMean_);
    connect(didYouMean_, &DidYouMeanBar::chosen, this, [this](const QString &text) {
        ui->searcht->setText(text);
        runSearch();
    });
    instant_ = new InstantSearch(this);
    connect(ui->searcht, &QLineEdit::textEdited, instant_, &InstantSearch::textEdited);
    connect(instant_, &InstantSearch::searchDue, this, [this] { runSearchAs(std::nullopt, false); });
    ui->instantsearch->setChecked(state_.userStore() && state_.userStore()->value(QStringLiteral("instantSearch")) == "1");
    instant_->setOn(ui->instantsearch->isChecked());
    connect(ui->instantsearch, &QAction::toggled, this, [this](bool on) {
        instant_->setOn(on);
        if (UserStore *store = state_.userStore())
            store->setValue(QStringLiteral("instantSearch"), on ? "1" : "0");
    });
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

QFont MainWindow::ayaFont() const { return ui->Text1->font(); }

void MainWindow::applySavedFont()
{
    const SettingsRead saved = readSettings(state_.appFolder());
    QFont font = ui->Text1->font();
    if (saved.name && (QFontDatabase::hasFamily(*saved.name) || !QFont::substitutes(*saved.name).isEmpty()))
        font.setFamily(*saved.name);
    if (saved.size)
        font.setPointSizeF(*saved.size);
    font.setItalic(saved.italic);
    font.setBold(saved.bold);
    state_.setAyaFont(font);
}

void MainWindow::setValueLabel(const QLabel *caption, QLabel *label, const QString &value)
{
    label->setText(value);
    // A label reaches a screen reader only through its name: keep it in step.
    label->setAccessibleName(caption->text() + u' ' + value);
}

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
    if (count == 0)
        return;
    const QModelIndex first = listing().index(0);
    if (ui->suraayaalist->currentIndex() == first)
        displayLine(0);
    else
        ui->suraayaalist->setCurrentIndex(first);
}

void MainWindow::displayLine(int k)
{
    if (!listing().isValidLine(k))
        return;
    const AyaView view = zarfan::displayLine(Adodc2, listing(), k, state_.withoutDiacritics());
    ui->Text1->setPlainText(view.text);
    shownAyaLength_ = view.ayaLength;
    shownAyaId_ = listing().at(k).id.toInt();
    wordFacts_->setAya(shownAyaId_, shownAyaLength_);
    ui->Text2->setPlainText(tafsirText(Adodc2, text2Column_));
    applyHighlights();
    setValueLabel(ui->label8, ui->typetext, view.type);
    setValueLabel(ui->Label10, ui->soraayanum, view.ayaCount);
    setValueLabel(ui->Label1, ui->chapterNOtext, view.juz);
    setValueLabel(ui->Label4, ui->pagenotext, view.page);
}

TopicWindow *MainWindow::topicWindow() const { return windows_->topicWindow(); }

OptionsWindow *MainWindow::optionsWindow() { return windows_->optionsWindow(); }

void MainWindow::runSearch() { runSearchAs(std::nullopt); }

void MainWindow::searchByKey(const QString &key, WordKey by)
{
    ui->searcht->setText(key);
    runSearchAs(by);
}

void MainWindow::runSearchAs(std::optional<WordKey> key, bool record)
{
    if (record)
        instant_->cancel();
    const QString text = trimBlanks(ui->searcht->text());
    // Blanks typed are left alone while the reader is still typing.
    if (record && text != ui->searcht->text())
        ui->searcht->setText(text);
    if (text.isEmpty())
        return;
    if (record)
        state_.recordSearch(text);
    didYouMean_->propose({});
    // The scripture text holds no digit: a digit makes it an aya reference.
    if (holdsDigit(text)) {
        goToReference(text);
        return;
    }
    optionsWindow(); // the first search loads it hidden
    const WordSearch search = forgivingSearchRequest(text, state_.searchOptions(), key, state_.searchMemory());
    if (!search.message.isEmpty()) {
        showMessage(this, search.message);
        return;
    }
    if (!search.request)
        return;
    // A tafsir search opens that tafsir, as its menu item does.
    if (const auto column = tafsirOf(search.request->match->target))
        showTafsir(*column);
    state_.produceListing(*search.request);
    if (listing().count() == 0)
        didYouMean_->propose(state_.searchMemory().didYouMean(text, searchOptionsWithKey(state_.searchOptions(), key)));
}

void MainWindow::goToReference(const QString &text)
{
    const AyaReference reference = parseAyaReference(text);
    if (reference.kind != AyaReference::Kind::Valid) {
        showMessage(this, reference.message());
        return;
    }
    state_.produceListing({reference.statement(), qint16(0), ReadingState::Guard::AllayaasearchOnly});
}

void MainWindow::applyHighlights()
{
    const QString shown = ui->Text1->toPlainText();
    const MatchMarks marks = matchMarks(state_.listingMatch(), QStringView(shown).left(shownAyaLength_),
                                        state_.matchedWords(shownAyaId_), ui->Text2->toPlainText(), text2Column_,
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
    store->setValue(QStringLiteral("tafsir"), tafsirShownText(tafsirShown_ ? std::optional(text2Column_) : std::nullopt));
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
    QGuiApplication::clipboard()->setText(ui->Text1->toPlainText());
}

void MainWindow::openOptions() { windows_->openOptions(); }

void MainWindow::openTopics() { windows_->openTopics(); }

void MainWindow::composeChosen()
{
    programState().composemode = 2;
    windows_->openCompose();
}

void MainWindow::composeWholeSura()
{
    ProgramState &state = programState();
    if (state.mixedsora != 0) {
        showMessage(this, QStringLiteral("إن نتائج البحث ليست لسورة واحدة"), QStringLiteral("خطأ"));
        return;
    }
    if (listing().count() > 0)
        state.composesura = qint16(listing().at(0).sura.toInt());
    state.composemode = 1;
    windows_->openCompose();
}

void MainWindow::showTafsir(TafsirColumn column)
{
    text2Column_ = column;
    ui->Text2->setPlainText(tafsirText(Adodc2, column));
    applyHighlights();
    if (!tafsirShown_) {
        tafsirShown_ = true;
        // The window grows by the tafsir box (2110 twips in the fixed layout).
        const int before = height();
        tafsirGrowth_ = ui->Text2->minimumHeight() + centralWidget()->layout()->spacing();
        ui->Text2->show();
        centralWidget()->layout()->activate();
        layout()->activate();
        resize(width(), before + tafsirGrowth_);
    }
}

void MainWindow::hideTafsir()
{
    ui->Text2->hide();
    if (tafsirShown_) {
        tafsirShown_ = false;
        // Let the layout drop the box's height from the window's minimum first.
        centralWidget()->layout()->activate();
        layout()->activate();
        resize(width(), height() - tafsirGrowth_);
    }
}

void MainWindow::addSelectedToChosen() { chosen_->addSelected(); }

void MainWindow::closeEvent(QCloseEvent *event)
{
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
