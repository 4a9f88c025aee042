#pragma once

class QProgressBar;

namespace zarfan {

// Fusion draws a right-to-left bar's text in the highlighted-text colour on
// the empty part and the text colour on the filled one, so "n من 604" is
// white on white. This gives the bar a style that draws the text in the
// colour of what lies under it, filled from the right.
void keepProgressTextVisible(QProgressBar *bar);

} // namespace zarfan
