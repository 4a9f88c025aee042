#include "windowplacekeeper.h"

#include "state/readingstate.h"
#include "ui/windowplaces.h"

#include <QWidget>

namespace zarfan {

bool WindowPlaceKeeper::restorePlace(QWidget *window, const QString &key) const
{
    if (!state_.userStore())
        return false;
    const std::optional<QRect> place = fittingPlace(state_.userStore()->value(key), availableScreenAreas());
    if (!place)
        return false;
    window->resize(place->size());
    window->move(place->topLeft());
    return true;
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
    if (const std::optional<QSize> size = fittingSize(state_.userStore()->value(key), availableScreenAreas()))
        window->resize(*size);
}

void WindowPlaceKeeper::saveSize(const QWidget *window, const QString &key) const
{
    if (window && state_.userStore())
        state_.userStore()->setValue(key, sizeText(window->size()));
}

} // namespace zarfan
