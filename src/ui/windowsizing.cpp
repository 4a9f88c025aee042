#include "windowsizing.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QWidget>
#include <QtMath>
#include <algorithm>

namespace zarfan {

void resizeToDesign(QWidget *window, QSize design)
{
    // Tahoma 8.25 pt at 96 dpi: characters 5 pixels wide on average, lines
    // 13 pixels high.
    const QFontMetricsF metrics(window->font());
    double scale = std::max(metrics.averageCharWidth() / 5.0, metrics.height() / 13.0);
    const QSize needed = window->minimumSizeHint();
    scale = std::max({scale, needed.width() / double(design.width()), needed.height() / double(design.height())});
    window->resize(qCeil(design.width() * scale), qCeil(design.height() * scale));
}

void centreWindow(QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    window->move(area.x() + int(area.width() / 2.0 - window->width() / 2.0),
                 area.y() + int(area.height() / 2.0 - window->height() / 2.0));
}

namespace {
// The width a menu bar needs to show every menu; its own size hint counts only
// the menus that fit.
int fullMenuBarWidth(const QMenuBar *bar)
{
    const QStyle *style = bar->style();
    const int spacing = style->pixelMetric(QStyle::PM_MenuBarItemSpacing, nullptr, bar);
    int width = 2 * (style->pixelMetric(QStyle::PM_MenuBarPanelWidth, nullptr, bar)
                     + style->pixelMetric(QStyle::PM_MenuBarHMargin, nullptr, bar)) + spacing;
    for (QAction *action : bar->actions()) {
        if (!action->isVisible() || action->isSeparator())
            continue;
        QStyleOptionMenuItem option;
        option.initFrom(bar);
        option.menuItemType = QStyleOptionMenuItem::Normal;
        option.text = action->text();
        const QSize text(bar->fontMetrics().size(Qt::TextShowMnemonic, action->text()));
        width += style->sizeFromContents(QStyle::CT_MenuBarItem, &option, text, bar).width() + spacing;
    }
    return width;
}

// A window of the design's width would hide its last menus behind the bar's
// overflow button: it opens wide enough to show them all, as the screen allows.
void widenForMenus(QWidget *window)
{
    auto *main = qobject_cast<QMainWindow *>(window);
    const auto *bar = main ? qobject_cast<const QMenuBar *>(main->menuWidget()) : nullptr;
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!bar || !screen)
        return;
    const int wanted = std::min(fullMenuBarWidth(bar), screen->availableGeometry().width());
    if (wanted > window->width())
        window->resize(wanted, window->height());
}

class CentreOnFirstShow : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            auto *window = static_cast<QWidget *>(watched);
            if (window->layout())
                window->layout()->activate();
            widenForMenus(window);
            centreWindow(window);
            deleteLater();
            window->removeEventFilter(this);
        }
        return false;
    }
};
} // namespace

void centreWhenShown(QWidget *window)
{
    centreWindow(window);
    window->installEventFilter(new CentreOnFirstShow(window));
}

} // namespace zarfan
