#pragma once

#include <QString>

namespace zarfan {

// A search text that holds a digit names ayas by number: "2:255", "٢:٢٥٥",
// "2/255", "2:255-257", "2", "البقرة 255", "سورة البقرة: 255-257".
struct AyaReference {
    enum class Kind { NotAReference, Valid, Malformed, SuraOutOfRange, AyaOutOfRange };
    Kind kind = Kind::NotAReference;
    int sura = 0, from = 0, to = 0;
    // The statement for a valid reference, built from the parsed numbers.
    QString statement() const;
    // What the user is told when it is not valid.
    QString message() const;
};

bool holdsDigit(const QString &text);
AyaReference parseAyaReference(const QString &text);

// The sura a typed name stands for (folded; with or without its article and a
// leading "سورة"), or 0.
int suraByName(const QString &typed);

// "سورة البقرة", with no number: the whole sura it names, or 0.
int suraNamedAlone(const QString &typed);

} // namespace zarfan
