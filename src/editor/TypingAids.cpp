#include "TypingAids.h"

#include "AutoIndent.h"
#include "FoldPolicy.h"
#include "TagMatcher.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>
#include <cctype>

namespace {

using Sci = QsciScintillaBase;

// A tag name is looked for this far before the "</" at most.
constexpr long long kContextLimit = 1 << 20;

}  // namespace

long long CTypingAids::Send(unsigned int nMsg, long long wParam) const
{
    return m_editor.SendScintilla(nMsg, static_cast<unsigned long>(wParam), 0L);
}

CTypingAids::CTypingAids(QsciScintilla& editor, CFoldPolicy& folds)
    : QObject(&editor), m_editor(editor), m_folds(folds)
{
    connect(&editor, &QsciScintillaBase::SCN_CHARADDED, this, &CTypingAids::OnCharAdded);
}

std::string CTypingAids::Bytes(long long start, long long end) const
{
    return m_folds.Text().Text(start, end);
}

void CTypingAids::OnCharAdded(int ch)
{
    if (m_editor.isReadOnly() || Send(Sci::SCI_GETSELECTIONS) > 1)
        return;
    const long long nCaret = Send(Sci::SCI_GETCURRENTPOS);
    if (m_nCompletion >= 0 && TypedOverCompletion(ch, nCaret))
        return;
    // The last byte of the line end typed: a CR LF's CR waits for its LF.
    const bool bLineEnd = ch == '\n' || (ch == '\r' && Send(Sci::SCI_GETEOLMODE) == Sci::SC_EOL_CR);
    if (bLineEnd && m_bAutoIndent)
        IndentNewLine(nCaret);
    else if (ch == '/' && nCaret >= 2 && Bytes(nCaret - 2, nCaret - 1) == "<")
        CompleteEndTag(nCaret);
    else if (ch == '>' && m_bCloseStartTags)
        CloseStartTag(nCaret);
}

void CTypingAids::IndentNewLine(long long nCaret)
{
    const long long nLine = Send(Sci::SCI_LINEFROMPOSITION, nCaret);
    if (nLine == 0 || Send(Sci::SCI_POSITIONFROMLINE, nLine) != nCaret)
        return;
    const long long nPrevious = Send(Sci::SCI_POSITIONFROMLINE, nLine - 1);
    const long long nPreviousEnd = Send(Sci::SCI_GETLINEENDPOSITION, nLine - 1);
    const std::string unit =
        AutoIndent::UnitOf(Bytes(0, std::min<long long>(kSampleBytes, Send(Sci::SCI_GETLENGTH))));
    const std::string indent = AutoIndent::ForNewLine(Bytes(nPrevious, nPreviousEnd), unit);
    if (!indent.empty())
        Insert(indent, true);
}

void CTypingAids::CompleteEndTag(long long nCaret)
{
    const long long nOpener = nCaret - 2;
    CTagMatcher matcher(m_folds.Text(), m_folds.Levels().CheckpointBefore(nOpener), kContextLimit);
    const CTagMatcher::SContext context = matcher.ContextAt(nOpener);
    const bool bAtOpener = context.bHolds && context.tag.nStart == nOpener;
    const SOpenElement* pElement = (bAtOpener ? context.before : context.at).Innermost();
    if (!pElement || pElement->name.empty())
        return;
    Insert(pElement->name + ">", true);
    m_nCompletion = nCaret;
    m_completion = pElement->name + ">";
    m_nTypedOver = 0;
}

bool CTypingAids::TypedOverCompletion(int ch, long long nCaret)
{
    const long long nCompletionEnd = m_nCompletion + static_cast<long long>(m_completion.size());
    const long long nStart = m_nCompletion;
    m_nCompletion = -1;
    // Only a byte typed right after the completion, as the caret left it, counts.
    if (ch <= 0 || ch > 0x7F || nCaret != nCompletionEnd + 1
        || Bytes(nStart, nCompletionEnd) != m_completion)
        return false;
    if (static_cast<char>(ch) == m_completion[m_nTypedOver]) {
        Send(Sci::SCI_BEGINUNDOACTION);
        m_editor.SendScintilla(Sci::SCI_DELETERANGE, static_cast<unsigned long>(nCompletionEnd),
                               1L);
        Send(Sci::SCI_ENDUNDOACTION);
        if (++m_nTypedOver < m_completion.size())
            m_nCompletion = nStart;
        return true;
    }
    const bool bNameChar = std::isalnum(ch) || ch == '_' || ch == ':' || ch == '.' || ch == '-';
    if (m_nTypedOver == 0 && !bNameChar && ch != '>')
        return false;
    // Another name, or the name ended early: what was typed replaces the rest.
    const long long nRest = nStart + static_cast<long long>(m_nTypedOver);
    Send(Sci::SCI_BEGINUNDOACTION);
    m_editor.SendScintilla(Sci::SCI_DELETERANGE, static_cast<unsigned long>(nRest),
                           static_cast<long>(nCompletionEnd - nRest));
    Send(Sci::SCI_ENDUNDOACTION);
    return true;
}

void CTypingAids::CloseStartTag(long long nCaret)
{
    const long long nLineStart =
        Send(Sci::SCI_POSITIONFROMLINE, Send(Sci::SCI_LINEFROMPOSITION, nCaret));
    const std::string name = AutoIndent::StartTagEnding(Bytes(nLineStart, nCaret));
    if (!name.empty())
        Insert("</" + name + ">", false);
}

void CTypingAids::Insert(const std::string& bytes, bool bCaretAfter)
{
    const long long nCaret = Send(Sci::SCI_GETCURRENTPOS);
    Send(Sci::SCI_BEGINUNDOACTION);
    m_editor.SendScintilla(Sci::SCI_INSERTTEXT, static_cast<unsigned long>(nCaret), bytes.c_str());
    Send(Sci::SCI_ENDUNDOACTION);
    const long long nTo = bCaretAfter ? nCaret + static_cast<long long>(bytes.size()) : nCaret;
    m_editor.SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(nTo),
                           static_cast<long>(nTo));
}
