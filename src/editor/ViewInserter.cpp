#include "ViewInserter.h"

#include "DocumentCodec.h"
#include "FileCodec.h"
#include "EditorPane.h"
#include "MessageBox.h"
#include "PasteFormats.h"
#include "StatusNote.h"
#include "TarnelDoc.h"
#include "ColourPolicy.h"
#include "ViewLoader.h"

#include <Qsci/qsciscintilla.h>

namespace {

using Sci = QsciScintillaBase;

const char kComment[] = "<!-- -->";

}  // namespace

CViewInserter::CViewInserter(IEditorPane& pane, CColourPolicy& colorizer)
    : m_pane(pane), m_editor(pane.Control()), m_colorizer(colorizer)
{
}

long long CViewInserter::Send(unsigned int nMsg, long long wParam, long long lParam) const
{
    return m_editor.SendScintilla(nMsg, static_cast<unsigned long>(wParam),
                                  static_cast<long>(lParam));
}

void CViewInserter::ToMainStreamSelection()
{
    const long long nMode = Send(Sci::SCI_GETSELECTIONMODE);
    const bool bRectangle = nMode == Sci::SC_SEL_RECTANGLE || nMode == Sci::SC_SEL_THIN;
    if (!bRectangle && Send(Sci::SCI_GETSELECTIONS) < 2)
        return;
    if (bRectangle) {
        Send(Sci::SCI_SETSEL, Send(Sci::SCI_GETRECTANGULARSELECTIONANCHOR),
             Send(Sci::SCI_GETRECTANGULARSELECTIONCARET));
        return;
    }
    const long long nMain = Send(Sci::SCI_GETMAINSELECTION);
    Send(Sci::SCI_SETSEL, Send(Sci::SCI_GETSELECTIONNANCHOR, nMain),
         Send(Sci::SCI_GETSELECTIONNCARET, nMain));
}

QByteArray CViewInserter::SelectedBytes() const
{
    const long long nStart = Send(Sci::SCI_GETSELECTIONSTART);
    const long long nEnd = Send(Sci::SCI_GETSELECTIONEND);
    QByteArray bytes(static_cast<qsizetype>(nEnd - nStart + 1), Qt::Uninitialized);
    m_editor.SendScintilla(Sci::SCI_GETTEXTRANGE, static_cast<long>(nStart),
                           static_cast<long>(nEnd), bytes.data());
    bytes.chop(1);
    return bytes;
}

bool CViewInserter::ComposeForDocument(bool block, QByteArray& snippet) const
{
    CTarnelDoc* pDocument = m_pane.GetDocument();
    if (m_editor.isUtf8()) {
        snippet = pDocument->ComposeElement(SelectedBytes(), block);
        const CFileCodec* pCodec = DocumentCodec(m_editor);
        return !pCodec || pCodec->FirstUnheld(snippet.toStdString()) == CFileCodec::npos;
    }
    // Composed in UTF-8 and brought back: the selected Latin-1 bytes make the round trip
    // unchanged, so only the template's own characters can fail to fit.
    const QByteArray utf8 =
        pDocument->ComposeElement(QString::fromLatin1(SelectedBytes()).toUtf8(), block);
    return CPasteFormats::ToDocumentBytes(QString::fromUtf8(utf8), false, snippet);
}

void CViewInserter::InsertElement(bool block)
{
    if (!m_pane.GetDocument())
        return;
    if (m_editor.isReadOnly()) {
        ShowStatusNote(&m_editor, m_pane.ReadOnlyNote(m_pane.DocumentName()), true);
        return;
    }
    ToMainStreamSelection();
    QByteArray snippet;
    if (!ComposeForDocument(block, snippet)) {
        AfxMessageBox(
            QStringLiteral("Nothing was inserted into %1: the element's name or attributes "
                           "hold characters that %2 cannot store.")
                .arg(m_pane.DocumentName(), CPasteFormats::DocumentKind(DocumentCodec(m_editor))));
        return;
    }
    const long long nStart = Send(Sci::SCI_GETSELECTIONSTART);
    m_pane.ReplaceSelection(snippet);
    long long nPosition = nStart;
    m_colorizer.ColorMarkup(nPosition, snippet);
    Send(Sci::SCI_SETSEL, nStart, nStart);
    m_stops.Set(StopsOfSnippet(
                    std::string_view(snippet.constData(), static_cast<std::size_t>(snippet.size())),
                    nStart),
                nStart);
}

bool CViewInserter::TakeKey(int nKey, Qt::KeyboardModifiers modifiers)
{
    if (!m_stops.Active())
        return false;
    const bool bModifierOnly = nKey == Qt::Key_Shift || nKey == Qt::Key_Control
                               || nKey == Qt::Key_Alt || nKey == Qt::Key_Meta;
    if (bModifierOnly)
        return false;
    if (nKey != Qt::Key_Tab || (modifiers & ~Qt::KeypadModifier) != Qt::NoModifier) {
        m_stops.Clear();
        return false;
    }
    const long long nStop = m_stops.Next(Send(Sci::SCI_GETCURRENTPOS));
    if (nStop < 0)
        return false;
    Send(Sci::SCI_SETEMPTYSELECTION, nStop);
    return true;
}

void CViewInserter::InsertComment()
{
    ToMainStreamSelection();
    Send(Sci::SCI_SETEMPTYSELECTION, Send(Sci::SCI_GETSELECTIONSTART));
    m_pane.ReplaceSelection(QByteArray(kComment));
}
