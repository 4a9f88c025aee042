#pragma once

#include "ui/windowopening.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QWidget;

namespace zarfan {

class ReadingState;
class WindowPlaceKeeper;
class AboutWindow;
class UpdateWindow;
class ComposeWindow;
class OptionsWindow;
class NavigatorWindow;
class TopicWindow;
class DistributionWindow;
class ReadingCommands;
struct ReadingActions;
class KhatmaWindow;
class ResultsTextWindow;

// Opens the windows the main window reaches, each made on first use and never
// two at once; they close with the main window, in number order and then the
// reading, reciters', notes, lists and note windows, and are deleted with
// this, before the reading state they read goes.
class WindowOpener : public QObject, public WindowOpening {
    Q_OBJECT
public:
    WindowOpener(ReadingState &state, const WindowPlaceKeeper &places, QWidget *owner);
    ~WindowOpener() override;

    // Created on first use, also hidden by the first search.
    OptionsWindow *optionsWindow();
    TopicWindow *topicWindow() const;
    // The reading window's menu, which opens it; made once, with the menu's
    // actions.
    ReadingCommands *readingCommands(const ReadingActions &actions);
    ReadingCommands *readingCommands() const { return reading_; }

    void openAbout();
    void openUpdate();
    // Closing unloads the window: the next opening loads it afresh.
    void openCompose();
    // The chosen list composed; the listed sura composed whole.
    void composeChosen();
    void composeWholeSura();
    // The compose window over ayas given by ID with their lines.
    void openComposedAyas(const QStringList &ids, const QStringList &lines);
    void openOptions();
    void openNavigator();
    void openTopics();
    void openDistribution();
    // "قراءة ورد اليوم" asks for a page through KhatmaWindow::openPageRequested.
    KhatmaWindow *openKhatma();
    // Opened at the listing line shown; when open, it follows the shown line
    // and the choice of diacritics.
    void openResultsText(int line);
    void showResultsLine(int line);
    void refillResultsText();

    QWidget *open(const QString &kind, const QString &instance, const std::function<QWidget *()> &make,
                  bool keepItsSize = true) override;
    QWidget *find(const QString &kind, const QString &instance = {}) const override;

    void saveSizes() const;
    void closeAll();

signals:
    // A line of the listing chosen in the distribution or the results text.
    void lineChosen(int line);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Gives the window its kept size and keeps it when it closes.
    void keepSize(QWidget *window, const QString &key);

    ReadingState &state_;
    const WindowPlaceKeeper &places_;
    QWidget *owner_;
    QPointer<AboutWindow> Form2;
    QPointer<UpdateWindow> Form4;
    QPointer<ComposeWindow> Form5;
    QPointer<OptionsWindow> Form6;
    QPointer<NavigatorWindow> Form7;
    QPointer<TopicWindow> Form8;
    QPointer<DistributionWindow> distribution_;
    ReadingCommands *reading_ = nullptr;
    QPointer<KhatmaWindow> khatma_;
    QPointer<ResultsTextWindow> resultsText_;
    QHash<QObject *, QString> sizeKeys_;
    // The windows of the features, opened through open(), by kind and instance.
    QList<std::pair<QString, QPointer<QWidget>>> opened_;
};

} // namespace zarfan
