// Whether Caps Lock, Num Lock and Scroll Lock are on, read from the X server's keyboard
// indicators; unknown where there is no X11 display (other platforms, offscreen).
#pragma once

#include <optional>

enum class LockKey
{
    Caps,
    Num,
    Scroll,
};

std::optional<bool> IsLockKeyOn(LockKey key);
