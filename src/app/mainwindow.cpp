#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "appcontext.h"
#include "auxiliary/aboutwindow.h"
#include "auxiliary/updatewindow.h"
#include "browse/listingfill.h"
#include "browse/programstate.h"
#include "compose/composewindow.h"
#include "data/problems.h"
#include "data/queries.h"
#include "data/settingsfile.h"
#include "keyboardlayout.h"
#include "messages.h"
#include "navigator/navigatorwindow.h"
#include "search/arabicfolding.h"
#include "search/ayareference.h"
#include "search/distributionwindow.h"
#include "search/divisionreference.h"
#include "khatma/khatmawindow.h"
#include "search/optionswindow.h"
#include "search/searchstatement.h"
#include "topics/topicwindow.h"

#include <QCheckBox>
#include <QAbstractItemView>
#include <QClipboard>
#include <QCompleter>
#include <QStringListModel>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QHelpEvent>
#include <QMenu>
#include <QStatusBar>
#include <QToolTip>
#include <QTextEdit>

namespace zarfan {

namespace {
// The tafsir a search looked in, if it looked in one.
std::optional<TafsirColumn> tafsirOf(SearchTarget target)
{
    switch (target) {
    case SearchTarget::Jalalayn:
        return TafsirColumn::Jalalayn;
    case SearchTarget::Muyassar:
        return TafsirColumn::Muyassar;
    case SearchTarget::Quran:
        break;
    }
    return std::nullopt;
}
} // namespace

MainWindow::MainWindow(const QString &appFolder, QWidget *parent)
    : MainWindow(*new ReadingState(appFolder), parent)
{
    ownedState_.reset(&state_);
}

MainWindow::MainWindow(ReadingState &state, QWidget *parent)
    : QMainWindow(parent), state_(state), ui(std::make_unique<Ui::Form1>())
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
    divisionsControl_.setConnectionString(state_.connectionString());
    wordsOfAya_.setConnectionString(state_.connectionString());
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
    connect(ui->fullsearch, &QAction::triggered, this, &MainWindow::openNavigator);
    connect(ui->subjects, &QAction::triggered, this, &MainWindow::openTopics);
    connect(ui->chosen, &QAction::triggered, this, &MainWindow::composeChosen);
    connect(ui->allayaa, &QAction::triggered, this, &MainWindow::composeWholeSura);
    connect(ui->tafser1, &QAction::triggered, this, [this] { showTafsir(TafsirColumn::Jalalayn); });
    connect(ui->tafser2, &QAction::triggered, this, [this] { showTafsir(TafsirColumn::Muyassar); });
    connect(ui->hidetaf, &QAction::triggered, this, &MainWindow::hideTafsir);
    connect(ui->about, &QAction::triggered, this, &MainWindow::openAbout);
    connect(ui->update, &QAction::triggered, this, &MainWindow::openUpdate);
    connect(ui->distribution, &QAction::triggered, this, &MainWindow::openDistribution);
    connect(ui->khatma, &QAction::triggered, this, &MainWindow::openKhatma);
    historyModel_ = new QStringListModel(this);
    history_ = new QCompleter(historyModel_, this);
    history_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    history_->setWidget(ui->searcht);
    connect(history_, qOverload<const QString &>(&QCompleter::activated), ui->searcht, &QLineEdit::setText);
    connect(ui->searcht, &QLineEdit::textEdited, this, &MainWindow::offerHistory);
    connect(ui->clearhistory, &QAction::triggered, this, [this] {
        state_.clearSearchHistory();
        historyModel_->setStringList({});
    });
    for (int i = 0; i < state_.chosenList().count(); ++i)
        ui->addaya->addItem(state_.chosenList().addaya.at(i));
    ui->Text1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->Text1, &QWidget::customContextMenuRequested, this, &MainWindow::showTextMenu);
    ui->Text1->viewport()->installEventFilter(this);
    statusCounts_ = new QLabel(this);
    statusCounts_->setObjectName(QStringLiteral("statusCounts"));
    statusBar()->addWidget(statusCounts_, 1);
    statusBar()->setSizeGripEnabled(false);
    connect(ui->suraayaalist->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    displayLine(current.row());
            });
    connect(ui->suraayaalist, &QAbstractItemView::doubleClicked, this, &MainWindow::addSelectedToChosen);
    connect(ui->addaya, &QListWidget::itemDoubleClicked, this, &MainWindow::removeSelectedChosen);
    connect(&state_.listing(), &ResultListing::finished, this, &MainWindow::onListingFinished);

    for (QAction *action : {ui->chosen, ui->allayaa, ui->copy, ui->tools, ui->distribution})
        action->setShortcutContext(Qt::WindowShortcut);
    qApp->installEventFilter(this);

    setValueLabel(ui->Label2, ui->score, QStringLiteral("0"));
    setValueLabel(ui->Label4, ui->pagenotext, QStringLiteral("0"));
    setValueLabel(ui->Label1, ui->chapterNOtext, QStringLiteral("0"));
    setValueLabel(ui->label8, ui->typetext, QStringLiteral("---"));
    setValueLabel(ui->Label10, ui->soraayanum, QStringLiteral("0"));
    ui->searcht->setFocus();
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
    // The other windows read the reading state as they go: they go first.
    delete Form2;
    delete Form4;
    delete Form5;
    delete Form6;
    delete Form7;
    delete Form8;
    delete distribution_;
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
    showListingCounts();
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
    ui->Text2->setPlainText(tafsirText(Adodc2, text2Column_));
    applyHighlights();
    setValueLabel(ui->label8, ui->typetext, view.type);
    setValueLabel(ui->Label10, ui->soraayanum, view.ayaCount);
    setValueLabel(ui->Label1, ui->chapterNOtext, view.juz);
    setValueLabel(ui->Label4, ui->pagenotext, view.page);
    const QString divisions = divisionFacts(divisionsControl_, shownAyaId_);
    ui->divisionstext->setText(divisions);
    ui->divisionstext->setAccessibleName(divisions);
}

