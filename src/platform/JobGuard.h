// Marks, for its lifetime, that a long job runs. A job keeps the window painting between its
// steps, so timers and queued calls run meanwhile: they ask here before they start another
// job or change the text.
#pragma once

class CJobGuard
{
public:
    CJobGuard();
    ~CJobGuard();
    CJobGuard(const CJobGuard&) = delete;
    CJobGuard& operator=(const CJobGuard&) = delete;

    static bool IsRunning();
};
