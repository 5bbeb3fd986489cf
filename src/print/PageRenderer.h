// Lays out and draws printed pages of the editor's text one at a time, as the printer would.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>

class QPainter;
class QPrinter;
class QsciScintillaBase;

class CPageRenderer
{
public:
    // Takes the printer's sheet, margins and resolution as they are now.
    CPageRenderer(QsciScintillaBase* pEditor, const QPrinter& printer);

    // The offset just after the last byte that fits on a page starting at `from`.
    long long Measure(long long from);
    // The same, laid out on `painter`'s own device.
    long long MeasureOn(QPainter& painter, long long from) const;
    // The whole sheet, white, with the text of [from, to) inside the margins.
    QImage Render(long long from, long long to) const;
    // Draws [from, to) on `painter`, whose origin is the printable area's corner; the offset
    // after the last byte drawn.
    long long Draw(QPainter& painter, long long from, long long to) const;

    QSize SheetSize() const { return m_sheet; }
    long long TextLength() const;

private:
    long long Format(QPainter& painter, bool bRender, long long from, long long to) const;
    QImage BlankImage(const QSize& size) const;

    QsciScintillaBase* m_pEditor;
    QSize m_sheet;    // the paper, in printer pixels
    QPoint m_origin;  // the printable area's corner on the paper
    QRect m_area;     // the printable area, from its own corner
    int m_nDpi;
    QImage m_scratch;  // the device layout is measured on
};
