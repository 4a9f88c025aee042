#include "windowplacekeeper.h"

#include "browse/readingstate.h"
#include "data/windowplaces.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zarfan {

bool WindowPlaceKeeper::restorePlace(QWidget *window, const QString &key) const
{
    if (!state_.userStore())
        return false;
    const std::optional<QRect> place = parsePlace(state_.userStore()->value(key));
    if (!place)
        return false;
    window->resize(place->size());
    // Only on a screen that is still there.
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().contains(place->center())) {
            window->move(place->topLeft());
            return true;
        }
    }
    return false;
}

void WindowPlaceKeeper::savePlace(const QWidget *window, const QString &key) const
{
    if (state_.userStore())
        state_.userStore()->setValue(key, placeText(QRect(window->pos(), window->size())));
}

void WindowPlaceKeeper::restoreSize(QWidget *window, const QString &key) const
{
    if (!state_.userStore())
        return;
    if (const std::optional<QSize> size = parseSize(state_.userStore()->value(key)))
        window->resize(*size);
}

void WindowPlaceKeeper::saveSize(const QWidget *window, const QString &key) const
{
    if (window && state_.userStore())
        state_.userStore()->setValue(key, sizeText(window->size()));
}

} // namespace zarfan
