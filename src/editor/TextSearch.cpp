#include "TextSearch.h"

#include "PasteFormats.h"

#include <Qsci/qsciscintilla.h>

#include <QByteArray>

namespace {

using Sci = QsciScintillaBase;

}  // namespace

QByteArray CTextSearch::EditorBytes(const QString& strText) const
{
    QByteArray bytes;
    CPasteFormats::ToDocumentBytes(strText, m_editor.isUtf8(), bytes);
    return bytes;
}

bool CTextSearch::FindFits() const
{
    QByteArray bytes;
    return CPasteFormats::ToDocumentBytes(m_search.strFind, m_editor.isUtf8(), bytes);
}

bool CTextSearch::ReplacementFits() const
{
    QByteArray bytes;
    return CPasteFormats::ToDocumentBytes(m_search.strReplace, m_editor.isUtf8(), bytes);
}

long CTextSearch::Send(unsigned int nMsg, unsigned long wParam, long lParam) const
{
    return m_editor.SendScintilla(nMsg, wParam, lParam);
}

long CTextSearch::SearchRange(long nFrom, long nTo)
{
    const QByteArray find = EditorBytes(m_search.strFind);
    const int nFlags = (m_search.bMatchCase ? Sci::SCFIND_MATCHCASE : 0)
                       | (m_search.bWholeWord ? Sci::SCFIND_WHOLEWORD : 0);
    Send(Sci::SCI_SETSEARCHFLAGS, static_cast<unsigned long>(nFlags));
    Send(Sci::SCI_SETTARGETSTART, static_cast<unsigned long>(nFrom));
    Send(Sci::SCI_SETTARGETEND, static_cast<unsigned long>(nTo));
    return m_editor.SendScintilla(Sci::SCI_SEARCHINTARGET, static_cast<unsigned long>(find.size()),
                                  find.constData());
}

CTextSearch::EFound CTextSearch::FindNext()
{
    const long nStart = Send(Sci::SCI_GETSELECTIONSTART);
    const long nEnd = Send(Sci::SCI_GETSELECTIONEND);
    const long nLength = Send(Sci::SCI_GETLENGTH);
    EFound eFound = EFound::Yes;
    long nFound = m_search.bDown ? SearchRange(nEnd, nLength) : SearchRange(nStart, 0);
    if (nFound < 0) {
        // The rest of the text, up to where this search began: a match there may overlap the
        // selection but is never the selection itself.
        eFound = EFound::AfterWrapping;
        nFound = m_search.bDown ? SearchRange(0, nEnd) : SearchRange(nLength, nStart);
        if (nFound >= 0 && nFound == nStart && Send(Sci::SCI_GETTARGETEND) == nEnd)
            nFound = -1;
    }
    if (nFound < 0)
        return EFound::No;
    Send(Sci::SCI_SETSEL, static_cast<unsigned long>(nFound), Send(Sci::SCI_GETTARGETEND));
    return eFound;
}

bool CTextSearch::SelectionIsMatch()
{
    const long nStart = Send(Sci::SCI_GETSELECTIONSTART);
    const long nEnd = Send(Sci::SCI_GETSELECTIONEND);
    return nStart < nEnd && SearchRange(nStart, nEnd) == nStart
           && Send(Sci::SCI_GETTARGETEND) == nEnd;
}

void CTextSearch::ReplaceSelection()
{
    const long nStart = Send(Sci::SCI_GETSELECTIONSTART);
    m_editor.replaceSelectedText(m_search.strReplace);
    const long nEnd = nStart + EditorBytes(m_search.strReplace).size();
    Send(Sci::SCI_SETSEL, static_cast<unsigned long>(nStart), nEnd);
}

int CTextSearch::ReplaceAll()
{
    const QByteArray replacement = EditorBytes(m_search.strReplace);
    int nCount = 0;
    long nPos = 0;
    m_editor.beginUndoAction();
    for (;;) {
        if (SearchRange(nPos, Send(Sci::SCI_GETLENGTH)) < 0)
            break;
        m_editor.SendScintilla(Sci::SCI_REPLACETARGET,
                               static_cast<unsigned long>(replacement.size()),
                               replacement.constData());
        // Go on after the replacement, which may itself contain the text searched for.
        nPos = Send(Sci::SCI_GETTARGETEND);
        ++nCount;
    }
    m_editor.endUndoAction();
    if (nCount > 0)
        Send(Sci::SCI_SETSEL, static_cast<unsigned long>(nPos), nPos);
    return nCount;
}
