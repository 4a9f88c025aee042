#pragma once

#include <QString>
#include <QStringList>

namespace zarfan {

// A topic reference line turned into aya numbers: the first ten items, single
// numbers first in their order, then every range's numbers ascending.
struct ResolvedReference {
    QStringList numbers; // List3
    QString joined;      // Text1: numbers joined with ","
};

// Malformed items are dropped: a non-numeric single item, a range with a
// non-numeric bound, a range running downward. No range yields more numbers
// than the sura has ayas.
ResolvedReference resolveReference(const QString &reference, int ayaLimit = 286);

// SELECT for the numbers of one sura; empty when there is nothing to ask.
QString referenceQuery(const ResolvedReference &resolved, const QString &sura);

// The line the topic window shows: name " : (" items with blanks ")".
QString referenceLine(const QString &suraName, const QString &reference);

} // namespace zarfan
