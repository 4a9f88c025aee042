#include "readingview.h"

#include "data/userstore.h"
#include "mushafpage.h"

#include <algorithm>
#include <cmath>

namespace zarfan {

int Zoom::clamp(int percent) { return std::clamp(percent, kMin, kMax); }

int Zoom::step(int percent, int direction)
{
    // Back on the grid of steps first: a stored odd value moves to its neighbour.
    const int below = clamp(percent) / kStep * kStep;
    if (direction > 0)
        return clamp(below + kStep);
    return clamp(below == percent ? below - kStep : below);
}

QFont Zoom::apply(QFont base, int percent)
{
    const qreal size = base.pointSizeF() > 0 ? base.pointSizeF() : 9.0;
    base.setPointSizeF(std::max<qreal>(1.0, size * clamp(percent) / 100.0));
    return base;
}

namespace {
double channel(double c)
{
    c /= 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double luminance(const QColor &c)
{
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}
} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette themePalette(Theme theme, const QPalette &system)
{
    if (theme == Theme::Light)
        return system;
    struct Colours {
        QColor window, base, alternate, text, button, highlight, highlightedText, link, disabled;
    };
    const Colours c = theme == Theme::Paper
        ? Colours{QColor(0xF3, 0xE9, 0xD2), QColor(0xFB, 0xF4, 0xE4), QColor(0xF5, 0xEC, 0xD7), QColor(0x3E, 0x27, 0x14),
                  QColor(0xEC, 0xDF, 0xC2), QColor(0x8B, 0x5A, 0x2B), QColor(0xFF, 0xFB, 0xF2), QColor(0x7A, 0x3E, 0x0B),
                  QColor(0x8C, 0x7A, 0x66)}
        : Colours{QColor(0x20, 0x22, 0x25), QColor(0x17, 0x18, 0x1A), QColor(0x24, 0x26, 0x29), QColor(0xE8, 0xE6, 0xE3),
                  QColor(0x2C, 0x2F, 0x33), QColor(0x8A, 0xB4, 0xF8), QColor(0x10, 0x12, 0x14), QColor(0x8A, 0xB4, 0xF8),
                  QColor(0x8E, 0x8E, 0x8E)};
    QPalette p(system);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        const bool off = group == QPalette::Disabled;
        p.setColor(group, QPalette::Window, c.window);
        p.setColor(group, QPalette::Base, c.base);
        p.setColor(group, QPalette::AlternateBase, c.alternate);
        p.setColor(group, QPalette::ToolTipBase, c.base);
        p.setColor(group, QPalette::Button, c.button);
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
            p.setColor(group, role, off ? c.disabled : c.text);
        p.setColor(group, QPalette::PlaceholderText, c.disabled);
        p.setColor(group, QPalette::BrightText, c.highlightedText);
        p.setColor(group, QPalette::Highlight, c.highlight);
        p.setColor(group, QPalette::HighlightedText, c.highlightedText);
        p.setColor(group, QPalette::Link, c.link);
        p.setColor(group, QPalette::Light, c.button.lighter(130));
        p.setColor(group, QPalette::Midlight, c.button.lighter(115));
        p.setColor(group, QPalette::Mid, c.button.darker(130));
        p.setColor(group, QPalette::Dark, c.button.darker(160));
        p.setColor(group, QPalette::Shadow, c.button.darker(250));
    }
    return p;
}

QString themeKey(Theme theme)
{
    switch (theme) {
    case Theme::Paper:
        return QStringLiteral("paper");
    case Theme::Dark:
        return QStringLiteral("dark");
    case Theme::Light:
        break;
    }
    return QStringLiteral("light");
}

Theme themeFromKey(const QByteArray &key)
{
    return key == "paper" ? Theme::Paper : key == "dark" ? Theme::Dark : Theme::Light;
}

ReadingPlace ReadingPlace::load(UserStore *store)
{
    ReadingPlace place;
    if (!store)
        return place;
    place.page = clampPage(store->value(QStringLiteral("reading.page")).toInt());
    place.aya = std::clamp(store->value(QStringLiteral("reading.aya")).toInt(), 0, 6236);
    place.uthmani = store->value(QStringLiteral("reading.script")) == "uthmani";
    place.continuous = store->value(QStringLiteral("reading.view")) == "continuous";
    return place;
}

void ReadingPlace::save(UserStore *store) const
{
    if (!store)
        return;
    store->setValue(QStringLiteral("reading.page"), QByteArray::number(page));
    store->setValue(QStringLiteral("reading.aya"), QByteArray::number(aya));
    store->setValue(QStringLiteral("reading.script"), uthmani ? "uthmani" : "imlaei");
    store->setValue(QStringLiteral("reading.view"), continuous ? "continuous" : "mushaf");
}

} // namespace zarfan
