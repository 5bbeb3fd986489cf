// The main window's printing: its one printer (half-inch margins until Print Setup changes
// them), the Print dialog, printing without it, and the preview with its one- or two-page
// choice. Every failure is shown as a message naming the printer.
#pragma once

#include "PagePrinter.h"

#include <functional>
#include <memory>

class QWidget;
class QsciPrinter;
class QsciScintilla;

class CFramePrinting
{
public:
    // Completes the text's colouring; false when the user stopped it.
    using FinishColours = std::function<bool()>;

    // `pEditor` holds the text that every path prints; `finishColours` is asked first.
    CFramePrinting(QWidget* pParent, QsciScintilla* pEditor, FinishColours finishColours);
    ~CFramePrinting();

    QsciPrinter& Printer() const { return *m_pPrinter; }
    int PreviewPages() const { return m_nPreviewPages; }
    void SetPreviewPages(int nPages) { m_nPreviewPages = nPages; }

    void Print();
    bool PrintDirect();
    void Preview();

private:
    bool PrintOn(QsciPrinter& printer, const CPagePrinter::Progress& progress) const;
    // Pages are laid out with the text's styles, so its colouring must be complete.
    bool ColoursReady() const;

    QWidget* m_pParent;
    QsciScintilla* m_pEditor;
    FinishColours m_fnFinishColours;
    std::unique_ptr<QsciPrinter> m_pPrinter;
    int m_nPreviewPages = 0;
};
