#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <functional>

namespace zarfan {

class DataControl;
class ResultListing;
struct SearchMatch;

// Lets the event queue run during a long walk. The interval bounds how often:
// 0 yields after every row; the default keeps painting and input live without
// repainting the list once per row.
class EventYield {
public:
    static constexpr int kDefaultIntervalMs = 12;
    explicit EventYield(int intervalMs = defaultInterval());
    // Tests set 0 to yield after every row, as the fills once did.
    static int defaultInterval();
    static void setDefaultInterval(int ms);
    bool due() const;
    // Runs the events when due; true when they ran.
    bool maybe();
    void now();

private:
    int interval_;
    QElapsedTimer clock_;
};

enum class FillOutcome {
    Finished,   // the listing holds this fill's rows and was finished
    Superseded, // a newer fill replaced the lines during a yield
    Failed,     // the data held a bad sura number; the listing was emptied
    TooComplex, // the statement ran past its time limit; the listing was emptied
};

// The one walk that every producer of result lines uses: refresh the data
// control, clear the listing, append a record per row, finish.
// With a match of letters, the searched column is read too and each line
// counts the occurrences of the search in it. A root or lemma search gives
// its words instead, and each line counts them.
FillOutcome fillListing(DataControl &control, ResultListing &listing, EventYield &yield, const SearchMatch *match = nullptr,
                        const QHash<int, QList<int>> *words = nullptr);

} // namespace zarfan
