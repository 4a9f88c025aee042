#include "searchhistorycompleter.h"

#include "browse/readingstate.h"
#include "search/searchhistory.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCoreApplication>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringListModel>

namespace zarfan {

SearchHistoryCompleter::SearchHistoryCompleter(ReadingState &state, QLineEdit *box, QAction *clear, QObject *parent)
    : QObject(parent), state_(state), box_(box), model_(new QStringListModel(this)), completer_(new QCompleter(model_, this))
{
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setWidget(box);
    connect(completer_, qOverload<const QString &>(&QCompleter::activated), box, &QLineEdit::setText);
    connect(box, &QLineEdit::textEdited, this, &SearchHistoryCompleter::offer);
    // Ahead of the completer's own filter, which lets the box search first
    // and puts the offer in the box afterwards.
    completer_->popup()->installEventFilter(this);
    connect(clear, &QAction::triggered, this, [this] {
        state_.clearSearchHistory();
        model_->setStringList({});
    });
}

void SearchHistoryCompleter::offer(const QString &typed)
{
    const QStringList offered = offeredHistory(state_.searchHistory(), typed);
    model_->setStringList(offered);
    if (offered.isEmpty())
        completer_->popup()->hide();
    else
        completer_->complete();
    // Nothing is taken from the list until the reader moves into it.
    completer_->popup()->setCurrentIndex(QModelIndex());
}

bool SearchHistoryCompleter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != completer_->popup() || event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent *>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    // Enter takes the offer the reader moved to into the box, then searches
    // what the box shows.
    const QModelIndexList picked = completer_->popup()->selectionModel()->selectedIndexes();
    completer_->popup()->hide();
    if (!picked.isEmpty())
        box_->setText(picked.first().data().toString());
    QCoreApplication::sendEvent(box_, event);
    return true;
}

} // namespace zarfan
