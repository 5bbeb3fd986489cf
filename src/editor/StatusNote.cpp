#include "StatusNote.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>

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
    if (QStatusBar* pBar = pWindow ? pWindow->findChild<QStatusBar*>() : nullptr)
        pBar->showMessage(text, kNoteMilliseconds);
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
