#include "recitalcheck.h"

#include "search/arabicfolding.h"
#include "search/foldedtext.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <cstdint>
#include <QCoreApplication>

namespace zarfan {

namespace {

// Beyond this many cells the table (two bits a cell) would take too much
// memory for one check; the longest sura typed whole stays well within.
constexpr std::int64_t kMaxCells = 64'000'000;

bool isPauseMark(const QString &w)
{
    return std::all_of(w.begin(), w.end(), [](QChar c) { return c.unicode() >= 0x06D6 && c.unicode() <= 0x06ED; });
}

struct Word {
    int aya;
    QString shown, folded;
    int key = 0; // the folded word as a number, for the table's comparisons
};

} // namespace

QString RecitalCheck::score() const { return QCoreApplication::translate("zarfan::Recitalcheck", "صحيح : %1 من %2").arg(right).arg(total); }

QString RecitalCheck::spoken(const std::vector<RecitedAya> &ayas) const
{
    QStringList parts{score()};
    int aya = -1;
    for (const CheckedWord &w : words) {
        if (w.mark == WordMark::Right)
            continue;
        if (w.aya != aya && w.aya >= 0 && w.aya < int(ayas.size())) {
            aya = w.aya;
            parts.append(QCoreApplication::translate("zarfan::Recitalcheck", "في %1").arg(ayas[std::size_t(aya)].line));
        }
        switch (w.mark) {
        case WordMark::Wrong:
            parts.append(QCoreApplication::translate("zarfan::Recitalcheck", "خطأ : %1 ، كتبت : %2").arg(w.expected, w.typed));
            break;
        case WordMark::Missing:
            parts.append(QCoreApplication::translate("zarfan::Recitalcheck", "ناقصة : %1").arg(w.expected));
            break;
        case WordMark::Extra:
            parts.append(QCoreApplication::translate("zarfan::Recitalcheck", "زائدة : %1").arg(w.typed));
            break;
        case WordMark::Right:
            break;
        }
    }
    return parts.join(QCoreApplication::translate("zarfan::Recitalcheck", " ؛ "));
}

QList<int> RecitalCheck::ayasToHear(const std::vector<RecitedAya> &ayas) const
{
    QList<int> ids;
    for (const CheckedWord &w : words)
        if ((w.mark == WordMark::Wrong || w.mark == WordMark::Missing) && w.aya >= 0 && w.aya < int(ayas.size())) {
            const int id = ayas[std::size_t(w.aya)].id;
            if (!ids.contains(id))
                ids.append(id);
        }
    return ids;
}

RecitalCheck checkRecital(const std::vector<RecitedAya> &ayas, const QString &typed)
{
    std::vector<Word> want;
    for (int a = 0; a < int(ayas.size()); ++a)
        for (const QString &w : ayas[std::size_t(a)].text.split(u' ', Qt::SkipEmptyParts)) {
            const QString folded = foldArabic(w);
            if (!isPauseMark(w) && !folded.isEmpty())
                want.push_back({a, w, folded});
        }
    QStringList got, gotShown;
    for (const QString &w : withoutInvisibleMarks(typed).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        const QString folded = foldArabic(w);
        if (!folded.isEmpty()) {
            got.append(folded);
            gotShown.append(w);
        }
    }
    RecitalCheck out;
    out.total = int(want.size());
    out.typedWords = int(got.size());
    const std::int64_t n = std::int64_t(want.size()), m = got.size();
    if (m > RecitalCheck::mostTyped(out.total) || (n + 1) * (m + 1) > kMaxCells) {
        out.tooLong = true;
        return out;
    }
    QHash<QString, int> keys;
    for (Word &w : want) {
        auto it = keys.constFind(w.folded);
        if (it == keys.cend())
            it = keys.insert(w.folded, int(keys.size()));
        w.key = *it;
    }
    std::vector<int> gotKeys;
    gotKeys.reserve(std::size_t(m));
    for (const QString &w : got)
        gotKeys.push_back(keys.value(w, -1));
    // cost[i][j]: aligning the first i aya words with the first j typed ones;
    // two rows of costs, and every cell's move kept to walk back.
    enum Move : std::uint8_t { Match, Substitute, Drop, Insert };
    std::vector<std::uint8_t> moves(std::size_t(((n + 1) * (m + 1) + 3) / 4));
    const auto set = [&](std::int64_t i, std::int64_t j, std::uint8_t move) {
        const auto cell = std::size_t(i * (m + 1) + j);
        moves[cell / 4] = std::uint8_t((moves[cell / 4] & ~(3u << (cell % 4 * 2))) | (move << (cell % 4 * 2)));
    };
    const auto get = [&](std::int64_t i, std::int64_t j) {
        const auto cell = std::size_t(i * (m + 1) + j);
        return std::uint8_t((moves[cell / 4] >> (cell % 4 * 2)) & 3u);
    };
    std::vector<int> previous(std::size_t(m) + 1), current(std::size_t(m) + 1);
    for (std::int64_t j = 0; j <= m; ++j) {
        previous[std::size_t(j)] = int(j);
        set(0, j, Insert);
    }
    for (std::int64_t i = 1; i <= n; ++i) {
        current[0] = int(i);
        set(i, 0, Drop);
        const int key = want[std::size_t(i - 1)].key;
        for (std::int64_t j = 1; j <= m; ++j) {
            const bool same = key == gotKeys[std::size_t(j - 1)];
            int best = previous[std::size_t(j - 1)] + (same ? 0 : 1);
            std::uint8_t move = same ? Match : Substitute;
            if (previous[std::size_t(j)] + 1 < best) {
                best = previous[std::size_t(j)] + 1;
                move = Drop;
            }
            if (current[std::size_t(j - 1)] + 1 < best) {
                best = current[std::size_t(j - 1)] + 1;
                move = Insert;
            }
            current[std::size_t(j)] = best;
            set(i, j, move);
        }
        std::swap(previous, current);
    }
    std::int64_t i = n, j = m;
    while (i > 0 || j > 0) {
        const std::uint8_t move = get(i, j);
        if (move == Match || move == Substitute) {
            const Word &w = want[std::size_t(i - 1)];
            out.words.push_back({move == Match ? WordMark::Right : WordMark::Wrong, w.aya, w.shown, gotShown.at(qsizetype(j - 1))});
            --i;
            --j;
        } else if (move == Drop) {
            const Word &w = want[std::size_t(i - 1)];
            out.words.push_back({WordMark::Missing, w.aya, w.shown, QString()});
            --i;
        } else {
            // An extra word belongs to the aya of the word before it.
            const int aya = i > 0 ? want[std::size_t(i - 1)].aya : 0;
            out.words.push_back({WordMark::Extra, aya, QString(), gotShown.at(qsizetype(j - 1))});
            --j;
        }
    }
    std::reverse(out.words.begin(), out.words.end());
    out.right = int(std::count_if(out.words.begin(), out.words.end(), [](const CheckedWord &w) { return w.mark == WordMark::Right; }));
    return out;
}

std::vector<int> recitalRows(const FoldedText &text, int start, RecitalEnd end, int endAya)
{
    std::vector<int> rows;
    if (start < 0 || start >= text.size())
        return rows;
    const ResultRecord &first = text.record(start);
    for (int k = start; k < text.size(); ++k) {
        const ResultRecord &r = text.record(k);
        if (end == RecitalEnd::PageEnd ? r.page != first.page : r.sura != first.sura)
            break;
        if (end == RecitalEnd::Aya && r.aya.toInt() > std::max(endAya, first.aya.toInt()))
            break;
        rows.push_back(k);
    }
    return rows;
}

} // namespace zarfan
