#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>

namespace zarfan {

class UserStore;

// Text size as a percentage of the chosen size, in steps of ten.
struct Zoom {
    static constexpr int kMin = 50;
    static constexpr int kMax = 300;
    static constexpr int kStep = 10;
    static constexpr int kNormal = 100;
    // The next step up (+1) or down (-1), kept inside the range.
    static int step(int percent, int direction);
    static int clamp(int percent);
    static QFont apply(QFont base, int percent);
};

enum class Theme { Light, Paper, Dark };

// The palette of a theme; Light is the system's own.
QPalette themePalette(Theme theme, const QPalette &system);
// WCAG contrast ratio of two colours, 1 to 21.
double contrastRatio(const QColor &a, const QColor &b);
QString themeKey(Theme theme);
Theme themeFromKey(const QByteArray &key);

// Where the reader stopped and how the page was shown, kept in the user store.
struct ReadingPlace {
    int page = 1;
    int aya = 0; // record ID of the current aya, 0 for none
    bool uthmani = false;
    bool continuous = false; // "نص متصل" rather than the printed page

    static ReadingPlace load(UserStore *store);
    void save(UserStore *store) const;
};

} // namespace zarfan
