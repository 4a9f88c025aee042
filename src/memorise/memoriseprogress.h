#pragma once

#include <QDate>
#include <QJsonArray>
#include <QString>
#include <array>
#include <vector>

namespace zarfan {

class FoldedText;
class UserStore;

// What the reader holds of each page, and when a held page is next reviewed.
enum class PageState { NotHeld = 0, Learning = 1, Held = 2 };
// The reader's answer after reviewing a page.
enum class ReviewAnswer { Mastered, Hesitant, Forgot };

struct PageProgress {
    PageState state = PageState::NotHeld;
    int interval = 0;   // days to the next review
    qint64 due = 0;     // Julian day of the next review; 0 when none
    qint64 changed = 0; // Julian day of the last change, to merge imports
};

QString pageStateName(PageState state); // "لم يحفظ", "قيد الحفظ", "محفوظ"

// The pages' states and review schedule, kept in the user store (when there
// is one) as they change. Days come from the caller, so a test can move the
// clock. A held page is reviewed a day after it is marked; "متقن" doubles the
// interval up to kMaxInterval days, "متردد" keeps it, "نسيت" puts the page
// back to learning with an interval of one day.
class MemoriseProgress {
public:
    static constexpr int kPages = 604;
    static constexpr int kMaxInterval = 60;

    explicit MemoriseProgress(UserStore *store = nullptr);
    // Reads the store again (after an import).
    void reload();

    const PageProgress &page(int number) const { return pages_.at(std::size_t(valid(number) ? number : 0)); }
    static bool valid(int number) { return number >= 1 && number <= kPages; }

    // False when a page is out of range or the store refused the change (the
    // pages keep their new state for this session).
    bool setState(const std::vector<int> &pages, PageState state, QDate today);
    bool review(int page, ReviewAnswer answer, QDate today);

    // Held pages due on or before today, the longest waiting first.
    std::vector<int> due(QDate today) const;
    int count(PageState state) const;

private:
    bool write(const std::vector<int> &pages);

    UserStore *store_;
    std::array<PageProgress, kPages + 1> pages_{}; // [0] unused
};

// The pages of a sura or a juz, from the aya records.
std::vector<int> pagesOfSura(const FoldedText &text, int sura);
std::vector<int> pagesOfJuz(const FoldedText &text, int juz);
// The juz each page begins in, [0] unused.
std::vector<int> juzOfPages(const FoldedText &text);

// The pages with a state other than "لم يحفظ", for the notes file:
// [{"page": 12, "state": 2, "interval": 4, "due": "2026-05-01", "changed": "2026-04-27"}].
QJsonArray memorisationToJson(UserStore &store);
// Merges without a transaction of its own: a page the store lacks is taken,
// one changed later than the store's replaces it. Counts what it did.
struct MemorisationImport {
    int added = 0, merged = 0, refused = 0;
    bool failed = false;
};
MemorisationImport memorisationFromJson(UserStore &store, const QJsonArray &pages);

} // namespace zarfan
