#pragma once

#include "state/readingstate.h"
#include "reading/readingview.h"

#include <QObject>
#include <QPalette>
#include <QPointer>
#include <functional>

class QAction;

namespace zarfan {

class ReadingWindow;
class WindowOpening;

// The menu "القراءة": the reading window, text size and theme. The main
// window hands its actions over and does nothing else with them.
struct ReadingActions {
    QAction *window = nullptr, *continueReading = nullptr;
    QAction *zoomIn = nullptr, *zoomOut = nullptr, *zoomReset = nullptr;
    QAction *light = nullptr, *paper = nullptr, *dark = nullptr;
};

class ReadingCommands : public QObject {
    Q_OBJECT
public:
    // Puts back the saved size and theme; the window opens through opening.
    ReadingCommands(ReadingState &state, QWidget *mainWindow, const ReadingActions &actions, WindowOpening &opening);
    ~ReadingCommands() override;

    ReadingWindow *window() const;
    void openWindow();
    void continueReading();
    void openAtPage(int page);
    void setTheme(Theme theme);
    void setZoom(int percent);
    void closeWindow();
    // What the window shows under its page once made: the player bar.
    void setBottomBar(std::function<QWidget *(QWidget *parent)> make, QList<QAction *> commands);

signals:
    // The reading window was made: others add to it.
    void windowMade(zarfan::ReadingWindow *window);

private:
    ReadingWindow *ensureWindow();

    ReadingState &state_;
    QWidget *main_;
    ReadingActions actions_;
    WindowOpening &opening_;
    QAction *facing_ = nullptr;
    QPointer<ReadingWindow> window_;
    std::function<QWidget *(QWidget *parent)> makeBottomBar_;
    QList<QAction *> bottomBarCommands_;
};

// Keeps a text box's font at the reader's zoom of its own font, or of the
// aya font when it shows ayas.
void followZoom(QWidget *box, ReadingState &state, bool ayaFont = false);

} // namespace zarfan
