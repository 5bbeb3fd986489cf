#include "PreviewPane.h"

#include <QPainter>

#include <algorithm>

CPreviewPane::CPreviewPane(QSize sheet, RenderPage render, QWidget* pParent)
    : QWidget(pParent), m_sheet(sheet), m_render(std::move(render))
{
    setBackgroundRole(QPalette::Dark);
    setAutoFillBackground(true);
}

void CPreviewPane::ShowPages(int nFirst, int nPages, int nCount)
{
    m_nFirst = nFirst;
    m_nPages = nPages;
    m_nCount = nCount;
    setFixedSize(ContentSize());
    update();
}

void CPreviewPane::SetScale(double scale)
{
    m_scale = std::clamp(scale, 0.05, 8.0);
    setFixedSize(ContentSize());
    update();
}

QSize CPreviewPane::ContentSize() const
{
    const int nWidth = static_cast<int>(m_sheet.width() * m_scale);
    const int nHeight = static_cast<int>(m_sheet.height() * m_scale);
    return QSize(m_nPages * nWidth + (m_nPages + 1) * kGap, nHeight + 2 * kGap);
}

double CPreviewPane::FitScale(QSize area, bool bWidthOnly) const
{
    if (m_sheet.isEmpty())
        return 1.0;
    const double byWidth =
        double(area.width() - (m_nPages + 1) * kGap) / (m_nPages * m_sheet.width());
    const double byHeight = double(area.height() - 2 * kGap) / m_sheet.height();
    return bWidthOnly ? byWidth : std::min(byWidth, byHeight);
}

const QImage& CPreviewPane::Page(int nPage)
{
    auto it = m_kept.find(nPage);
    if (it != m_kept.end())
        return it->second;
    // Keeps the pages nearest the one asked for: paging back and forth stays quick, memory small.
    while (m_kept.size() >= kKeptPages) {
        auto farthest =
            std::max_element(m_kept.begin(), m_kept.end(), [nPage](const auto& a, const auto& b) {
                return std::abs(a.first - nPage) < std::abs(b.first - nPage);
            });
        m_kept.erase(farthest);
    }
    return m_kept.emplace(nPage, m_render(nPage)).first->second;
}

void CPreviewPane::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSize size(static_cast<int>(m_sheet.width() * m_scale),
                     static_cast<int>(m_sheet.height() * m_scale));
    for (int i = 0; i < m_nPages && m_nFirst + i < m_nCount; ++i) {
        const QRect target(QPoint(kGap + i * (size.width() + kGap), kGap), size);
        painter.fillRect(target.translated(3, 3), Qt::black);
        painter.drawImage(target, Page(m_nFirst + i));
    }
}
