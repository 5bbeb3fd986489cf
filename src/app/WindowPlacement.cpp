#include "WindowPlacement.h"

#include "Profile.h"
#include "ScreenFit.h"
#include "SettingsKeys.h"

#include <QEvent>
#include <QMainWindow>
#include <QScreen>
#include <QStyle>

namespace {

constexpr int kDefaultWidth = 900;
constexpr int kDefaultHeight = 650;

QByteArray ReadSetting(const QString& key)
{
    return QByteArray::fromBase64(GetProfileString(SettingsKeys::kSection, key).toLatin1());
}

}  // namespace

CWindowPlacement::CWindowPlacement(QMainWindow* pWindow) : QObject(pWindow), m_pWindow(pWindow)
{
    pWindow->installEventFilter(this);
}

void CWindowPlacement::Restore()
{
    const QByteArray geometry = ReadSetting(SettingsKeys::kWindowGeometry);
    if (geometry.isEmpty() || !m_pWindow->restoreGeometry(geometry))
        m_pWindow->resize(kDefaultWidth, kDefaultHeight);
    m_pWindow->restoreState(ReadSetting(SettingsKeys::kWindowState));
}

void CWindowPlacement::FitOntoScreen()
{
    // A geometry saved on another screen or at another scale factor may not fit this one.
    if (m_pWindow->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QScreen* screen = m_pWindow->screen();
    if (!screen)
        return;
    const QRect client = m_pWindow->geometry();
    const QMargins decorations = Decorations();
    const QRect fitted = FitToScreen(client.marginsAdded(decorations), screen->availableGeometry())
                             .marginsRemoved(decorations);
    if (fitted != client)
        m_pWindow->setGeometry(fitted);
}

QMargins CWindowPlacement::Decorations() const
{
    const QRect frame = m_pWindow->frameGeometry();
    const QRect client = m_pWindow->geometry();
    if (frame != client)
        return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                        frame.right() - client.right(), frame.bottom() - client.bottom());
    // A window manager adds its frame only after the window is first shown: leave room for a
    // title bar, or it would end up above the screen.
    const int nBorder = m_pWindow->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth);
    const int nTitle = m_pWindow->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    return QMargins(nBorder, nTitle + nBorder, nBorder, nBorder);
}

void CWindowPlacement::Save() const
{
    if (!m_bShown)
        return;
    WriteProfileString(SettingsKeys::kSection, SettingsKeys::kWindowGeometry,
                       QString::fromLatin1(m_pWindow->saveGeometry().toBase64()));
    WriteProfileString(SettingsKeys::kSection, SettingsKeys::kWindowState,
                       QString::fromLatin1(m_pWindow->saveState().toBase64()));
}

bool CWindowPlacement::eventFilter(QObject* pWatched, QEvent* pEvent)
{
    if (pWatched == m_pWindow && pEvent->type() == QEvent::Show && !m_bShown) {
        m_bShown = true;
        FitOntoScreen();
    }
    return QObject::eventFilter(pWatched, pEvent);
}
