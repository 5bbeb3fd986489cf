#include "PagePrinter.h"

#include "PageRenderer.h"

#include <QPrinter>

#include <utility>
#include <vector>

CPagePrinter::EResult CPagePrinter::Print(const Progress& progress)
{
    if (CPageRenderer(m_pEditor, m_printer).TextLength() <= 0)
        return EResult::Nothing;
    // Where the print system makes the copies, one is sent.
    const int nCopies = m_printer.supportsMultipleCopies() ? 1 : m_printer.copyCount();
    bool bNeedNewPage = false;
    for (int i = 0; i < nCopies; ++i) {
        const EResult eResult = PrintCopy(progress, bNeedNewPage);
        if (eResult != EResult::Printed)
            return eResult;
    }
    return EResult::Printed;
}

bool CPagePrinter::StartPage(bool& bNeedNewPage)
{
    if (bNeedNewPage)
        return m_printer.newPage();
    bNeedNewPage = true;
    return true;
}

CPagePrinter::EResult CPagePrinter::PrintCopy(const Progress& progress, bool& bNeedNewPage)
{
    const CPageRenderer renderer(m_pEditor, m_printer);
    const long long nLength = renderer.TextLength();
    const int nFromPage = m_printer.fromPage();
    const int nToPage = m_printer.toPage();
    const bool bReverse = m_printer.pageOrder() == QPrinter::LastPageFirst;
    std::vector<std::pair<long long, long long>> reversePages;
    long long nPos = 0;
    for (int nPage = 1; nPos < nLength && !(nToPage > 0 && nToPage < nPage); ++nPage) {
        const bool bWanted = nFromPage == 0 || nFromPage <= nPage;
        const bool bDrawNow = bWanted && !bReverse;
        if (bDrawNow && !StartPage(bNeedNewPage))
            return EResult::Failed;
        const long long nNext = bDrawNow ? renderer.Draw(m_painter, nPos, nLength)
                                         : renderer.MeasureOn(m_painter, nPos);
        if (bWanted && bReverse)
            reversePages.emplace_back(nPos, nNext);
        if (nNext <= nPos)
            break;  // a page that takes nothing would repeat for ever
        nPos = nNext;
        if (progress && !progress(bReverse ? nPos / 2 : nPos, nLength))
            return EResult::Cancelled;
    }
    for (auto it = reversePages.rbegin(); it != reversePages.rend(); ++it) {
        if (!StartPage(bNeedNewPage))
            return EResult::Failed;
        renderer.Draw(m_painter, it->first, it->second);
        if (progress && !progress(nLength - it->first / 2, nLength))
            return EResult::Cancelled;
    }
    return EResult::Printed;
}
