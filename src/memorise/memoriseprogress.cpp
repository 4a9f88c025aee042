#include "memoriseprogress.h"

#include "data/userstore.h"
#include "search/foldedtext.h"

#include <QJsonObject>
#include <algorithm>
#include <optional>
#include <sqlite3.h>
#include <QCoreApplication>

namespace zarfan {

namespace {

bool hasStore(UserStore *store) { return store && store->isOpen(); }

QString dayText(qint64 julian) { return julian ? QDate::fromJulianDay(julian).toString(Qt::ISODate) : QString(); }

qint64 dayOf(const QJsonValue &v)
{
    const QDate d = QDate::fromString(v.toString(), Qt::ISODate);
    return d.isValid() ? d.toJulianDay() : 0;
}

std::vector<PageProgress> readAll(UserStore &store)
{
    std::vector<PageProgress> pages(MemoriseProgress::kPages + 1);
    sql::Statement s(store.connection().handle(), "SELECT page, state, interval, due, changed FROM memorised;");
    while (s && s.step() == SQLITE_ROW) {
        const int page = s.text(0).toInt();
        const int state = s.text(1).toInt();
        if (!MemoriseProgress::valid(page) || state < 0 || state > 2)
            continue;
        pages[std::size_t(page)] = {PageState(state), std::clamp(s.text(2).toInt(), 0, MemoriseProgress::kMaxInterval),
                                    s.text(3).toLongLong(), s.text(4).toLongLong()};
    }
    return pages;
}

bool writePage(UserStore &store, int page, const PageProgress &p)
{
    sql::Statement s(store.connection().handle(),
                     "INSERT OR REPLACE INTO memorised (page, state, interval, due, changed) VALUES (?1, ?2, ?3, ?4, ?5);");
    if (!s)
        return false;
    s.bind(1, qint64(page));
    s.bind(2, qint64(p.state));
    s.bind(3, qint64(p.interval));
    s.bind(4, p.due);
    s.bind(5, p.changed);
    return s.execute();
}

} // namespace

QString pageStateName(PageState state)
{
    switch (state) {
    case PageState::Learning:
        return QCoreApplication::translate("zarfan::MemoriseProgress", "قيد الحفظ");
    case PageState::Held:
        return QCoreApplication::translate("zarfan::MemoriseProgress", "محفوظ");
    case PageState::NotHeld:
        break;
    }
    return QCoreApplication::translate("zarfan::MemoriseProgress", "لم يحفظ");
}

MemoriseProgress::MemoriseProgress(UserStore *store) : store_(store) { reload(); }

void MemoriseProgress::reload()
{
    // Without a store the pages live in memory only: nothing to read again.
    if (!hasStore(store_))
        return;
    pages_ = {};
    const std::vector<PageProgress> read = readAll(*store_);
    std::copy(read.begin(), read.end(), pages_.begin());
}

bool MemoriseProgress::setState(const std::vector<int> &pages, PageState state, QDate today)
{
    if (std::any_of(pages.begin(), pages.end(), [](int p) { return !valid(p); }))
        return false;
    for (int number : pages) {
        PageProgress &p = pages_[std::size_t(number)];
        if (p.state == state)
            continue;
        p.state = state;
        if (state == PageState::Held) {
            p.interval = 1;
            p.due = today.addDays(1).toJulianDay();
        } else {
            p.due = 0;
        }
        p.changed = today.toJulianDay();
    }
    return write(pages);
}

bool MemoriseProgress::review(int number, ReviewAnswer answer, QDate today)
{
    if (!valid(number) || pages_[std::size_t(number)].state != PageState::Held)
        return false;
    PageProgress &p = pages_[std::size_t(number)];
    switch (answer) {
    case ReviewAnswer::Mastered:
        p.interval = std::min(std::max(p.interval, 1) * 2, kMaxInterval);
        break;
    case ReviewAnswer::Hesitant:
        p.interval = std::max(p.interval, 1);
        break;
    case ReviewAnswer::Forgot:
        p.interval = 1;
        p.state = PageState::Learning;
        break;
    }
    p.due = p.state == PageState::Held ? today.addDays(p.interval).toJulianDay() : 0;
    p.changed = today.toJulianDay();
    return write({number});
}

std::vector<int> MemoriseProgress::due(QDate today) const
{
    const qint64 day = today.toJulianDay();
    std::vector<int> out;
    for (int n = 1; n <= kPages; ++n)
        if (pages_[std::size_t(n)].state == PageState::Held && pages_[std::size_t(n)].due <= day)
            out.push_back(n);
    std::stable_sort(out.begin(), out.end(), [this](int a, int b) { return pages_[std::size_t(a)].due < pages_[std::size_t(b)].due; });
    return out;
}

int MemoriseProgress::count(PageState state) const
{
    return int(std::count_if(pages_.begin() + 1, pages_.end(), [state](const PageProgress &p) { return p.state == state; }));
}

bool MemoriseProgress::write(const std::vector<int> &pages)
{
    if (!hasStore(store_) || store_->isReadOnly())
        return !hasStore(store_);
    sql::Database &db = store_->connection();
    if (!db.exec("SAVEPOINT memorise;"))
        return false;
    bool ok = true;
    for (int number : pages)
        ok = ok && writePage(*store_, number, pages_[std::size_t(number)]);
    if (ok)
        return db.exec("RELEASE memorise;");
    db.exec("ROLLBACK TO memorise;");
    db.exec("RELEASE memorise;");
    return false;
}

std::vector<int> pagesOfSura(const FoldedText &text, int sura)
{
    std::vector<int> pages;
    for (int k = 0; k < text.size(); ++k)
        if (text.record(k).sura.toInt() == sura)
            pages.push_back(text.record(k).page.toInt());
    pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
    return pages;
}

std::vector<int> pagesOfJuz(const FoldedText &text, int juz)
{
    std::vector<int> pages;
    for (int k = 0; k < text.size(); ++k)
        if (text.record(k).juz.toInt() == juz)
            pages.push_back(text.record(k).page.toInt());
    pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
    return pages;
}

std::vector<int> juzOfPages(const FoldedText &text)
{
    std::vector<int> juz(MemoriseProgress::kPages + 1, 0);
    for (int k = 0; k < text.size(); ++k) {
        const int page = text.record(k).page.toInt();
        if (MemoriseProgress::valid(page) && juz[std::size_t(page)] == 0)
            juz[std::size_t(page)] = text.record(k).juz.toInt();
    }
    return juz;
}

QJsonArray memorisationToJson(UserStore &store)
{
    QJsonArray out;
    if (!store.isOpen())
        return out;
    const std::vector<PageProgress> pages = readAll(store);
    for (int n = 1; n <= MemoriseProgress::kPages; ++n) {
        const PageProgress &p = pages[std::size_t(n)];
        if (p.state == PageState::NotHeld && p.changed == 0)
            continue;
        QJsonObject o{{QStringLiteral("page"), n}, {QStringLiteral("state"), int(p.state)}, {QStringLiteral("interval"), p.interval}};
        if (p.due)
            o.insert(QStringLiteral("due"), dayText(p.due));
        if (p.changed)
            o.insert(QStringLiteral("changed"), dayText(p.changed));
        out.append(o);
    }
    return out;
}

MemorisationImport memorisationFromJson(UserStore &store, const QJsonArray &pages)
{
    MemorisationImport report;
    const std::vector<PageProgress> had = readAll(store);
    const qint64 today = QDate::currentDate().toJulianDay();
    // Each page once, as its latest change in the file left it; of two
    // changes on one day the later entry wins.
    std::vector<std::optional<PageProgress>> latest(MemoriseProgress::kPages + 1);
    for (const QJsonValue &value : pages) {
        const QJsonObject o = value.toObject();
        const QJsonValue pageValue = o.value(QStringLiteral("page")), stateValue = o.value(QStringLiteral("state"));
        const int page = pageValue.toInt(-1), state = stateValue.toInt(-1);
        if (!value.isObject() || !MemoriseProgress::valid(page) || state < 0 || state > 2) {
            ++report.refused;
            continue;
        }
        PageProgress in{PageState(state), std::clamp(o.value(QStringLiteral("interval")).toInt(0), 0, MemoriseProgress::kMaxInterval),
                        dayOf(o.value(QStringLiteral("due"))), dayOf(o.value(QStringLiteral("changed")))};
        // A day yet to come is no day of a change: taken as today, it can
        // never outrank the reader's next change of the page.
        in.changed = std::min(in.changed, today);
        if (in.state != PageState::Held)
            in.due = 0;
        else if (!in.due) // a held page without a date is reviewed at once
            in.due = in.changed ? in.changed : today;
        in.due = std::min(in.due, today + MemoriseProgress::kMaxInterval);
        std::optional<PageProgress> &kept = latest[std::size_t(page)];
        if (!kept || in.changed >= kept->changed)
            kept = in;
    }
    for (int page = 1; page <= MemoriseProgress::kPages; ++page) {
        if (!latest[std::size_t(page)])
            continue;
        const PageProgress &in = *latest[std::size_t(page)];
        const PageProgress &old = had[std::size_t(page)];
        const bool fresh = old.state == PageState::NotHeld && old.changed == 0;
        const bool same = in.state == old.state && in.interval == old.interval && in.due == old.due && in.changed == old.changed;
        // A stored day yet to come (from an earlier import) blocks nothing.
        if (!fresh && (same || in.changed < std::min(old.changed, today)))
            continue;
        if (!writePage(store, page, in)) {
            report.failed = true;
            return report;
        }
        ++(fresh ? report.added : report.merged);
    }
    return report;
}

} // namespace zarfan
