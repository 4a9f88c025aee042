#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <bitset>
#include <optional>
#include <vector>

namespace zarfan {

class UserStore;

constexpr int kMushafPages = 604;

// A plan to read the mushaf from a page to its end in a number of days. Pure
// arithmetic: every day's portion (الورد) ends on a whole page.
struct KhatmaSchedule {
    enum class By { Days, PagesPerDay };
    QDate start;
    int startPage = 1;
    By by = By::Days;
    int amount = 1; // days, or pages a day
    int days = 1;   // how many days the plan runs

    int remainingPages() const { return kMushafPages - startPage + 1; }
    // The last page scheduled by the end of day `day` (0 = the start date);
    // startPage - 1 before the first day, the last page after the last one.
    int scheduledThrough(int day) const;
    int portionFirst(int day) const { return scheduledThrough(day - 1) + 1; }
    int portionLast(int day) const { return scheduledThrough(day); }
    // Days since the start; a clock set before the start counts as day 0.
    int dayIndex(const QDate &today) const;

    bool operator==(const KhatmaSchedule &) const = default;
};

// How a khatma's dates are written wherever they are shown.
QString khatmaDate(const QDate &date);

// What the reader asks for in the window.
struct KhatmaRequest {
    KhatmaSchedule::By by = KhatmaSchedule::By::Days;
    int amount = 30;
    int startPage = 1;
    QDate startDate;
};

// The schedule for a request, or the message telling why there is none. More
// days than pages left gives one page a day; more pages a day than are left,
// one day.
struct ScheduleResult {
    std::optional<KhatmaSchedule> schedule;
    QString message;
};
ScheduleResult makeSchedule(const KhatmaRequest &request, const QDate &today);

// "صفحة" or "صفحات" after a count, as Arabic counts.
QString pagesWord(int count);

// Where the reader stands today.
struct KhatmaStatus {
    bool active = false;
    int portionFirst = 0, portionLast = 0;
    int pagesRead = 0; // of kMushafPages
    int daysLeft = 0;
    int lead = 0; // pages ahead (> 0) or behind (< 0) of the plan
    QString portionText() const;
    QString leadText() const;
    QString daysLeftText() const;
};

struct FinishedKhatma {
    QDate start, end;
};

// The running plan, the pages read and the finished khatmas, written through
// to the per-user store at every change. The pages read are one bit each, so
// the stored plan stays the same size however long it runs.
class KhatmaTracker : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Reads the plan from the store (none when null), then tells changed().
    // A damaged plan or finished entry is dropped; takeDamageMessage() then
    // says so, once.
    void load(UserStore *store);
    QString takeDamageMessage();
    // Writes the plan and the finished khatmas again, as into a fresh store.
    void rewrite();

    bool active() const { return schedule_.has_value(); }
    const std::optional<KhatmaSchedule> &schedule() const { return schedule_; }
    // Finished khatmas are only ever added at the end; a new load() replaces
    // them all and counts one more in loads().
    const std::vector<FinishedKhatma> &finished() const { return finished_; }
    int loads() const { return loads_; }
    bool isRead(int page) const { return page >= 1 && page <= kMushafPages && read_.test(std::size_t(page - 1)); }
    KhatmaStatus status(const QDate &today) const;

    // Starts a plan (replacing any running one); the message when refused.
    QString start(const KhatmaRequest &request, const QDate &today);
    // The same plan again from its start page, starting today.
    void restart(const QDate &today);
    // Drops the running plan without recording it.
    void end();

    // Marks the whole of today's portion as read.
    void markTodayDone(const QDate &today);

public slots:
    // The reader turned past a page in the reading window: it counts as read.
    void pageTurnedPast(int page);

signals:
    void changed();

private:
    void readStore(UserStore *store);
    void markRange(int first, int last, const QDate &today);
    void finishIfComplete(const QDate &today);
    void save();
    void saveFinished();

    UserStore *store_ = nullptr;
    std::optional<KhatmaSchedule> schedule_;
    std::bitset<kMushafPages> read_;
    std::vector<FinishedKhatma> finished_;
    QString damage_;
    int loads_ = 0;
};

} // namespace zarfan
