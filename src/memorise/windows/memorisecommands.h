#pragma once

#include "memorise/similarayas.h"

#include "memorise/memoriseprogress.h"

#include <QDate>
#include <QObject>
#include <QHash>
#include <QPointer>
#include <functional>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace zarfan {

class WindowOpening;

class MemoriseMode;
class ProgressWindow;
class ReadingCommands;
class ReadingState;
class Recitation;
class RecitalWindow;
class SimilarAyasWindow;

// The memoriser's commands: the similar ayas of the current aya (in "أدوات
// البحث" and the aya's context menus) and reciting from memory (in
// "القراءة"). The main window adds the actions to its menus and does nothing
// else with them.
class MemoriseCommands : public QObject {
    Q_OBJECT
public:
    MemoriseCommands(ReadingState &state, QWidget *mainWindow);
    ~MemoriseCommands() override;
    // The commands of a main window: the similar ayas in its search tools;
    // reciting from memory, the pages held and the hiding mode in its reading
    // menu, watching every reading page the reading commands make.
    static MemoriseCommands *install(ReadingState &state, QWidget *mainWindow, QMenu *searchTools, QMenu *readingMenu,
                                     ReadingCommands *reading, Recitation *recitation, WindowOpening *opening);

    QAction *similarAction() const { return similar_; }
    QAction *recitalAction() const { return recital_; }
    QAction *progressAction() const { return progress_; }
    // Where a page to review opens, hidden by "وضع الحفظ".
    void setReading(ReadingCommands *reading);
    MemoriseMode *mode() const { return mode_; }
    // Today, for the reviews; the system's date unless a test moves it.
    void setClock(std::function<QDate()> today) { today_ = std::move(today); }
    // "سماع الصواب" plays through it; without it the button stays off.
    void setRecitation(Recitation *recitation) { recitation_ = recitation; }
    // The program's window opener, which then opens and closes the windows here.
    void setWindowOpening(WindowOpening *opening) { opening_ = opening; }

    // The similar ayas of the current aya, built on first use.
    SimilarAyasWindow *openSimilar();
    SimilarAyasWindow *similarWindow() const;
    // "التسميع" from the current aya.
    RecitalWindow *openRecital();
    // Plays the ayas of those IDs, in order.
    void hear(const QList<int> &ayaIds);
    // "الحفظ والمراجعة", read afresh from the user store.
    ProgressWindow *openProgress();
    MemoriseProgress *progress() const { return progressData_.get(); }
    // Opens a page in the reading window to review it.
    void reviewPage(int page);
    // Adds the commands to an aya's context menu.
    void addAyaMenuItems(QMenu *menu);
    // Gives a reading window's pages, text and printed, the aya context menu items.
    void watchPages(QWidget *readingWindow);

signals:
    // A page opened in the reading window for review: hidden for memorising.
    void pageOpenedForReview(int page);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // A window of this menu: through the opener when there is one.
    QWidget *open(const QString &kind, const std::function<QWidget *()> &make);
    bool ensureTexts();
    bool ensureSimilar();
    const std::vector<QString> &shownTexts() const;

    ReadingState &state_;
    QWidget *main_;
    QAction *similar_, *recital_, *progress_;
    Recitation *recitation_ = nullptr;
    ReadingCommands *reading_ = nullptr;
    MemoriseMode *mode_ = nullptr;
    std::function<QDate()> today_ = [] { return QDate::currentDate(); };
    std::unique_ptr<MemoriseProgress> progressData_;
    QPointer<ProgressWindow> progressWindow_;
    WindowOpening *opening_ = nullptr;
    // Without an opener: the windows made here, by kind.
    QHash<QString, QPointer<QWidget>> ownWindows_;
    SimilarAyas index_;
    std::vector<QString> texts_, plainTexts_;
    QPointer<SimilarAyasWindow> similarWindow_;
    QPointer<RecitalWindow> recitalWindow_;
};

} // namespace zarfan
