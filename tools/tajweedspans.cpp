#include "tajweedspans.h"

#include "browse/suratables.h"
#include "data/sqlite.h"
#include "reading/tajweed.h"

#include <sqlite3.h>

namespace zarfan::makedb {

QStringList tajweedHeader()
{
    return {QStringLiteral("sura"), QStringLiteral("aya"), QStringLiteral("start"), QStringLiteral("end"), QStringLiteral("rule")};
}

std::vector<StoredSpan> checkTajweed(const std::vector<TajweedRow> &rows, const std::vector<QString> &uthmaniById,
                                     const std::function<void(int line, const QString &what)> &fail)
{
    std::vector<int> firstId(SuraTables::kSuraCount + 2, 1);
    for (int s = 1; s <= SuraTables::kSuraCount; ++s)
        firstId[s + 1] = firstId[s] + SuraTables::ayaCount(s);
    std::vector<StoredSpan> spans;
    spans.reserve(rows.size());
    for (const TajweedRow &r : rows) {
        if (r.aya < 1 || r.aya > SuraTables::ayaCount(r.sura))
            fail(r.line, QStringLiteral("aya %1:%2 does not exist").arg(r.sura).arg(r.aya));
        const int id = firstId[r.sura] + r.aya - 1;
        // Code points: the Uthmani text lies wholly in the first plane.
        const qsizetype length = id <= int(uthmaniById.size()) ? uthmaniById[id - 1].size() : 0;
        if (r.start < 0 || r.end <= r.start || r.end > length)
            fail(r.line, QStringLiteral("span %1-%2 does not lie inside aya %3:%4 (%5 letters and marks)")
                             .arg(r.start).arg(r.end).arg(r.sura).arg(r.aya).arg(length));
        if (tajweedRuleIndex(r.rule) < 0)
            fail(r.line, QStringLiteral("rule \"%1\" is none of the %2 known").arg(r.rule.left(40)).arg(kTajweedRules));
        if (!spans.empty() && id < spans.back().ayaId)
            fail(r.line, QStringLiteral("aya %1:%2 after a later one: the spans go in the order of the ayas").arg(r.sura).arg(r.aya));
        spans.push_back({id, r.start, r.end, r.rule});
    }
    return spans;
}

bool writeTajweed(sqlite3 *db, const std::vector<StoredSpan> &spans)
{
    // One row an aya, its spans packed "start end rule" and joined by ';':
    // read whole when the colours are turned on, a tenth of the rows to step.
    if (sqlite3_exec(db, "CREATE TABLE Tajweed (ayaId INTEGER PRIMARY KEY, spans TEXT NOT NULL);", nullptr, nullptr, nullptr)
        != SQLITE_OK)
        return false;
    sql::Statement insert(db, "INSERT INTO Tajweed VALUES (?,?);");
    for (std::size_t i = 0; i < spans.size();) {
        const int aya = spans[i].ayaId;
        QStringList packed;
        for (; i < spans.size() && spans[i].ayaId == aya; ++i)
            packed.append(QStringLiteral("%1 %2 %3").arg(spans[i].start).arg(spans[i].end).arg(spans[i].rule));
        insert.bind(1, qint64(aya));
        insert.bind(2, packed.join(u';'));
        if (!insert.execute())
            return false;
        insert.reset();
    }
    return true;
}

} // namespace zarfan::makedb
