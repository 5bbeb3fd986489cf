#include "LockKeyState.h"

#include <QGuiApplication>

#if defined(TARNEL_HAVE_X11) && QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>
// Xlib's macros clash with Qt names, so it comes last.
#include <X11/XKBlib.h>
#endif

std::optional<bool> IsLockKeyOn(LockKey key)
{
#if defined(TARNEL_HAVE_X11) && QT_CONFIG(xcb)
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return std::nullopt;
    const char* name = key == LockKey::Caps  ? "Caps Lock"
                       : key == LockKey::Num ? "Num Lock"
                                             : "Scroll Lock";
    const Atom atom = XInternAtom(display, name, True);
    int on = 0;
    if (atom == 0 || !XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return std::nullopt;
    return on != 0;
#else
    (void)key;
    return std::nullopt;
#endif
}
