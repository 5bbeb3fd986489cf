#include "ScreenFit.h"

#include <algorithm>

QRect FitToScreen(const QRect& window, const QRect& available)
{
    const int nWidth = std::min(window.width(), available.width());
    const int nHeight = std::min(window.height(), available.height());
    const int nX =
        std::clamp(window.x(), available.x(), available.x() + available.width() - nWidth);
    const int nY =
        std::clamp(window.y(), available.y(), available.y() + available.height() - nHeight);
    return QRect(nX, nY, nWidth, nHeight);
}
