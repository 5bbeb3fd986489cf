// The observers of a text buffer, told of each edit in the order they were added.
#pragma once

#include "TextBuffer.h"

#include <vector>

class CEditObserverList
{
public:
    // One added while the list is announcing hears of the edits after.
    void Add(ITextEditObserver* pObserver);
    // Safe while the list is announcing: a removed observer is told nothing more.
    void Remove(ITextEditObserver* pObserver);

    void Announce(const STextEdit& edit);
    void AnnounceModified(bool bModified);

private:
    template <typename Tell>
    void TellAll(const Tell& tell);

    std::vector<ITextEditObserver*> m_observers;  // null where one was removed while announcing
    int m_nAnnouncing = 0;
};
