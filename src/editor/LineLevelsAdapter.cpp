#include "LineLevelsAdapter.h"

#include <Qsci/qsciscintillabase.h>

namespace {

using Sci = QsciScintillaBase;

unsigned long Line(long long line)
{
    return static_cast<unsigned long>(line);
}

}  // namespace

long long CLineLevelsAdapter::LineCount() const
{
    return m_editor.SendScintilla(Sci::SCI_GETLINECOUNT);
}

long long CLineLevelsAdapter::LineStart(long long line) const
{
    return m_editor.SendScintilla(Sci::SCI_POSITIONFROMLINE, Line(line));
}

long long CLineLevelsAdapter::LineOfPosition(long long position) const
{
    return m_editor.SendScintilla(Sci::SCI_LINEFROMPOSITION, Line(position));
}

int CLineLevelsAdapter::FoldLevel(long long line) const
{
    return static_cast<int>(m_editor.SendScintilla(Sci::SCI_GETFOLDLEVEL, Line(line)));
}

void CLineLevelsAdapter::SetFoldLevel(long long line, int level)
{
    m_editor.SendScintilla(Sci::SCI_SETFOLDLEVEL, Line(line), static_cast<long>(level));
}

int CLineLevelsAdapter::LineState(long long line) const
{
    return static_cast<int>(m_editor.SendScintilla(Sci::SCI_GETLINESTATE, Line(line)));
}

void CLineLevelsAdapter::SetLineState(long long line, int state)
{
    m_editor.SendScintilla(Sci::SCI_SETLINESTATE, Line(line), static_cast<long>(state));
}