TopicWindow *MainWindow::topicWindow() const { return Form8; }

OptionsWindow *MainWindow::optionsWindow()
{
    if (!Form6)
        Form6 = new OptionsWindow(state_, this);
    return Form6;
}

void MainWindow::runSearch() { runSearchAs(std::nullopt); }

void MainWindow::searchByKey(const QString &key, WordKey by)
{
    ui->searcht->setText(key);
    runSearchAs(by);
}

void MainWindow::runSearchAs(std::optional<WordKey> key)
{
    const QString text = trimBlanks(ui->searcht->text());
    if (text != ui->searcht->text())
        ui->searcht->setText(text);
    if (text.isEmpty())
        return;
    state_.recordSearch(text);
    // The scripture text holds no digit: a digit makes it an aya reference.
    if (holdsDigit(text)) {
        goToReference(text);
        return;
    }
    optionsWindow(); // the first search loads it hidden
    SearchOptions options = state_.searchOptions();
    if (key) {
        options.key = *key;
        if (*key != WordKey::Letters)
            options.target = SearchTarget::Quran;
    }
    const QString needle = searchedText(text, options);
    if (needle.isEmpty())
        return;
    ReadingState::Request request(buildSearchStatement(text, options), qint16(1), ReadingState::Guard::AllayaasearchOnly);
    request.match = SearchMatch{needle, options.singleWord, options.literal, options.target, options.key};
    // A tafsir search opens that tafsir, as its menu item does.
    if (const auto column = tafsirOf(options.target))
        showTafsir(*column);
    state_.produceListing(request);
}

void MainWindow::goToReference(const QString &text)
{
    if (const DivisionReference division = parseDivisionReference(text); division.kind != DivisionReference::Kind::NotADivision) {
        if (division.kind == DivisionReference::Kind::Valid)
            state_.produceListing({division.statement(), qint16(1), ReadingState::Guard::AllayaasearchOnly});
        else
            showMessage(this, division.message());
        return;
    }
    const AyaReference reference = parseAyaReference(text);
    if (reference.kind != AyaReference::Kind::Valid) {
        showMessage(this, reference.message());
        return;
    }
    state_.produceListing({reference.statement(), qint16(0), ReadingState::Guard::AllayaasearchOnly});
}

void MainWindow::showListingCounts()
{
    const ListingCounts counts = listingCounts(listing());
    QString text = QStringLiteral("عدد الآيات : %1    عدد السور : %2").arg(counts.ayas).arg(counts.suras);
    if (const auto &match = state_.listingMatch()) {
        text = QStringLiteral("عدد المرات : %1    ").arg(counts.occurrences) + text;
        if (match->target == SearchTarget::Jalalayn)
            text += QStringLiteral("    في تفسير الجلالين");
        else if (match->target == SearchTarget::Muyassar)
            text += QStringLiteral("    في التفسير الميسر");
    }
    if (state_.matchedKeyUnknown())
        text = state_.listingMatch()->key == WordKey::Root ? QStringLiteral("لا يوجد هذا الجذر") : QStringLiteral("لا يوجد هذا الأصل");
    statusCounts_->setText(text);
    statusCounts_->setAccessibleName(text);
}

