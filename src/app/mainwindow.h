#pragma once

#include "browse/ayadisplay.h"
#include "browse/readingstate.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <memory>

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
    void showListingCounts();

    std::unique_ptr<ReadingState> ownedState_;
    ReadingState &state_;
    std::unique_ptr<Ui::Form1> ui;
    DataControl Adodc2;
    TafsirColumn text2Column_ = TafsirColumn::Muyassar;
    bool tafsirShown_ = false;
    int tafsirGrowth_ = 0;
    qsizetype shownAyaLength_ = 0;
    QLabel *statusCounts_ = nullptr;
    QPointer<DistributionWindow> distribution_;

    QPointer<AboutWindow> Form2;
    QPointer<UpdateWindow> Form4;
    QPointer<ComposeWindow> Form5;
    QPointer<OptionsWindow> Form6;
    QPointer<NavigatorWindow> Form7;
    QPointer<TopicWindow> Form8;
};

} // namespace zarfan
