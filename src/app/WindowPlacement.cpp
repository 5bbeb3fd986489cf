#include "WindowPlacement.h"

#include "Profile.h"
#include "ScreenFit.h"
#include "SettingsKeys.h"

#include <QEvent>
#include <QMainWindow>
#include <QScreen>

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
    // The frame's decorations count; they are known once the platform has made the window.
    const QRect frame = m_pWindow->frameGeometry();
    const QRect client = m_pWindow->geometry();
    const QMargins decorations(client.left() - frame.left(), client.top() - frame.top(),
                               frame.right() - client.right(), frame.bottom() - client.bottom());
    const QRect fitted =
        FitToScreen(frame, screen->availableGeometry()).marginsRemoved(decorations);
    if (fitted != client)
        m_pWindow->setGeometry(fitted);
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
