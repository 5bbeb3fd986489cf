#include "KeyChord.h"

namespace {

// Windows reports AltGr as Ctrl+Alt; X11 and macOS report it without either.
#ifdef Q_OS_WIN
constexpr bool kCtrlAltIsAltGr = true;
#else
constexpr bool kCtrlAltIsAltGr = false;
#endif

EKeyChord ZoomChord(int key)
{
    switch (key) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return EKeyChord::ZoomIn;
    case Qt::Key_Minus:
        return EKeyChord::ZoomOut;
    case Qt::Key_0:
        return EKeyChord::ZoomReset;
    default:
        return EKeyChord::Pass;
    }
}

}  // namespace

EKeyChord ClassifyKeyChord(int key, Qt::KeyboardModifiers modifiers, bool bBound)
{
    const bool bCtrl = modifiers.testFlag(Qt::ControlModifier);
    const bool bAlt = modifiers.testFlag(Qt::AltModifier);
    if (bCtrl && !bAlt && ZoomChord(key) != EKeyChord::Pass)
        return ZoomChord(key);
    if (bBound || (!bCtrl && !bAlt) || (kCtrlAltIsAltGr && bCtrl && bAlt))
        return EKeyChord::Pass;
    return EKeyChord::Ignore;
}
