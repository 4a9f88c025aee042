#pragma once

#include "memorise/pageveil.h"

#include <QObject>
#include <QPointer>

class QAction;
class QActionGroup;
class QMenu;
class QTextEdit;

namespace zarfan {

class MushafView;
class PageView;
class ReadingCommands;
class ReadingState;
class ReadingWindow;

// "وضع الحفظ" on the reading page: hides its words as the chosen mode says
// and takes the reveal keys (Space, Shift+Space, Enter, Backspace, a click on
// a hidden word); a turned page is hidden again; Escape or Ctrl+M leaves.
// On the continuous page a hidden word keeps its width, drawn as a blank with
// an underline.
class MemoriseMode : public QObject {
    Q_OBJECT
public:
    MemoriseMode(ReadingState &state, ReadingCommands &reading, QObject *parent);
    ~MemoriseMode() override;

    QAction *toggleAction() const { return toggle_; }
    // "إخفاء": the four modes.
    QMenu *hideMenu() const;
    bool isOn() const { return on_; }
    const PageVeil &veil() const { return veil_; }

    void setOn(bool on);
    void setHideMode(HideMode mode);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void attach(ReadingWindow *window);
    void pageShown();
    // The printed page is the view shown, rather than the continuous text.
    bool printedShown() const;
    void draw(const QList<PageWord> &words);
    void drawAll();
    void quietSelections();
    int wordAt(int position) const;

    ReadingState &state_;
    ReadingCommands &reading_;
    QAction *toggle_;
    QPointer<QMenu> hideMenu_;
    QActionGroup *modes_;
    QPointer<ReadingWindow> window_;
    QPointer<PageView> page_;
    QPointer<MushafView> mushaf_;
    bool on_ = false;
    PageVeil veil_;
    struct Place {
        int start = 0, length = 0, firstLetter = 0;
    };
    QList<Place> places_; // of veil_.words() in the page text
};

} // namespace zarfan
