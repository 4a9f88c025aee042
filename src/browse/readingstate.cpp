#include "readingstate.h"

#include "data/connectionstring.h"
#include "listingfill.h"
#include "programstate.h"

namespace zarfan {

ReadingState::ReadingState(const QString &appFolder, QObject *parent)
    : QObject(parent), appFolder_(appFolder)
{
    Adodc1.setConnectionString(connectionString());
}

QString ReadingState::connectionString() const { return buildConnectionString(appFolder_); }

void ReadingState::setAyaFont(const QFont &font)
{
    ayaFont_ = font;
    emit ayaFontChanged(font);
}

SearchOptions ReadingState::searchOptions() const
{
    SearchOptions o = options_;
    o.searchtype = programState().searchtype;
    o.target = target_;
    return o;
}

void ReadingState::produceListing(const Request &request)
{
    if (fillsOnStack_ > 0) {
        // Called from inside a running fill's yield: the running fill stops at
        // once and the outermost call fills this request next.
        pending_ = request;
        listing_.abandon();
        return;
    }
    std::optional<Request> next = request;
    while (next) {
        const Request r = *next;
        pending_.reset();
        ++fillsOnStack_;
        emit listingCommandsEnabled(r.guard, false);
        Adodc1.setRecordSource(r.statement);
        if (r.mixedsora)
            programState().mixedsora = *r.mixedsora;
        listingMatch_ = r.match;
        EventYield yield;
        const FillOutcome outcome = fillListing(Adodc1, listing_, yield, r.match ? &*r.match : nullptr);
        if (outcome != FillOutcome::Superseded && !pending_ && r.refreshAfter)
            Adodc1.refresh();
        --fillsOnStack_;
        emit listingCommandsEnabled(r.guard, true);
        if (outcome == FillOutcome::TooComplex && !pending_)
            emit statementTooComplex();
        next = pending_;
    }
}

} // namespace zarfan
