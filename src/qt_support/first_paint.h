#pragma once

class QWidget;

namespace kalverin {

// Ends the application's event loop, with exit code 0, once `window` has been painted for the
// first time: the paint under way, children included, is finished first. This is how the time
// from start to a usable window is measured.
void QuitAfterFirstPaint(QWidget* window);

}  // namespace kalverin
