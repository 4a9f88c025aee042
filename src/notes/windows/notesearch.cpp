#include "notesearch.h"

#include "notes/notesstore.h"
#include "search/memorysearch.h"
#include "state/readingstate.h"
#include "state/searchmemory.h"
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
    const FoldedText &text = state_.searchMemory().text();
    const NotesIndex::Answer found = store_.searchAyas(typed, state_.searchOptions(), &text);
    if (found.malformed) {
        showMessage(window_, malformedQueryMessage());
        return false;
    }
    const QList<int> &ids = found.ayas;
    if (ids.isEmpty()) {
        showMessage(window_, tr("لا توجد خاطرة بهذه الكلمات"));
        return false;
    }
    ReadingState::Request request(ayasInOrderStatement(ids), qint16(1), ReadingState::Guard::AllayaasearchOnly);
    // The lines come from the texts in memory once they are loaded.
    if (text.isLoaded()) {
        auto records = std::make_shared<std::vector<ResultRecord>>();
        records->reserve(std::size_t(ids.size()));
        for (const int id : ids)
            if (const int row = text.indexOfId(id); row >= 0)
                records->push_back(text.record(row));
        if (records->size() == std::size_t(ids.size()))
            request.records = std::move(records);
    }
    state_.produceListing(request);
    if (!state_.isFilling())
        words_ = found.words;
    return true;
}

} // namespace zarfan
