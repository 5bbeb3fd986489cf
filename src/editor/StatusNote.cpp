#include "StatusNote.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int kNoteMilliseconds = 8000;
constexpr int kLeftPanesEnd = 40;

CStatusNoteCapture*& ActiveCapture()
{
    static CStatusNoteCapture* pCapture = nullptr;
    return pCapture;
}

// The width a message has: the bar less the panes that stay on its right (the panes on its left
// are those the message hides).
int MessageWidth(const QStatusBar& bar)
{
    const int nLeft = bar.contentsRect().left();
    int nRight = bar.contentsRect().right();
    for (const QWidget* pPane : bar.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (pPane->isVisible() && pPane->x() > nLeft + kLeftPanesEnd)
            nRight = std::min(nRight, pPane->x());
    }
    // The bar draws its message a few pixels in from either side.
    return std::max(nRight - nLeft - 12, 0);
}

// Ends the note with "…" where it would be cut off; the whole of it stays in the tooltip until
// the next message.
void ShowFitted(QStatusBar* pBar, const QString& text)
{
    const QString fitted =
        pBar->fontMetrics().elidedText(text, Qt::ElideRight, MessageWidth(*pBar));
    pBar->setToolTip(fitted == text ? QString() : text);
    if (!pBar->property("tarnelNoteTip").toBool()) {
        pBar->setProperty("tarnelNoteTip", true);
        QObject::connect(pBar, &QStatusBar::messageChanged, pBar, [pBar](const QString& message) {
            if (message.isEmpty() || !message.endsWith(QChar(0x2026)))
                pBar->setToolTip(QString());
        });
    }
    pBar->showMessage(fitted, kNoteMilliseconds);
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
        ShowFitted(pBar, text);
    else if (pBar)
        QTimer::singleShot(0, pBar, [pBar, text] { ShowFitted(pBar, text); });
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
