#pragma once

#include <QString>
#include <QStringList>

namespace zarfan {

// The fixed tables of the 114 suras. Every window takes its names from here.
struct SuraTables {
    static constexpr int kSuraCount = 114;
    static constexpr int kAyaTotal = 6236;
    static constexpr int kJuzCount = 30;

    // The name as result lines show it, marks and tatweel included.
    static QString name(int sura);
    // A listing line's reference: the name, " : ", the aya as given.
    static QString reference(int sura, const QString &aya);
    static QString reference(int sura, int aya) { return reference(sura, QString::number(aya)); }
    // The name as the combo boxes list it: suras 73, 74, 104 without marks.
    static QString unmarkedName(int sura);
    static QString type(int sura);
    static int ayaCount(int sura);
    // Sura number text as the lists and tables carry it, read as a number and
    // rounded; 0 when it names no sura.
    static int numberFromText(const QString &text);
    // The combo boxes' name list, suras 73, 74, 104 without marks.
    static QStringList unmarkedNames();
};

} // namespace zarfan