void MainWindow::applyHighlights()
{
    // Marks drawn over the text: what is copied and read aloud stays plain.
    const auto mark = [this](QPlainTextEdit *box, const QList<TextRange> &ranges) {
        QList<QTextEdit::ExtraSelection> selections;
        for (const TextRange &range : ranges) {
            QTextEdit::ExtraSelection selection;
            selection.cursor = QTextCursor(box->document());
            selection.cursor.setPosition(int(range.start));
            selection.cursor.setPosition(int(range.start + range.length), QTextCursor::KeepAnchor);
            selection.format.setBackground(box->palette().brush(QPalette::Highlight));
            selection.format.setForeground(box->palette().brush(QPalette::HighlightedText));
            selections.append(selection);
        }
        box->setExtraSelections(selections);
    };
    const auto &match = state_.listingMatch();
    QList<TextRange> ayaRanges, tafsirRanges;
    const QString shown = ui->Text1->toPlainText();
    if (match && match->key != WordKey::Letters) {
        // The words themselves, by their place among the aya's words.
        const WordMap words = mapWords(QStringView(shown).left(shownAyaLength_), WordForm::Cleaned);
        for (const int word : state_.matchedWords(shownAyaId_)) {
            if (word >= 1 && word <= words.display.size())
                ayaRanges.append(words.display.at(word - 1));
        }
    } else if (match && match->target == SearchTarget::Quran) {
        ayaRanges = highlightRanges(QStringView(shown).left(shownAyaLength_), *match);
    }
    if (match && tafsirOf(match->target) == text2Column_)
        tafsirRanges = highlightRanges(ui->Text2->toPlainText(), *match);
    mark(ui->Text1, ayaRanges);
    mark(ui->Text2, tafsirRanges);
}

std::optional<MainWindow::WordFacts> MainWindow::wordAt(int position)
{
    if (shownAyaId_ <= 0 || position < 0 || position >= shownAyaLength_)
        return std::nullopt;
    const WordMap words = mapWords(QStringView(ui->Text1->toPlainText()).left(shownAyaLength_), WordForm::Cleaned);
    int word = 0;
    for (int k = 0; k < words.display.size(); ++k) {
        const TextRange &r = words.display.at(k);
        if (position >= r.start && position < r.start + r.length)
            word = k + 1;
    }
    if (word == 0)
        return std::nullopt;
    if (wordsLoadedFor_ != shownAyaId_) {
        // The aya's words, once per aya shown.
        shownWords_.clear();
        wordsOfAya_.setRecordSource(QStringLiteral("SELECT *  FROM Words where ID between %1 and %2 order by ID")
                                        .arg(wordRowId(shownAyaId_, 0, 0))
                                        .arg(wordRowId(shownAyaId_ + 1, 0, 0) - 1));
        wordsOfAya_.refresh();
        const int cWord = wordsOfAya_.column(u"wordno"), cRoot = wordsOfAya_.column(u"root");
        const int cLemma = wordsOfAya_.column(u"lemma"), cKey = wordsOfAya_.column(u"lemmaFolded");
        for (; !wordsOfAya_.eof(); wordsOfAya_.moveNext()) {
            const int n = wordsOfAya_.field(cWord).toInt();
            if (n < 1 || n > 1000)
                continue;
            if (std::size_t(n) > shownWords_.size())
                shownWords_.resize(std::size_t(n));
            WordFacts &facts = shownWords_[std::size_t(n - 1)];
            if (facts.root.isEmpty() && facts.lemma.isEmpty()) // the first lemma part comes first
                facts = {wordsOfAya_.field(cRoot), wordsOfAya_.field(cLemma), wordsOfAya_.field(cKey)};
        }
        wordsLoadedFor_ = shownAyaId_;
    }
    if (std::size_t(word) > shownWords_.size())
        return WordFacts{};
    return shownWords_[std::size_t(word - 1)];
}

