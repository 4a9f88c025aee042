#pragma once

#include "reading/tajweed.h"

#include <QObject>
#include <QPointer>
#include <optional>

class QAction;
class QMenu;
class QPoint;

namespace zarfan {

class MushafView;
class PageView;
class ReadingState;
class ReadingWindow;
class TajweedLegend;

// "ألوان التجويد" in the menu "القراءة": colours the rules of recitation in
// the reading window's Uthmani text, in both views, and names them in words
// on a hover, from the page's context menu and by Ctrl+J.
class TajweedColours : public QObject {
    Q_OBJECT
public:
    TajweedColours(ReadingState &state, QMenu *menu, QObject *parent);
    ~TajweedColours() override;

    bool isOn() const;
    const TajweedSpans &spans() const { return spans_; }
    // Joins a newly made reading window.
    void attach(ReadingWindow *window);
    // The rules at a point of the printed page or the text, in words.
    QString namesAt(QWidget *viewport, QPoint point) const;
    // The rules of the current word (the text) or aya (the printed page),
    // said on the status bar and to a screen reader.
    QString tellCurrent();
    // Only this class coloured, to show its places; -1 all of them.
    void showOnly(int cls);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setOn(bool on);
    void apply();
    QString namesOfWord(int ayaId, int wordStart, int wordEnd) const;
    QString namesInText(int position) const;
    void tell(const QString &text);

    ReadingState &state_;
    QAction *toggle_ = nullptr, *legend_ = nullptr, *tellKey_ = nullptr, *here_ = nullptr;
    TajweedSpans spans_;
    QPointer<ReadingWindow> window_;
    QPointer<MushafView> mushaf_;
    QPointer<PageView> text_;
    QPointer<QWidget> overlay_;
    QPointer<TajweedLegend> legendWindow_;
    bool switchTold_ = false;
    int only_ = -1;
};

} // namespace zarfan
