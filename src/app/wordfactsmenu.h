#pragma once

#include "search/searchstatement.h"
#include "search/wordfacts.h"

#include <QObject>
#include <QPoint>
#include <functional>

class QMenu;
class QPlainTextEdit;
class QPoint;

namespace zarfan {

// The root and lemma of the word under the pointer in the aya box: its tool
// tip, and a search by either from its context menu.
class WordFactsMenu : public QObject {
    Q_OBJECT
public:
    WordFactsMenu(QPlainTextEdit *box, const QString &connectionString, QObject *parent = nullptr);

    // The aya now in the box: its ID and the length of its text before the line.
    void setAya(int ayaId, qsizetype ayaLength);
    int ayaId() const { return ayaId_; }
    qsizetype ayaLength() const { return ayaLength_; }
    // More about the word at a point of the box, added to its tip.
    void setTipExtra(std::function<QString(const QPoint &)> extra) { tipExtra_ = std::move(extra); }
    // Where the menu being opened was asked for.
    const QPoint &menuPoint() const { return menuPoint_; }

signals:
    void searchRequested(const QString &key, zarfan::WordKey by);
    // The menu is about to open: others add their items.
    void menuOpening(QMenu *menu);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::optional<WordFacts> factsAt(const QPoint &at);
    void showMenu(const QPoint &at);

    QPlainTextEdit *box_;
    AyaWordFacts facts_;
    int ayaId_ = 0;
    qsizetype ayaLength_ = 0;
    std::function<QString(const QPoint &)> tipExtra_;
    QPoint menuPoint_;
};

} // namespace zarfan
