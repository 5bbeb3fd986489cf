#include "LineNumberMargin.h"

#include <Qsci/qsciscintillabase.h>

#include <QByteArray>
#include <QColor>

namespace {

using Sci = QsciScintillaBase;

constexpr int kMargin = 0;
constexpr int kPadding = 8;

int DigitsOf(long long n)
{
    int nDigits = 1;
    for (; n >= 10; n /= 10)
        ++nDigits;
    return nDigits;
}

}  // namespace

CLineNumberMargin::CLineNumberMargin(QsciScintillaBase& editor) : QObject(&editor), m_editor(editor)
{
    m_editor.SendScintilla(Sci::SCI_SETMARGINTYPEN, kMargin,
                           static_cast<long>(Sci::SC_MARGIN_NUMBER));
    // Content updates come after every change, whatever notifications the text's changes send.
    connect(&editor, &QsciScintillaBase::SCN_UPDATEUI, this, [this] { Fit(); });
    connect(&editor, &QsciScintillaBase::SCN_ZOOM, this, [this] { Fit(); });
}

void CLineNumberMargin::Show(bool bShown)
{
    // Set here: the editor's look, set after this is made, clears every style.
    m_editor.SendScintilla(Sci::SCI_STYLESETBACK, Sci::STYLE_LINENUMBER, QColor(240, 240, 240));
    m_editor.SendScintilla(Sci::SCI_STYLESETFORE, Sci::STYLE_LINENUMBER, QColor(110, 110, 110));
    m_bShown = bShown;
    m_nDigits = 0;
    Fit();
}

int CLineNumberMargin::NeededWidth() const
{
    const long long nLines = m_editor.SendScintilla(Sci::SCI_GETLINECOUNT);
    // At least three digits, so the first lines typed do not make the text jump sideways.
    const QByteArray sample(std::max(DigitsOf(nLines), 3), '9');
    const long nWidth = m_editor.SendScintilla(
        Sci::SCI_TEXTWIDTH, static_cast<unsigned long>(Sci::STYLE_LINENUMBER), sample.constData());
    return static_cast<int>(nWidth) + kPadding;
}

void CLineNumberMargin::Fit()
{
    if (!m_bShown) {
        if (m_editor.SendScintilla(Sci::SCI_GETMARGINWIDTHN, kMargin) != 0)
            m_editor.SendScintilla(Sci::SCI_SETMARGINWIDTHN, kMargin, 0L);
        return;
    }
    const int nDigits = DigitsOf(m_editor.SendScintilla(Sci::SCI_GETLINECOUNT));
    const int nZoom = static_cast<int>(m_editor.SendScintilla(Sci::SCI_GETZOOM));
    if (nDigits == m_nDigits && nZoom == m_nZoom)
        return;
    m_nDigits = nDigits;
    m_nZoom = nZoom;
    m_editor.SendScintilla(Sci::SCI_SETMARGINWIDTHN, kMargin, static_cast<long>(NeededWidth()));
}
