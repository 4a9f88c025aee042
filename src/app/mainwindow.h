#pragma once

#include "browse/ayadisplay.h"
#include "browse/resultlisting.h"
#include "compose/chosenlist.h"
#include "data/datacontrol.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>

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

// Form1: the search box, the result listing, the aya on display, the chosen
// list and the menu bar that reaches every other window.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const QString &appFolder, QWidget *parent = nullptr);
    ~MainWindow() override;

    const QString &appFolder() const { return appFolder_; }
    QString connectionString() const;

    ResultListing &listing() { return listing_; }
    DataControl &listingControl() { return Adodc1; }
    ChosenList &chosenList() { return chosen_; }
    bool withoutDiacritics() const;
    QFont ayaFont() const;
    void setAyaFont(const QFont &font);

    // The listing producers. Each sets its statement, the mixedsora value it
    // stands for (none: unchanged), and fills through the shared walk.
    enum class Guard { AllayaasearchOnly, AlsoFullsearch };
    void produceListing(const QString &statement, std::optional<qint16> mixedsora, Guard guard);

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

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onListingFinished(int count);
    void setValueLabel(const QLabel *caption, QLabel *label, const QString &value);
    void applySavedFont();
    void setListingCommandsEnabled(Guard guard, bool enabled);
    void showCompose();

    std::unique_ptr<Ui::Form1> ui;
    QString appFolder_;
    DataControl Adodc1;
    DataControl Adodc2;
    ResultListing listing_;
    ChosenList chosen_;
    TafsirColumn text2Column_ = TafsirColumn::Muyassar;
    bool tafsirShown_ = false;
    int tafsirGrowth_ = 0;

    QPointer<AboutWindow> Form2;
    QPointer<UpdateWindow> Form4;
    QPointer<ComposeWindow> Form5;
    QPointer<OptionsWindow> Form6;
    QPointer<NavigatorWindow> Form7;
    QPointer<TopicWindow> Form8;
};

void centreWindow(QWidget *window);

} // namespace zarfan
