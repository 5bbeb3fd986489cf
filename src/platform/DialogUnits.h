// Converts dialog-template units to pixels for a font, as the old dialog layouts were given.
#pragma once

#include <QRect>

class QFont;

class CDialogUnits
{
public:
    CDialogUnits() = default;
    // Horizontal units are a quarter of the font's average character width, vertical ones an
    // eighth of its height.
    explicit CDialogUnits(const QFont& font);

    QRect ToPixels(int x, int y, int cx, int cy) const;
    QRect ToPixels(const QRect& units) const
    {
        return ToPixels(units.x(), units.y(), units.width(), units.height());
    }

private:
    double m_dUnitX = 1.75;
    double m_dUnitY = 1.75;
};
