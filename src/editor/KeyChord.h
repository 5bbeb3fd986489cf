// What a key press in the editor does before the editor control sees it: the zoom chords, and
// chords with Ctrl or Alt that are no command and so must not type their character.
#pragma once

#include <Qt>

enum class EKeyChord
{
    Pass,  // to the control: a command of its own, or typing
    Ignore,
    ZoomIn,
    ZoomOut,
    ZoomReset
};

// `bBound`: the control binds the key, with these modifiers, to a command of its own.
EKeyChord ClassifyKeyChord(int key, Qt::KeyboardModifiers modifiers, bool bBound);
