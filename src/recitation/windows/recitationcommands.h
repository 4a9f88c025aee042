#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace zarfan {

class OfflineDownload;
class OfflineWindow;
class ReadingState;
class Recitation;
class ReciterWindow;
class SavedRecitationsWindow;
class WindowOpening;

// The commands of the menu "التلاوة", shared by the player bar: play or
// pause, stop, previous and next aya, the reciters' window and deleting the
// downloaded files. A play request expands the chosen range from the current
// aya; each aya reached is handed to the reading state, which the windows follow.
class RecitationCommands : public QObject {
    Q_OBJECT
public:
    RecitationCommands(Recitation &recitation, ReadingState &state, QWidget *window);
    // The recitation of a window, on the media player, starting at the
    // reading state's current aya and kept in its user store.
    static RecitationCommands *install(ReadingState &state, QWidget *window);
    // The commands a player bar's window takes as its own keys.
    QList<QAction *> keyCommands() const { return {playPause_, stop_, previous_, next_}; }

    // The reciters' window opens through the program's window opener.
    void setWindowOpening(WindowOpening *opening) { opening_ = opening; }

    // Where "تشغيل" starts: the aya the window shows.
    void setCurrentAya(std::function<int()> current) { currentAya_ = std::move(current); }

    Recitation &recitation() { return recitation_; }
    QMenu *menu() const { return menu_; }
    QAction *playPause() const { return playPause_; }
    QAction *stop() const { return stop_; }
    QAction *previous() const { return previous_; }
    QAction *next() const { return next_; }
    QAction *sources() const { return sources_; }
    QAction *clearCache() const { return clearCache_; }
    QAction *offline() const { return offline_; }
    QAction *saved() const { return saved_; }
    OfflineDownload &offlineDownload() { return *download_; }

    void togglePlay();
    void openSources();
    // The reciters' window with its list of well-known reciters open.
    void chooseFromList();
    void deleteSaved();
    void openOffline();
    void openSaved();

signals:
    // An offline download's progress in one line; empty once it ends.
    void downloadProgress(const QString &text);

private:
    // A window of the menu: through the program's opener when there is one.
    QWidget *openWindow(const QString &kind, const std::function<QWidget *()> &make);
    void showState();

    Recitation &recitation_;
    ReadingState &state_;
    QWidget *window_;
    std::function<int()> currentAya_;
    QMenu *menu_;
    QAction *playPause_, *stop_, *previous_, *next_, *sources_, *clearCache_, *offline_, *saved_;
    WindowOpening *opening_ = nullptr;
    OfflineDownload *download_;
};

} // namespace zarfan
