#include "listingpick.h"

#include "browse/suratables.h"
#include "state/readingstate.h"

#include <QItemSelectionModel>
#include <QListView>

namespace zarfan {

AyaRange ListingPick::range() const
{
    const ResultListing &listing = state_.listing();
    const auto numbers = [&listing](int row) {
        const ResultRecord &r = listing.at(row);
        return std::pair(SuraTables::numberFromText(r.sura), r.aya.toInt());
    };
    AyaRange range;
    const QModelIndexList rows = listing_->selectionModel()->selectedRows();
    if (rows.size() > 1) {
        for (const QModelIndex &index : rows) {
            if (!listing.isValidLine(index.row()))
                return {};
            const auto [sura, aya] = numbers(index.row());
            if (range.sura == 0)
                range = {sura, aya, aya};
            else if (sura != range.sura)
                return {}; // a range lies in one sura
            range.from = std::min(range.from, aya);
            range.to = std::max(range.to, aya);
        }
        return range;
    }
    const int k = listing_->currentIndex().row();
    if (!listing.isValidLine(k))
        return {};
    const auto [sura, aya] = numbers(k);
    return {sura, aya, aya};
}

std::vector<ListAya> ListingPick::ayas() const
{
    std::vector<ListAya> out;
    QModelIndexList rows = listing_->selectionModel()->selectedRows();
    if (rows.isEmpty() && listing_->currentIndex().isValid())
        rows.append(listing_->currentIndex());
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &index : rows) {
        if (!state_.listing().isValidLine(index.row()))
            continue;
        const ResultRecord &r = state_.listing().at(index.row());
        out.push_back({SuraTables::numberFromText(r.sura), r.aya.toInt()});
    }
    return out;
}

std::optional<Note> ListingPick::noteFor(const NotesStore &store, const AyaRange &range)
{
    if (!range.isValid())
        return std::nullopt;
    if (range.from == range.to)
        return store.noteAt(range.sura, range.from);
    for (const Note &n : store.notes()) {
        if (n.range == range)
            return n;
    }
    return std::nullopt;
}

} // namespace zarfan
