#include "listingfill.h"

#include "data/datacontrol.h"
#include "data/problems.h"
#include "browse/resultlisting.h"
#include "search/occurrences.h"
#include "browse/suratables.h"

#include <QCoreApplication>
#include <optional>

namespace zarfan {

namespace {
int &intervalSetting()
{
    static int ms = EventYield::kDefaultIntervalMs;
    return ms;
}
} // namespace

int EventYield::defaultInterval() { return intervalSetting(); }
void EventYield::setDefaultInterval(int ms) { intervalSetting() = ms; }

EventYield::EventYield(int intervalMs) : interval_(intervalMs) { clock_.start(); }

bool EventYield::due() const { return interval_ <= 0 || clock_.elapsed() >= interval_; }

bool EventYield::maybe()
{
    if (!due())
        return false;
    now();
    return true;
}

void EventYield::now()
{
    QCoreApplication::processEvents();
    clock_.restart();
}

FillOutcome fillListing(DataControl &control, ResultListing &listing, EventYield &yield, const SearchMatch *match,
                        const QHash<int, QList<int>> *words)
{
    // Only what the lines need is copied, whatever the statement selects.
    QStringList copied = {QStringLiteral("soraano"), QStringLiteral("ayaano"), QStringLiteral("ID"),
                          QStringLiteral("chapterNO"), QStringLiteral("pageno")};
    if (match)
        copied.append(match->column());
    control.setCopiedColumns(copied);
    control.refresh();
    control.setCopiedColumns({});
    listing.clear();
    if (control.failure() == DataControl::Failure::TooComplex) {
        listing.finish();
        return FillOutcome::TooComplex;
    }
    const quint64 mine = listing.generation();
    const int cSura = control.column(u"soraano");
    const int cAya = control.column(u"ayaano");
    const int cId = control.column(u"ID");
    const int cJuz = control.column(u"chapterNO");
    const int cPage = control.column(u"pageno");
    const int cSearched = match ? control.column(match->column()) : -1;
    const std::optional<OccurrenceCounter> counter = match ? std::optional<OccurrenceCounter>(*match) : std::nullopt;

    while (!control.eof()) {
        ResultRecord record;
        record.sura = control.field(cSura);
        record.aya = control.field(cAya);
        record.id = control.field(cId);
        record.juz = control.field(cJuz);
        record.page = control.field(cPage);
        if (cSearched >= 0)
            record.hits = counter->count(control.fieldBytes(cSearched));
        else if (words)
            record.hits = int(words->value(record.id.toInt()).size());
        const int sura = SuraTables::numberFromText(record.sura);
        if (sura == 0) {
            reportProblem(problem::badSuraNumber(record.sura));
            listing.clear();
            listing.finish();
            return FillOutcome::Failed;
        }
        record.line = SuraTables::reference(sura, record.aya);
        listing.append(std::move(record));
        control.moveNext();
        if (yield.due()) {
            listing.publish();
            yield.now();
            if (listing.generation() != mine)
                return FillOutcome::Superseded;
        }
    }
    listing.finish();
    return FillOutcome::Finished;
}

} // namespace zarfan
