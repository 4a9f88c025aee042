#include "listingcountslabel.h"

#include "state/readingstate.h"
#include "search/listingcountstext.h"

namespace zarfan {

ListingCountsLabel::ListingCountsLabel(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("statusCounts"));
}

void ListingCountsLabel::showCounts(ReadingState &state)
{
    const QString text = listingCountsText(listingCounts(state.listing()), state.listingMatch(), state.matchedKeyUnknown());
    setText(text);
    setAccessibleName(text);
}

} // namespace zarfan
