#pragma once

#include "browse/ayadisplay.h"
#include "state/readingstate.h"
#include "ui/windowplacekeeper.h"

#include <QLabel>
#include <QMainWindow>
#include <memory>
#include <optional>

namespace Ui {
class Form1;
}

namespace zarfan {

class OptionsWindow;
class TopicWindow;
class WindowOpener;
class WordFactsMenu;
class ListingCountsLabel;
class ChosenListCommands;
class MainWindowKeys;
class ReadingCommands;
class NotesCommands;
class SearchRunner;
class TranslationPane;
class TafsirPanel;

// Form1: the search box, the result listing, the aya on display, the chosen
// list and the menu bar that reaches every other window.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // A view over the reading state, which outlives it.
    explicit MainWindow(ReadingState &state, QWidget *parent = nullptr);
    // Owns a reading state of its own for the folder.
    explicit MainWindow(const QString &appFolder, QWidget *parent = nullptr);
    ~MainWindow() override;

    ReadingState &state() { return state_; }
    ResultListing &listing() { return state_.listing(); }
    DataControl &listingControl() { return state_.listingControl(); }
    ChosenList &chosenList() { return state_.chosenList(); }
    QFont ayaFont() const;

    // Created on first use, also hidden by the first search.
    OptionsWindow *optionsWindow();
    TopicWindow *topicWindow() const;
    ReadingCommands *readingCommands() const;
    NotesCommands *notesCommands() const { return notes_; }

public slots:
    void runSearch();
    void listWholeSura();
    void displayLine(int k);
    void copyDisplayedAya();
    void openOptions();
    void openTopics();
    void showTafsir(TafsirColumn column);
    void hideTafsir();
    void addSelectedToChosen();
    // A search with the current scope by the root or lemma of a word.
    void searchByKey(const QString &key, WordKey by);
    void goToReference(const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void onListingFinished(int count);
    void showRecord(const ResultRecord &record);
    void showChosenAya(const ResultRecord &record);
    void setListingCommandsEnabled(ReadingState::Guard guard, bool enabled);
    void applyHighlights();
    bool restorePlaces();
    void savePlaces();

    std::unique_ptr<ReadingState> ownedState_;
    ReadingState &state_;
    std::unique_ptr<Ui::Form1> ui;
    DataControl Adodc2;
    DataControl divisionsControl_; // the displayed aya's hizb and quarter
    std::unique_ptr<TafsirPanel> tafsir_;
    qsizetype shownAyaLength_ = 0;
    int shownAyaId_ = 0;
    ListingCountsLabel *statusCounts_ = nullptr;
    WindowPlaceKeeper places_;
    // Deleted before the state: the other windows read it as they go.
    std::unique_ptr<WindowOpener> windows_;
    NotesCommands *notes_ = nullptr;
    SearchRunner *searches_ = nullptr;
    WordFactsMenu *wordFacts_ = nullptr;
    TranslationPane *translation_ = nullptr;
    ChosenListCommands *chosen_ = nullptr;
    std::unique_ptr<MainWindowKeys> keys_;
};

} // namespace zarfan
