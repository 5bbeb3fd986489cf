#include "DialogUnits.h"

#include <QFontMetricsF>
#include <QtMath>

CDialogUnits::CDialogUnits(const QFont& font)
{
    const QFontMetricsF metrics(font);
    m_dUnitX = qMax(1.5, metrics.horizontalAdvance(
                             QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"))
                             / 52.0 / 4.0);
    m_dUnitY = qMax(1.5, metrics.height() / 8.0);
}

QRect CDialogUnits::ToPixels(int x, int y, int cx, int cy) const
{
    return QRect(qRound(x * m_dUnitX), qRound(y * m_dUnitY), qRound(cx * m_dUnitX),
                 qRound(cy * m_dUnitY));
}
