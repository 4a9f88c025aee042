#include "notesearch.h"

#include "notesstore.h"
#include "state/readingstate.h"
#include "ui/messages.h"

#include <QWidget>

namespace zarfan {

NoteSearch::NoteSearch(NotesStore &store, ReadingState &state, QWidget *window)
    : QObject(window), store_(store), state_(state), window_(window)
{
    // Any other listing ends the marking of a note search.
    connect(&state_.listing(), &ResultListing::finished, this, [this] { words_.clear(); });
}

bool NoteSearch::search(const QString &typed)
{
    const QList<int> ids = store_.searchAyas(typed);
    if (ids.isEmpty()) {
        showMessage(window_, QStringLiteral("لا توجد خاطرة بهذه الكلمات"));
        return false;
    }
    state_.produceListing({ayasInOrderStatement(ids), qint16(1), ReadingState::Guard::AllayaasearchOnly});
    if (!state_.isFilling())
        words_ = NotesStore::searchWords(typed);
    return true;
}

} // namespace zarfan
