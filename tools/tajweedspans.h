#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct sqlite3;

namespace zarfan::makedb {

// One row of tajweed.tsv, its numbers read.
struct TajweedRow {
    int sura = 0, aya = 0, start = 0, end = 0;
    QString rule;
    int line = 0;
};

struct StoredSpan {
    int ayaId, start, end;
    QString rule;
};

QStringList tajweedHeader();

// The spans checked against the Uthmani texts (by aya ID, from 1): each
// inside its aya and of a known rule, in the file's order (by aya). A fault goes to
// fail with its line, which does not return.
std::vector<StoredSpan> checkTajweed(const std::vector<TajweedRow> &rows, const std::vector<QString> &uthmaniById,
                                     const std::function<void(int line, const QString &what)> &fail);

// Creates the table and stores the spans; false with the engine's message
// left in the handle.
bool writeTajweed(sqlite3 *db, const std::vector<StoredSpan> &spans);

} // namespace zarfan::makedb
