#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace zarfan {

class DataControl;

// Builds the compose window's text from the database, one query per chosen
// aya or one for the whole sura. `yield` runs between rows; it returns false
// when the build should stop (the window went away).
class Composer {
public:
    using Yield = std::function<bool()>;
    // What follows an aya (its translation), by aya ID; empty for nothing.
    // With it each aya stands on a line of its own.
    using After = std::function<QString(int)>;

    static QString sura(DataControl &control, qint16 sura, bool withoutDiacritics, const Yield &yield = {},
                        const After &after = {});
    static QString chosen(DataControl &control, const QStringList &ids, const QStringList &lines,
                          bool withoutDiacritics, const Yield &yield = {}, const After &after = {});
    static QString textColumn(bool withoutDiacritics);
};

} // namespace zarfan
