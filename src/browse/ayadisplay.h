#pragma once

#include <QString>

namespace zarfan {

class DataControl;
class ResultListing;

// What the main window shows for one selected result line.
struct AyaView {
    QString text;     // aya text, " [", the line, "]"
    qsizetype ayaLength = 0; // of the aya text at the start of text
    QString type;     // مكية or مدنية
    QString ayaCount; // ayas in the sura
    QString juz;
    QString page;

    // The text as the box shows it: the blanks inside the reference's
    // brackets made no-break, so the reference never wraps inside them. The
    // box gives them back as plain blanks when its text is read or copied.
    QString shownText() const;
};

enum class TafsirColumn { Jalalayn, Muyassar };
QString tafsirColumnName(TafsirColumn column);

// Fetches line k's record through the display's own data control, so showing
// an aya never moves the listing's current row.
AyaView displayLine(DataControl &display, const ResultListing &listing, int k, bool withoutDiacritics);

// The tafsir of the record on display; no new query.
QString tafsirText(const DataControl &display, TafsirColumn column);

} // namespace zarfan
