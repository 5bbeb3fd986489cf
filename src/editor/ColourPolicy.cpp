#include "ColourPolicy.h"

#include "ColourPass.h"
#include "EditRecolorer.h"
#include "JobGuard.h"

#include <Qsci/qsciscintillabase.h>

namespace {

using Sci = QsciScintillaBase;

}  // namespace

CColourPolicy::CColourPolicy(QsciScintillaBase& editor, ITextBuffer& buffer)
    : QObject(&editor), m_editor(editor), m_buffer(buffer), m_text(editor)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &CColourPolicy::OnTimer);
    m_buffer.AddObserver(this);
    connect(&editor, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int nUpdated) {
        FlushTyping();
        if (nUpdated & (Sci::SC_UPDATE_V_SCROLL | Sci::SC_UPDATE_H_SCROLL))
            ColourShownLines();
    });
}

CColourPolicy::~CColourPolicy()
{
    m_buffer.RemoveObserver(this);
}

void CColourPolicy::ColorMarkup(long long& position, const QByteArray& text)
{
    CColourPass pass(m_text, SRestart{position, false});
    pass.ColourTokensTo(position + text.size());
    position = pass.Position();
}

void CColourPolicy::ColorAll()
{
    m_typed.Clear();
    CColourPass::ColourAll(m_text);
    StopSlices();
}

bool CColourPolicy::ColorAll(const JobProgress& progress)
{
    // Changes waiting to be coloured are coloured now, not in the middle of the pass, where a
    // Cancel could not take them back.
    FlushTyping();
    if (!CColourPass::ColourAll(m_text, progress))
        return false;
    m_typed.Clear();
    StopSlices();
    return true;
}

void CColourPolicy::StartSlices()
{
    m_sliced.Start();
    m_timer.start();
}

void CColourPolicy::StopSlices()
{
    m_sliced.Stop();
    m_timer.stop();
}

bool CColourPolicy::Finish(const JobProgress& progress)
{
    const bool bDone = m_sliced.Finish(progress);
    if (bDone)
        m_timer.stop();
    return bDone;
}

void CColourPolicy::ColourShownLines()
{
    if (!m_sliced.IsPending() || CJobGuard::IsRunning())
        return;
    const long long nTopLine = m_editor.SendScintilla(
        Sci::SCI_DOCLINEFROMVISIBLE, m_editor.SendScintilla(Sci::SCI_GETFIRSTVISIBLELINE));
    const long long nLines = m_editor.SendScintilla(Sci::SCI_LINESONSCREEN) + 1;
    const long long nFrom =
        m_editor.SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(nTopLine));
    const long long nTo = m_editor.SendScintilla(Sci::SCI_GETLINEENDPOSITION,
                                                 static_cast<unsigned long>(nTopLine + nLines));
    // A restart before the frontier is the slices' own part.
    if (RestartAt(m_text, nFrom, false).nStart >= m_sliced.Frontier())
        CColourPass::ColourAround(m_text, nFrom, nTo);
}

void CColourPolicy::ColourReplaced(long long start, long long end)
{
    constexpr long long kAtOnceBytes = 1 << 20;
    if (!m_sliced.IsPending() && end - start <= kAtOnceBytes) {
        CColourPass::ColourAround(m_text, start, end);
        return;
    }
    if (!m_sliced.IsPending()) {
        // The styles before `start` are a whole pass's: the slices may begin there.
        m_sliced.Start();
        m_timer.start();
    }
    m_sliced.ColourAgainFrom(start);
}

void CColourPolicy::SetTypingColours(bool bEnabled)
{
    m_bTyping = bEnabled;
    m_typed.Clear();
}

void CColourPolicy::FlushTyping()
{
    m_bFlushQueued = false;
    if (!m_bTyping || m_typed.IsEmpty())
        return;
    const long long nStart = m_typed.Start();
    const long long nEnd = m_typed.End();
    m_typed.Clear();
    // Past the slices' frontier the old styles are not a whole pass's to agree with.
    if (m_sliced.IsPending())
        m_sliced.ColourAgainFrom(nStart);
    else
        CEditRecolorer(m_text).Recolor(nStart, nEnd);
}

void CColourPolicy::RunUndoStep(const std::function<void()>& step)
{
    m_bUndoRunning = true;
    m_undone.Clear();
    step();
    m_bUndoRunning = false;
    if (!m_undone.IsEmpty())
        CColourPass::ColourAround(m_text, m_undone.Start(), m_undone.End());
}

void CColourPolicy::OnTextEdit(const STextEdit& edit)
{
    const bool bUndoStep = edit.eSource != STextEdit::ESource::User;
    if (edit.nRemoved > 0)
        NoteChange(edit.nPosition, edit.nRemoved, false, bUndoStep);
    if (edit.nInserted > 0)
        NoteChange(edit.nPosition, edit.nInserted, true, bUndoStep);
}

void CColourPolicy::NoteChange(long long position, long long length, bool bInsert, bool bUndoStep)
{
    m_sliced.Edited(position, length, bInsert);
    if (m_bUndoRunning && bUndoStep) {
        if (bInsert)
            m_undone.Insert(position, length);
        else
            m_undone.Delete(position, length);
    }
    if (!m_bTyping)
        return;
    if (bInsert)
        m_typed.Insert(position, length);
    else
        m_typed.Delete(position, length);
    if (!m_bFlushQueued) {
        m_bFlushQueued = true;
        QMetaObject::invokeMethod(this, &CColourPolicy::FlushTyping, Qt::QueuedConnection);
    }
}

void CColourPolicy::OnTimer()
{
    // A long job lets timers run between its steps; its styles or text are not to be touched.
    if (CJobGuard::IsRunning())
        return;
    if (m_sliced.Slice())
        m_timer.stop();
}
