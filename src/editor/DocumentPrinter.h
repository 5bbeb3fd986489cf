// Prints the document's text, with its colours and half-inch margins, whichever pane is active.
#pragma once

class QsciPrinter;
class QsciScintillaBase;

class CDocumentPrinter
{
public:
    static constexpr double kMarginMillimetres = 12.7;  // half an inch

    explicit CDocumentPrinter(QsciScintillaBase* pEditor) : m_pEditor(pEditor) {}

    // Gives `printer` the half-inch margins and word wrapping the text is printed with.
    static void PrepareLayout(QsciPrinter& printer);
    // Prints the whole text on `printer`; false when the printer could not be started.
    bool PrintTo(QsciPrinter& printer) const;

private:
    QsciScintillaBase* m_pEditor;
};
