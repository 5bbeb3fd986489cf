#include "EditObserverList.h"

#include <algorithm>

void CEditObserverList::Add(ITextEditObserver* pObserver)
{
    m_observers.push_back(pObserver);
}

void CEditObserverList::Remove(ITextEditObserver* pObserver)
{
    if (m_nAnnouncing > 0)
        std::replace(m_observers.begin(), m_observers.end(), pObserver,
                     static_cast<ITextEditObserver*>(nullptr));
    else
        m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), pObserver),
                          m_observers.end());
}

void CEditObserverList::Announce(const STextEdit& edit)
{
    TellAll([&edit](ITextEditObserver& observer) { observer.OnTextEdit(edit); });
}

void CEditObserverList::AnnounceModified(bool bModified)
{
    TellAll([bModified](ITextEditObserver& observer) { observer.OnModifiedChanged(bModified); });
}

template <typename Tell>
void CEditObserverList::TellAll(const Tell& tell)
{
    ++m_nAnnouncing;
    // By index, up to those there were: one added while it is told hears of the next edit.
    const std::size_t nCount = m_observers.size();
    for (std::size_t i = 0; i < nCount; ++i) {
        if (m_observers[i])
            tell(*m_observers[i]);
    }
    if (--m_nAnnouncing == 0)
        m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), nullptr),
                          m_observers.end());
}
