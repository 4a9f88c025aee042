#include "chosenlistcommands.h"

#include "state/readingstate.h"
#include "ui/messages.h"

#include <QAbstractItemView>
#include <QListWidget>
#include <QPlainTextEdit>

namespace zarfan {

ChosenListCommands::ChosenListCommands(ReadingState &state, QAbstractItemView *results, QPlainTextEdit *shown,
                                       QListWidget *chosen, QWidget *window)
    : QObject(window), state_(state), results_(results), shown_(shown), chosen_(chosen), window_(window)
{
    for (int i = 0; i < state_.chosenList().count(); ++i)
        chosen_->addItem(state_.chosenList().addaya.at(i));
    connect(results_, &QAbstractItemView::doubleClicked, this, &ChosenListCommands::addSelected);
    connect(chosen_, &QListWidget::itemDoubleClicked, this, &ChosenListCommands::removeSelected);
}

void ChosenListCommands::addSelected()
{
    const int k = results_->currentIndex().row();
    ResultListing &listing = state_.listing();
    if (!listing.isValidLine(k))
        return;
    const ResultRecord &record = listing.at(k);
    switch (state_.addChosen(record.line, record.id, shown_->toPlainText())) {
    case ChosenList::AddResult::Duplicate:
        showMessage(window_, tr("لقد تمت إضافة هذه الآية سابقا"));
        break;
    case ChosenList::AddResult::Added:
        chosen_->addItem(record.line);
        break;
    case ChosenList::AddResult::NothingDisplayed:
        break;
    }
}

void ChosenListCommands::removeSelected()
{
    const int index = chosen_->currentRow();
    if (state_.removeChosenAt(index))
        delete chosen_->takeItem(index);
}

} // namespace zarfan
