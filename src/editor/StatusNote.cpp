#include "StatusNote.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

namespace {

constexpr int kNoteMilliseconds = 8000;

CStatusNoteCapture*& ActiveCapture()
{
    static CStatusNoteCapture* pCapture = nullptr;
    return pCapture;
}

}  // namespace

void ShowStatusNote(QWidget* pWidget, const QString& text, bool bBeep)
{
    if (CStatusNoteCapture* pCapture = ActiveCapture()) {
        pCapture->Record(text, bBeep);
        return;
    }
    auto* pWindow = pWidget ? qobject_cast<QMainWindow*>(pWidget->window()) : nullptr;
    QStatusBar* pBar = pWindow ? pWindow->findChild<QStatusBar*>() : nullptr;
    // A message only hides the bar's own panes that show: before the window does (a file named
    // on the command line), "Ready" would be drawn across it.
    if (pBar && pBar->isVisible())
        pBar->showMessage(text, kNoteMilliseconds);
    else if (pBar)
        QTimer::singleShot(0, pBar, [pBar, text] { pBar->showMessage(text, kNoteMilliseconds); });
    if (bBeep)
        QApplication::beep();
}

CStatusNoteCapture::CStatusNoteCapture() : m_pPrevious(ActiveCapture())
{
    ActiveCapture() = this;
}

CStatusNoteCapture::~CStatusNoteCapture()
{
    ActiveCapture() = m_pPrevious;
}

void CStatusNoteCapture::Record(const QString& text, bool bBeep)
{
    m_notes << text;
    m_nBeeps += bBeep ? 1 : 0;
}

void CStatusNoteCapture::Clear()
{
    m_notes.clear();
    m_nBeeps = 0;
}
