#pragma once

#include "reading/wordgloss.h"

#include <QObject>
#include <QPoint>
#include <functional>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace zarfan {

// The meaning of a word of a text view: shown as a tip when the pointer
// rests on it (when the view answers for points), given for the word at the
// caret by "معنى الكلمة" (Ctrl+G) and for the word under the pointer by the
// same item in a context menu; a screen reader hears it as the view's
// description.
class WordGlossTip : public QObject {
    Q_OBJECT
public:
    using AtPoint = std::function<std::optional<WordGloss>(QPoint)>; // in the view's coordinates
    using AtCaret = std::function<std::optional<WordGloss>()>;
    // Without ownTips the view's tips are left to their owner, who asks
    // tipAt.
    WordGlossTip(QWidget *view, AtPoint atPoint, AtCaret atCaret, QObject *parent = nullptr, bool ownTips = true);

    QAction *caretAction() const { return caret_; }
    // The widget whose description a screen reader hears and whose caret
    // the key's tip is shown at: the view unless the focus stays on another
    // (a scroll area over its viewport).
    void setHeardBy(QWidget *widget) { heard_ = widget; }
    // "معنى الكلمة" for a context menu opened at a point of the view.
    void addMenuItem(QMenu *menu, QPoint at);
    // The tip's text for the word at a point; empty off the words.
    QString tipAt(QPoint at) const;
    // What was last said, for the screen reader and the tests.
    const QString &lastSaid() const { return said_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void say(const std::optional<WordGloss> &gloss, QPoint global);

    QWidget *view_;
    QWidget *heard_;
    AtPoint atPoint_;
    AtCaret atCaret_;
    QAction *caret_;
    QString said_;
};

} // namespace zarfan
