#include "PageRenderer.h"

#include <Qsci/qsciscintilla.h>

#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace {

using Sci = QsciScintillaBase;

constexpr double kInchesPerMetre = 1 / 0.0254;

}  // namespace

CPageRenderer::CPageRenderer(QsciScintillaBase* pEditor, const QPrinter& printer)
    : m_pEditor(pEditor), m_nDpi(printer.resolution())
{
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const QRectF page = printer.pageRect(QPrinter::DevicePixel);
    m_sheet = paper.size().toSize();
    m_origin = (page.topLeft() - paper.topLeft()).toPoint();
    // As the printer's own loop does: the printable area from its corner.
    m_area = QRect(0, 0, printer.width(), printer.height());
    m_scratch = BlankImage(QSize(1, 1));
    m_pEditor->SendScintilla(Sci::SCI_SETPRINTMAGNIFICATION, 0UL, 0L);
    m_pEditor->SendScintilla(Sci::SCI_SETPRINTWRAPMODE,
                             static_cast<unsigned long>(Sci::SC_WRAP_WORD));
}

QImage CPageRenderer::BlankImage(const QSize& size) const
{
    QImage image(size, QImage::Format_RGB32);
    // Fonts are sized for the printer's resolution, so lines break where the printer breaks them.
    const int nDotsPerMetre = static_cast<int>(std::lround(m_nDpi * kInchesPerMetre));
    image.setDotsPerMeterX(nDotsPerMetre);
    image.setDotsPerMeterY(nDotsPerMetre);
    image.fill(Qt::white);
    return image;
}

long long CPageRenderer::TextLength() const
{
    return m_pEditor->SendScintilla(Sci::SCI_GETLENGTH);
}

long long CPageRenderer::Format(QPainter& painter, bool bRender, long long from, long long to) const
{
    return m_pEditor->SendScintilla(Sci::SCI_FORMATRANGE, bRender ? 1UL : 0UL, &painter, m_area,
                                    static_cast<long>(from), static_cast<long>(to));
}

long long CPageRenderer::Measure(long long from)
{
    QPainter painter(&m_scratch);
    return Format(painter, false, from, TextLength());
}

long long CPageRenderer::MeasureOn(QPainter& painter, long long from) const
{
    return Format(painter, false, from, TextLength());
}

long long CPageRenderer::Draw(QPainter& painter, long long from, long long to) const
{
    return Format(painter, true, from, to);
}

QImage CPageRenderer::Render(long long from, long long to) const
{
    QImage image = BlankImage(m_sheet);
    QPainter painter(&image);
    painter.translate(m_origin);
    Draw(painter, from, to);
    return image;
}
