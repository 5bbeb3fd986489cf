// Prints the pages of the editor's text one at a time, laid out exactly as QsciPrinter lays
// them out (page range, page order, copies), telling a progress callback after each page.
#pragma once

#include <functional>

class QPainter;
class QPrinter;
class QsciScintillaBase;

class CPagePrinter
{
public:
    // Told the offset reached and the text's length; false cancels the printing.
    using Progress = std::function<bool(long long nDone, long long nLength)>;

    CPagePrinter(QsciScintillaBase* pEditor, QPrinter& printer, QPainter& painter)
        : m_pEditor(pEditor), m_printer(printer), m_painter(painter)
    {
    }

    enum class EResult
    {
        Printed,
        Nothing,
        Failed,
        Cancelled
    };

    // `painter` must be active on `printer`.
    EResult Print(const Progress& progress);

private:
    EResult PrintCopy(const Progress& progress, bool& bNeedNewPage);
    bool StartPage(bool& bNeedNewPage);

    QsciScintillaBase* m_pEditor;
    QPrinter& m_printer;
    QPainter& m_painter;
};
