#pragma once

#include <QSize>

class QWidget;

namespace zarfan {

// Sizes a window as drawn in its design (pixels at Tahoma 8.25 pt, the face
// it was drawn with), scaled in both directions alike by the substituted
// face's metrics, and further if its texts would be clipped.
void resizeToDesign(QWidget *window, QSize design);

// Centres a window on its screen: left = half the screen width minus half the
// window width, top likewise.
void centreWindow(QWidget *window);

// Centres the window when it is first shown, once its layout has settled on
// its final size.
void centreWhenShown(QWidget *window);

} // namespace zarfan
