#include "FoldPolicy.h"

#include "JobGuard.h"
#include "JobProgressDlg.h"

#include <Qsci/qsciscintilla.h>

namespace {

using Sci = QsciScintillaBase;

constexpr int kFoldMargin = 2;

}  // namespace

CFoldPolicy::CFoldPolicy(QsciScintilla& editor, ITextBuffer& buffer)
    : QObject(&editor), m_editor(editor), m_buffer(buffer), m_lines(editor),
      m_levels(buffer, m_lines)
{
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &CFoldPolicy::OnTimer);
    m_buffer.AddObserver(this);
    // A header whose element lost its end shows its lines again.
    m_editor.SendScintilla(Sci::SCI_SETAUTOMATICFOLD,
                           static_cast<unsigned long>(Sci::SC_AUTOMATICFOLD_CHANGE));
    m_levels.Start();
    Continue(kEditBytes);
}

CFoldPolicy::~CFoldPolicy()
{
    m_buffer.RemoveObserver(this);
}

void CFoldPolicy::SetOn(bool bOn)
{
    if (bOn == m_bOn)
        return;
    m_bOn = bOn;
    if (!bOn)
        UnfoldAll();
    m_editor.setFolding(bOn ? QsciScintilla::BoxedTreeFoldStyle : QsciScintilla::NoFoldStyle,
                        kFoldMargin);
}

void CFoldPolicy::Restart()
{
    m_levels.Start();
    m_timer.start();
}

bool CFoldPolicy::Finish()
{
    if (CJobGuard::IsRunning()) {
        m_levels.Finish();
    } else {
        const CJobGuard guard;
        CJobProgressDlg dialog(QStringLiteral("Finding the elements to fold..."),
                               m_editor.window());
        while (!m_levels.Run(4 * kEditBytes)) {
            if (!dialog.Step(m_levels.Reached(), m_buffer.Length())) {
                m_timer.start();  // the rest follows while idle
                return false;
            }
        }
    }
    m_timer.stop();
    return true;
}

void CFoldPolicy::OnTextEdit(const STextEdit& edit)
{
    m_levels.Edited(edit.nPosition, edit.nRemoved, edit.nInserted);
    // The edit is not made yet: the scan runs once it is.
    if (!m_bRunQueued) {
        m_bRunQueued = true;
        QMetaObject::invokeMethod(this, &CFoldPolicy::RunAfterEdit, Qt::QueuedConnection);
    }
}

void CFoldPolicy::RunAfterEdit()
{
    m_bRunQueued = false;
    if (!CJobGuard::IsRunning())
        Continue(kEditBytes);
    else
        m_timer.start();
}

void CFoldPolicy::OnTimer()
{
    // A long job lets timers run between its steps; its text is not to be read meanwhile.
    if (!CJobGuard::IsRunning())
        Continue(kSliceBytes);
}

void CFoldPolicy::Continue(long long nBytes)
{
    if (m_levels.Run(nBytes))
        m_timer.stop();
    else
        m_timer.start();
}

long long CFoldPolicy::HeaderAtCaret() const
{
    const long long nLine = m_editor.SendScintilla(Sci::SCI_LINEFROMPOSITION,
                                                   m_editor.SendScintilla(Sci::SCI_GETCURRENTPOS));
    if (m_lines.FoldLevel(nLine) & FoldLevel::kHeader)
        return nLine;
    return m_editor.SendScintilla(Sci::SCI_GETFOLDPARENT, static_cast<unsigned long>(nLine));
}

void CFoldPolicy::FoldAtCaret()
{
    if (!m_bOn || !Finish())
        return;
    const long long nHeader = HeaderAtCaret();
    if (nHeader < 0)
        return;
    m_editor.SendScintilla(Sci::SCI_FOLDLINE, static_cast<unsigned long>(nHeader),
                           static_cast<long>(Sci::SC_FOLDACTION_CONTRACT));
    // The caret leaves the lines it would otherwise stay hidden in.
    const long long nCaretLine = m_editor.SendScintilla(
        Sci::SCI_LINEFROMPOSITION, m_editor.SendScintilla(Sci::SCI_GETCURRENTPOS));
    if (nCaretLine != nHeader)
        m_editor.SendScintilla(Sci::SCI_GOTOLINE, static_cast<unsigned long>(nHeader));
}

void CFoldPolicy::UnfoldAtCaret()
{
    if (!m_bOn || !Finish())
        return;
    const long long nHeader = HeaderAtCaret();
    if (nHeader >= 0)
        m_editor.SendScintilla(Sci::SCI_FOLDLINE, static_cast<unsigned long>(nHeader),
                               static_cast<long>(Sci::SC_FOLDACTION_EXPAND));
}

void CFoldPolicy::FoldAll()
{
    if (!m_bOn || !Finish())
        return;
    m_editor.SendScintilla(Sci::SCI_FOLDALL,
                           static_cast<unsigned long>(Sci::SC_FOLDACTION_CONTRACT));
    const long long nCaretLine = m_editor.SendScintilla(
        Sci::SCI_LINEFROMPOSITION, m_editor.SendScintilla(Sci::SCI_GETCURRENTPOS));
    if (!m_editor.SendScintilla(Sci::SCI_GETLINEVISIBLE, static_cast<unsigned long>(nCaretLine))) {
        long long nLine = nCaretLine;
        while (
            nLine > 0
            && !m_editor.SendScintilla(Sci::SCI_GETLINEVISIBLE, static_cast<unsigned long>(nLine)))
            nLine =
                m_editor.SendScintilla(Sci::SCI_GETFOLDPARENT, static_cast<unsigned long>(nLine));
        m_editor.SendScintilla(Sci::SCI_GOTOLINE, static_cast<unsigned long>(std::max(0LL, nLine)));
    }
}

void CFoldPolicy::UnfoldAll()
{
    m_editor.SendScintilla(Sci::SCI_FOLDALL, static_cast<unsigned long>(Sci::SC_FOLDACTION_EXPAND));
}
