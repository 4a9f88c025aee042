#pragma once

#include <QString>

namespace zarfan {

// A search text naming a division of the mushaf by number, with or without
// the blank, in either kind of digits: "صفحة 40", "حزب 5", "ربع 17",
// "منزل 2", "جزء 3", or a range of one kind, "صفحة 40-42".
struct DivisionReference {
    enum class Kind { NotADivision, Valid, OutOfRange, Malformed };
    enum class Division { Page, Hizb, Quarter, Manzil, Juz };
    Kind kind = Kind::NotADivision;
    Division division = Division::Page;
    int from = 0, to = 0;

    // The statement listing the division's ayas in order, for a valid one.
    QString statement() const;
    // The message for an out-of-range number or a malformed one (a sign, a
    // range without its end).
    QString message() const;
};

DivisionReference parseDivisionReference(const QString &text);

// How many of each division the mushaf has.
int divisionCount(DivisionReference::Division division);

// The condition on Ayat that keeps the ayas of divisions from..to.
QString divisionCondition(DivisionReference::Division division, int from, int to);

class DataControl;

// "الحزب : 4    الربع : 3" for an aya, with "سجدة" on a sajda aya; read
// through the given control. Empty when the aya is not found.
QString divisionFacts(DataControl &control, int ayaId);

} // namespace zarfan
