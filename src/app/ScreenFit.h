// Where a window goes so that it lies on the screen.
#pragma once

#include <QRect>

// `window` shrunk to at most `available`'s size and moved the least distance that puts it
// inside `available`.
QRect FitToScreen(const QRect& window, const QRect& available);
