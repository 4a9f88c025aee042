#pragma once

#include "notes/notesstore.h"

#include <optional>
#include <vector>

class QListView;

namespace zarfan {

class ReadingState;

// The ayas a notes command applies to, read from the main window's listing.
class ListingPick {
public:
    ListingPick(ReadingState &state, const QListView *listing) : state_(state), listing_(listing) {}

    // The selected lines of one sura, else the displayed aya.
    AyaRange range() const;
    // The selected lines in listing order, else the displayed aya.
    std::vector<ListAya> ayas() const;
    // The note the note command opens for a range: the aya's, or the one on
    // exactly those ayas.
    static std::optional<Note> noteFor(const NotesStore &store, const AyaRange &range);

private:
    ReadingState &state_;
    const QListView *listing_;
};

} // namespace zarfan
