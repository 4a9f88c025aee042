#include "searchhistorycompleter.h"

#include "browse/readingstate.h"
#include "search/searchhistory.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QLineEdit>
#include <QStringListModel>

namespace zarfan {

SearchHistoryCompleter::SearchHistoryCompleter(ReadingState &state, QLineEdit *box, QAction *clear, QObject *parent)
    : QObject(parent), state_(state), model_(new QStringListModel(this)), completer_(new QCompleter(model_, this))
{
    completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completer_->setWidget(box);
    connect(completer_, qOverload<const QString &>(&QCompleter::activated), box, &QLineEdit::setText);
    connect(box, &QLineEdit::textEdited, this, &SearchHistoryCompleter::offer);
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
}

} // namespace zarfan
