#include "khatmaplan.h"

#include "data/userstore.h"

#include <QStringList>
#include <algorithm>
#include <cctype>
#include <utility>
#include <QCoreApplication>

namespace zarfan {

namespace {

const QString kPlanKey = QStringLiteral("khatma/plan");
const QString kFinishedKey = QStringLiteral("khatma/finished");
constexpr int kMaxDays = 365;
constexpr int kBitBytes = (kMushafPages + 7) / 8;

// The plan's length once its numbers are known to be in range.
KhatmaSchedule scheduleFor(const QDate &start, int startPage, KhatmaSchedule::By by, int amount)
{
    KhatmaSchedule s;
    s.start = start;
    s.startPage = startPage;
    s.by = by;
    const int left = s.remainingPages();
    if (by == KhatmaSchedule::By::Days) {
        s.amount = std::min(amount, left);
        s.days = s.amount;
    } else {
        s.amount = std::min(amount, left);
        s.days = (left + s.amount - 1) / s.amount;
    }
    return s;
}

QString isoDate(const QDate &d) { return d.toString(Qt::ISODate); }

} // namespace

QString khatmaDate(const QDate &date) { return date.toString(QStringLiteral("yyyy/MM/dd")); }

int KhatmaSchedule::scheduledThrough(int day) const
{
    if (day < 0)
        return startPage - 1;
    if (day >= days || days < 1)
        return kMushafPages;
    const int left = remainingPages();
    if (by == By::Days)
        return startPage - 1 + (day + 1) * left / days;
    return std::min(kMushafPages, startPage - 1 + (day + 1) * amount);
}

int KhatmaSchedule::dayIndex(const QDate &today) const
{
    return int(std::max<qint64>(0, std::min<qint64>(start.daysTo(today), kMushafPages + 1)));
}

ScheduleResult makeSchedule(const KhatmaRequest &r, const QDate &today)
{
    const QDate start = r.startDate.isValid() ? r.startDate : today;
    if (start > today)
        return {std::nullopt, QCoreApplication::translate("zarfan::Khatmaplan", "تاريخ البدء بعد اليوم: اختر اليوم أو يوما قبله")};
    if (r.startPage < 1 || r.startPage > kMushafPages)
        return {std::nullopt, QCoreApplication::translate("zarfan::Khatmaplan", "صفحة البدء خارج المدى: من 1 إلى 604")};
    if (r.by == KhatmaSchedule::By::Days && (r.amount < 1 || r.amount > kMaxDays))
        return {std::nullopt, QCoreApplication::translate("zarfan::Khatmaplan", "عدد الأيام خارج المدى: من 1 إلى 365")};
    if (r.by == KhatmaSchedule::By::PagesPerDay && (r.amount < 1 || r.amount > kMushafPages))
        return {std::nullopt, QCoreApplication::translate("zarfan::Khatmaplan", "عدد الصفحات في اليوم خارج المدى: من 1 إلى 604")};
    return {scheduleFor(start, r.startPage, r.by, r.amount), QString()};
}

QString pagesWord(int count)
{
    const int r = count % 100;
    return r >= 3 && r <= 10 ? QCoreApplication::translate("zarfan::Khatmaplan", "صفحات") : QCoreApplication::translate("zarfan::Khatmaplan", "صفحة");
}

QString KhatmaStatus::portionText() const
{
    return QCoreApplication::translate("zarfan::Khatmaplan", "ورد اليوم : من صفحة %1 إلى صفحة %2").arg(portionFirst).arg(portionLast);
}

QString KhatmaStatus::leadText() const
{
    if (lead > 0)
        return QCoreApplication::translate("zarfan::Khatmaplan", "متقدم بـ %1 ").arg(lead) + pagesWord(lead);
    if (lead < 0)
        return QCoreApplication::translate("zarfan::Khatmaplan", "متأخر بـ %1 ").arg(-lead) + pagesWord(-lead);
    return QCoreApplication::translate("zarfan::Khatmaplan", "في الموعد");
}

QString KhatmaStatus::daysLeftText() const { return QCoreApplication::translate("zarfan::Khatmaplan", "الأيام الباقية : %1").arg(daysLeft); }

KhatmaStatus KhatmaTracker::status(const QDate &today) const
{
    KhatmaStatus st;
    st.pagesRead = int(read_.count());
    if (!schedule_)
        return st;
    const KhatmaSchedule &s = *schedule_;
    st.active = true;
    const int d = s.dayIndex(today);
    if (d < s.days) {
        st.portionFirst = s.portionFirst(d);
        st.portionLast = s.portionLast(d);
    } else {
        // Past the last day: what is still unread.
        int first = 1;
        while (first < kMushafPages && isRead(first))
            ++first;
        st.portionFirst = first;
        st.portionLast = kMushafPages;
    }
    st.daysLeft = std::max(0, s.days - d);
    // On time while yesterday's pages are read and today's not overrun.
    const int before = s.scheduledThrough(d - 1), through = s.scheduledThrough(d);
    if (st.pagesRead < before)
        st.lead = st.pagesRead - before;
    else if (st.pagesRead > through)
        st.lead = st.pagesRead - through;
    return st;
}

QString KhatmaTracker::start(const KhatmaRequest &request, const QDate &today)
{
    const ScheduleResult made = makeSchedule(request, today);
    if (!made.schedule)
        return made.message;
    schedule_ = made.schedule;
    read_.reset();
    // The pages before the start page count as read already.
    for (int p = 1; p < schedule_->startPage; ++p)
        read_.set(std::size_t(p - 1));
    save();
    emit changed();
    return QString();
}

void KhatmaTracker::restart(const QDate &today)
{
    if (!schedule_)
        return;
    start({schedule_->by, schedule_->amount, schedule_->startPage, today}, today);
}

void KhatmaTracker::end()
{
    schedule_.reset();
    read_.reset();
    save();
    emit changed();
}

void KhatmaTracker::pageTurnedPast(int page)
{
    if (!schedule_ || page < 1 || page > kMushafPages || isRead(page))
        return;
    markRange(page, page, QDate::currentDate());
}

void KhatmaTracker::markTodayDone(const QDate &today)
{
    const KhatmaStatus st = status(today);
    if (st.active)
        markRange(st.portionFirst, st.portionLast, today);
}

void KhatmaTracker::markRange(int first, int last, const QDate &today)
{
    for (int p = std::max(1, first); p <= std::min(kMushafPages, last); ++p)
        read_.set(std::size_t(p - 1));
    finishIfComplete(today);
    save();
    emit changed();
}

void KhatmaTracker::finishIfComplete(const QDate &today)
{
    if (!schedule_ || !read_.all())
        return;
    // A clock set back before the start still ends on or after it.
    finished_.push_back({schedule_->start, std::max(schedule_->start, today)});
    schedule_.reset();
    read_.reset();
    saveFinished();
}

void KhatmaTracker::save()
{
    if (!store_)
        return;
    if (!schedule_) {
        store_->setValue(kPlanKey, QByteArray());
        return;
    }
    QByteArray bits(kBitBytes, '\0');
    for (int p = 0; p < kMushafPages; ++p) {
        if (read_.test(std::size_t(p)))
            bits[p / 8] = char(bits[p / 8] | (1 << (p % 8)));
    }
    const KhatmaSchedule &s = *schedule_;
    store_->setValue(kPlanKey, QStringLiteral("1 %1 %2 %3 %4 ")
                                       .arg(isoDate(s.start))
                                       .arg(s.startPage)
                                       .arg(s.by == KhatmaSchedule::By::Days ? 0 : 1)
                                       .arg(s.amount)
                                       .toLatin1()
                         + bits.toHex());
}

void KhatmaTracker::saveFinished()
{
    if (!store_)
        return;
    QByteArray lines;
    for (const FinishedKhatma &f : finished_)
        lines += isoDate(f.start).toLatin1() + ' ' + isoDate(f.end).toLatin1() + '\n';
    store_->setValue(kFinishedKey, lines);
}

void KhatmaTracker::load(UserStore *store)
{
    ++loads_;
    readStore(store);
    emit changed();
}

void KhatmaTracker::readStore(UserStore *store)
{
    store_ = store && store->isOpen() ? store : nullptr;
    schedule_.reset();
    read_.reset();
    finished_.clear();
    if (!store_)
        return;
    int droppedFinished = 0;
    bool planDamaged = false;

    const QList<QByteArray> lines = store_->value(kFinishedKey).split('\n');
    for (const QByteArray &line : lines) {
        if (line.isEmpty())
            continue;
        const QList<QByteArray> f = line.split(' ');
        const QDate from = f.size() == 2 ? QDate::fromString(QString::fromLatin1(f[0]), Qt::ISODate) : QDate();
        const QDate to = f.size() == 2 ? QDate::fromString(QString::fromLatin1(f[1]), Qt::ISODate) : QDate();
        if (from.isValid() && to.isValid() && from <= to)
            finished_.push_back({from, to});
        else
            ++droppedFinished;
    }
    if (droppedFinished > 0)
        saveFinished();

    const QByteArray plan = store_->value(kPlanKey);
    if (!plan.isEmpty()) {
        const QList<QByteArray> f = plan.split(' ');
        bool ok = f.size() == 6 && f[0] == "1" && f[5].size() == 2 * kBitBytes;
        QDate start;
        int page = 0, by = -1, amount = 0;
        if (ok) {
            bool a = false, b = false, c = false;
            start = QDate::fromString(QString::fromLatin1(f[1]), Qt::ISODate);
            page = f[2].toInt(&a);
            by = f[3].toInt(&b);
            amount = f[4].toInt(&c);
            ok = a && b && c && start.isValid() && page >= 1 && page <= kMushafPages && (by == 0 || by == 1) && amount >= 1
                && amount <= (by == 0 ? kMaxDays : kMushafPages)
                && std::all_of(f[5].cbegin(), f[5].cend(), [](char ch) { return std::isxdigit(static_cast<unsigned char>(ch)); });
        }
        if (ok) {
            schedule_ = scheduleFor(start, page, by == 0 ? KhatmaSchedule::By::Days : KhatmaSchedule::By::PagesPerDay, amount);
            const QByteArray bits = QByteArray::fromHex(f[5]);
            for (int p = 0; p < kMushafPages; ++p) {
                if (bits[p / 8] & (1 << (p % 8)))
                    read_.set(std::size_t(p));
            }
        } else {
            planDamaged = true;
            store_->setValue(kPlanKey, QByteArray());
        }
    }
    // Each part says only what was dropped from it.
    QStringList told;
    if (planDamaged)
        told.append(tr("خطة الختمة المحفوظة تالفة فحذفت، ويمكنك بدء خطة جديدة من نافذة خطة الختمة"));
    if (droppedFinished > 0)
        told.append(tr("حذفت من قائمة الختمات السابقة مدخلات تالفة عددها %1، وبقيت سائر الختمات كما هي")
                        .arg(droppedFinished));
    if (!told.isEmpty())
        damage_ = told.join(u'\n') + tr("\nوبقيت سائر بياناتك كما هي");
}

void KhatmaTracker::rewrite()
{
    save();
    saveFinished();
}

QString KhatmaTracker::takeDamageMessage() { return std::exchange(damage_, QString()); }

} // namespace zarfan
