// The sheets of a print preview: one or two side by side, drawn at a scale, rendered only when
// shown and a few kept.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
#include <map>

class CPreviewPane : public QWidget
{
    Q_OBJECT
public:
    // Renders page `nPage` (from 0) as a whole sheet.
    using RenderPage = std::function<QImage(int nPage)>;

    CPreviewPane(QSize sheet, RenderPage render, QWidget* pParent = nullptr);

    // Shows `nPages` (1 or 2) sheets from `nFirst`, of which `nCount` exist.
    void ShowPages(int nFirst, int nPages, int nCount);
    void SetScale(double scale);
    double Scale() const { return m_scale; }
    // The scale at which the shown sheets fill `area` (fit page), or its width only.
    double FitScale(QSize area, bool bWidthOnly) const;
    int FirstPage() const { return m_nFirst; }

protected:
    void paintEvent(QPaintEvent* pEvent) override;

private:
    QSize ContentSize() const;
    const QImage& Page(int nPage);

    static constexpr int kGap = 12;
    static constexpr std::size_t kKeptPages = 6;

    QSize m_sheet;
    RenderPage m_render;
    std::map<int, QImage> m_kept;
    int m_nFirst = 0;
    int m_nPages = 1;
    int m_nCount = 0;
    double m_scale = 0.5;
};
