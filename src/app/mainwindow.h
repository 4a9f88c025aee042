#pragma once

#include "browse/ayadisplay.h"
#include "browse/readingstate.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>
#include <vector>

class QCompleter;
class QStringListModel;

namespace Ui {
class Form1;
}

namespace zarfan {

class OptionsWindow;
class NavigatorWindow;
class TopicWindow;
class ComposeWindow;
class UpdateWindow;
class AboutWindow;
class DistributionWindow;
class KhatmaWindow;

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

public slots:
    void runSearch();
    void listWholeSura();
    void displayLine(int k);
    void copyDisplayedAya();
    void openOptions();
    void openNavigator();
    void openTopics();
    void composeChosen();
    void composeWholeSura();
    void showTafsir(TafsirColumn column);
    void hideTafsir();
    void openAbout();
    void openUpdate();
    void addSelectedToChosen();
    void removeSelectedChosen();
    void openDistribution();
    // "قراءة ورد اليوم" asks for a page through KhatmaWindow::openPageRequested.
    KhatmaWindow *openKhatma();
    // A search with the current scope by the root or lemma of a word.
    void searchByKey(const QString &key, WordKey by);
    void goToReference(const QString &text);

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onListingFinished(int count);
    void setValueLabel(const QLabel *caption, QLabel *label, const QString &value);
    void applySavedFont();
    void setListingCommandsEnabled(ReadingState::Guard guard, bool enabled);
    void showCompose();
    void applyHighlights();
    void runSearchAs(std::optional<WordKey> key);
    // The root and lemma of the shown aya's word under a text position.
    struct WordFacts {
        QString root, lemma;
        QString lemmaKey; // the first lemma as the search matches it
    };
    std::optional<WordFacts> wordAt(int position);
    void showTextMenu(const QPoint &at);
    void showListingCounts();
    void offerHistory(const QString &typed);
    bool restorePlaces();
    void savePlaces();
    void saveSizeOf(const QWidget *window, const QString &key);
    void restoreSizeOf(QWidget *window, const QString &key);

    std::unique_ptr<ReadingState> ownedState_;
    ReadingState &state_;
    std::unique_ptr<Ui::Form1> ui;
    DataControl Adodc2;
    DataControl divisionsControl_; // the displayed aya's hizb and quarter
    TafsirColumn text2Column_ = TafsirColumn::Muyassar;
    bool tafsirShown_ = false;
    int tafsirGrowth_ = 0;
    qsizetype shownAyaLength_ = 0;
    int shownAyaId_ = 0;
    int wordsLoadedFor_ = 0;
    std::vector<WordFacts> shownWords_; // by word number - 1
    DataControl wordsOfAya_;
    QLabel *statusCounts_ = nullptr;
    QCompleter *history_ = nullptr;
    QStringListModel *historyModel_ = nullptr;
    QPointer<DistributionWindow> distribution_;
    QPointer<KhatmaWindow> khatma_;

    QPointer<AboutWindow> Form2;
    QPointer<UpdateWindow> Form4;
    QPointer<ComposeWindow> Form5;
    QPointer<OptionsWindow> Form6;
    QPointer<NavigatorWindow> Form7;
    QPointer<TopicWindow> Form8;
};

} // namespace zarfan
