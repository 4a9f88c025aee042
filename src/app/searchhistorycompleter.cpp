#include "searchhistorycompleter.h"

#include "state/readingstate.h"
#include "search/completions.h"
#include "state/searchmemory.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QCoreApplication>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>

namespace zarfan {

SearchHistoryCompleter::SearchHistoryCompleter(ReadingState &state, QLineEdit *box, QAction *clear, QObject *parent)
    : QObject(parent), state_(state), box_(box), model_(new CompletionOffersModel(this)), completer_(new QCompleter(model_, this))
{
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setWidget(box);
    // The box shows the entry under the cursor, so that Enter (which reaches
    // the box before the completer) searches what the box shows.
    connect(completer_, qOverload<const QString &>(&QCompleter::highlighted), box, &QLineEdit::setText);
    connect(completer_, qOverload<const QString &>(&QCompleter::activated), box, &QLineEdit::setText);
    connect(box, &QLineEdit::textEdited, this, &SearchHistoryCompleter::offer);
    // Ahead of the completer's own filter, which lets the box search first
    // and puts the offer in the box afterwards.
    completer_->popup()->installEventFilter(this);
    // The focus stays in the box, so the list tells a screen reader itself
    // which offer the reader moved to.
    connect(completer_, qOverload<const QModelIndex &>(&QCompleter::highlighted), this, [this](const QModelIndex &at) {
        if (!at.isValid())
            return;
        QAccessibleEvent event(completer_->popup(), QAccessible::Focus);
        event.setChild(at.row());
        QAccessible::updateAccessibility(&event);
    });
    connect(clear, &QAction::triggered, this, [this] {
        state_.clearSearchHistory();
        model_->setOffers({});
    });
}

void SearchHistoryCompleter::offer(const QString &typed)
{
    // The words of the text wait until it is in memory; the history does not.
    static const Vocabulary none;
    const SearchMemory *memory = state_.hasSearchMemory() ? &state_.searchMemory() : nullptr;
    model_->setOffers(completionOffers(typed, state_.searchHistory(), memory ? memory->words() : none));
    if (model_->rowCount() == 0)
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
    // The box already shows the offer moved to: close the list first, so
    // that nothing replaces the box's text after the search.
    completer_->popup()->hide();
    QCoreApplication::sendEvent(box_, event);
    return true;
}

} // namespace zarfan