void MainWindow::showTextMenu(const QPoint &at)
{
    std::unique_ptr<QMenu> menu(ui->Text1->createStandardContextMenu(at));
    const std::optional<WordFacts> facts = wordAt(ui->Text1->cursorForPosition(at).position());
    menu->addSeparator();
    QAction *byRoot = menu->addAction(QStringLiteral("بحث بهذا الجذر"));
    QAction *byLemma = menu->addAction(QStringLiteral("بحث بهذا الأصل"));
    byRoot->setEnabled(facts && !facts->root.isEmpty());
    byLemma->setEnabled(facts && !facts->lemmaKey.isEmpty());
    QAction *chosen = menu->exec(ui->Text1->viewport()->mapToGlobal(at));
    if (chosen == byRoot && facts)
        searchByKey(facts->root, WordKey::Root);
    else if (chosen == byLemma && facts)
        searchByKey(facts->lemmaKey, WordKey::Lemma);
}

void MainWindow::offerHistory(const QString &typed)
{
    // Earlier searches that hold what is typed, however it is spelt.
    const QString folded = foldArabic(typed);
    QStringList offered;
    if (!folded.isEmpty()) {
        for (const QString &earlier : state_.searchHistory()) {
            if (earlier != typed && foldArabic(earlier).contains(folded))
                offered.append(earlier);
        }
    }
    historyModel_->setStringList(offered);
    if (offered.isEmpty())
        history_->popup()->hide();
    else
        history_->complete();
}

namespace {
QRect rectFrom(const QByteArray &text)
{
    const QList<QByteArray> n = text.split(',');
    if (n.size() != 4)
        return {};
    return QRect(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt());
}
QByteArray textFrom(const QRect &r)
{
    return QByteArray::number(r.x()) + ',' + QByteArray::number(r.y()) + ',' + QByteArray::number(r.width()) + ','
        + QByteArray::number(r.height());
}
} // namespace

bool MainWindow::restorePlaces()
{
    UserStore *store = state_.userStore();
    if (!store)
        return false;
    const QByteArray tafsir = store->value(QStringLiteral("tafsir"));
    if (tafsir == "jalalayn")
        showTafsir(TafsirColumn::Jalalayn);
    else if (tafsir == "muyassar")
        showTafsir(TafsirColumn::Muyassar);
    const QRect place = rectFrom(store->value(QStringLiteral("main.geometry")));
    if (!place.isValid() || place.width() < 100 || place.height() < 100)
        return false;
    // Only on a screen that is still there.
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().contains(place.center())) {
            resize(place.size());
            move(place.topLeft());
            return true;
        }
    }
    resize(place.size());
    return false;
}

void MainWindow::saveSizeOf(const QWidget *window, const QString &key)
{
    if (window && state_.userStore())
        state_.userStore()->setValue(key, QByteArray::number(window->width()) + ',' + QByteArray::number(window->height()));
}

void MainWindow::restoreSizeOf(QWidget *window, const QString &key)
{
    if (!state_.userStore())
        return;
    const QList<QByteArray> n = state_.userStore()->value(key).split(',');
    if (n.size() == 2 && n[0].toInt() >= 100 && n[1].toInt() >= 100)
        window->resize(std::min(n[0].toInt(), 4000), std::min(n[1].toInt(), 4000));
}

void MainWindow::savePlaces()
{
    UserStore *store = state_.userStore();
    if (!store)
        return;
    store->setValue(QStringLiteral("main.geometry"), textFrom(QRect(pos(), size())));
    store->setValue(QStringLiteral("tafsir"), !tafsirShown_ ? QByteArray()
                                              : text2Column_ == TafsirColumn::Jalalayn ? QByteArray("jalalayn")
                                                                                       : QByteArray("muyassar"));
    saveSizeOf(Form8, QStringLiteral("topics.size"));
    saveSizeOf(distribution_, QStringLiteral("distribution.size"));
}

void MainWindow::openDistribution()
{
    if (!distribution_) {
        distribution_ = new DistributionWindow(state_, this);
        distribution_->setAttribute(Qt::WA_DeleteOnClose);
        restoreSizeOf(distribution_, QStringLiteral("distribution.size"));
        connect(distribution_, &DistributionWindow::lineChosen, this, [this](int line) {
            if (listing().isValidLine(line))
                ui->suraayaalist->setCurrentIndex(listing().index(line));
        });
    }
    distribution_->show();
    distribution_->raise();
    distribution_->activateWindow();
}

