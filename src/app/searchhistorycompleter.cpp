#include "searchhistorycompleter.h"

#include "browse/readingstate.h"
#include "search/completions.h"
#include "search/searchmemory.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QLineEdit>

namespace zarfan {

SearchHistoryCompleter::SearchHistoryCompleter(ReadingState &state, QLineEdit *box, QAction *clear, QObject *parent)
    : QObject(parent), state_(state), model_(new CompletionOffersModel(this)), completer_(new QCompleter(model_, this))
{
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setWidget(box);
    // The box shows the entry under the cursor, so that Enter (which reaches
    // the box before the completer) searches what the box shows.
    connect(completer_, qOverload<const QString &>(&QCompleter::highlighted), box, &QLineEdit::setText);
    connect(completer_, qOverload<const QString &>(&QCompleter::activated), box, &QLineEdit::setText);
    connect(box, &QLineEdit::textEdited, this, &SearchHistoryCompleter::offer);
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
}

} // namespace zarfan