KhatmaWindow *MainWindow::openKhatma()
{
    if (!khatma_) {
        khatma_ = new KhatmaWindow(state_.khatma(), this);
        khatma_->setAttribute(Qt::WA_DeleteOnClose);
    }
    khatma_->show();
    khatma_->raise();
    khatma_->activateWindow();
    return khatma_;
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

void MainWindow::openOptions()
{
    optionsWindow()->exec();
    if (Form6 && Form6->isUnloaded())
        delete Form6;
}

void MainWindow::openNavigator()
{
    if (!Form7)
        Form7 = new NavigatorWindow(state_, this);
    Form7->exec();
    if (Form7 && Form7->isUnloaded())
        delete Form7;
}

void MainWindow::openTopics()
{
    if (!Form8) {
        Form8 = new TopicWindow(state_, this);
        restoreSizeOf(Form8, QStringLiteral("topics.size"));
    }
    Form8->show();
    Form8->raise();
    Form8->activateWindow();
}

void MainWindow::composeChosen()
{
    programState().composemode = 2;
    showCompose();
}

void MainWindow::showCompose()
{
    // Closing unloads the window: the next opening loads it afresh.
    Form5 = new ComposeWindow(state_, this);
    Form5->exec();
    delete Form5;
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
    showCompose();
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

void MainWindow::openAbout()
{
    Form2 = new AboutWindow(this);
    Form2->exec();
    delete Form2;
}

void MainWindow::openUpdate()
{
    Form4 = new UpdateWindow(this);
    Form4->exec();
    delete Form4;
}

void MainWindow::addSelectedToChosen()
{
    const int k = ui->suraayaalist->currentIndex().row();
    if (!listing().isValidLine(k))
        return;
    const ResultRecord &record = listing().at(k);
    switch (state_.addChosen(record.line, record.id, ui->Text1->toPlainText())) {
    case ChosenList::AddResult::Duplicate:
        showMessage(this, QStringLiteral("لقد تمت إضافة هذه الآية سابقا"));
        break;
    case ChosenList::AddResult::Added:
        ui->addaya->addItem(record.line);
        break;
    case ChosenList::AddResult::NothingDisplayed:
        break;
    }
}

void MainWindow::removeSelectedChosen()
{
    const int index = ui->addaya->currentRow();
    if (state_.removeChosenAt(index))
        delete ui->addaya->takeItem(index);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    savePlaces();
    // Every other window goes with the main window, in number order.
    const QList<QWidget *> others = {Form2, Form4, Form5, Form6, Form7, Form8, distribution_};
    for (QWidget *window : others) {
        if (window)
            window->close();
    }
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        QWidget *focus = focusWidget();
        if (focus != ui->searcht && focus != ui->suraayaalist && focus != ui->addaya) {
            runSearch();
            return;
        }
    }
    QMainWindow::keyPressEvent(event);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ToolTip && watched == ui->Text1->viewport()) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const std::optional<WordFacts> facts = wordAt(ui->Text1->cursorForPosition(help->pos()).position());
        if (!facts) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const auto shown = [](const QString &value) { return value.isEmpty() ? QStringLiteral("—") : value; };
        QToolTip::showText(help->globalPos(),
                           QStringLiteral("الجذر : %1    أصل الكلمة : %2").arg(shown(facts->root), shown(facts->lemma)),
                           ui->Text1->viewport());
        return true;
    }
    if (event->type() == QEvent::Close && (watched == Form8 || watched == distribution_))
        saveSizeOf(static_cast<QWidget *>(watched), watched == Form8 ? QStringLiteral("topics.size") : QStringLiteral("distribution.size"));
    // Installed on the application: every event passes here, so key events
    // of this window are picked out before anything else is looked at.
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    // The menu's four shortcuts belong to the window, also where a text box
    // has its own Ctrl+C or Ctrl+A: the key reaches the box and is turned into
    // the command here.
    const QKeySequence pressed(key->keyCombination());
    for (QAction *action : {ui->chosen, ui->allayaa, ui->copy, ui->tools, ui->distribution}) {
        if (action->shortcut() == pressed) {
            event->accept();
            if (event->type() == QEvent::KeyPress && action->isEnabled())
                action->trigger();
            return true;
        }
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (watched == ui->suraayaalist && enter) {
        addSelectedToChosen();
        return true;
    }
    if (watched == ui->addaya && key->key() == Qt::Key_Delete) {
        removeSelectedChosen();
        return true;
    }
    return false;
}

} // namespace zarfan
