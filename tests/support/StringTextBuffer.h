// A text buffer in a string, for tests of what works on ITextBuffer without an editor: edits are
// announced as the editor announces them, before they are made, a replacement as a removal then
// an insertion; it is modified from the first edit after MarkSaved.
#pragma once

#include "EditObserverList.h"
#include "TextBuffer.h"

#include <cstring>
#include <string>

class CStringTextBuffer : public ITextBuffer
{
public:
    explicit CStringTextBuffer(std::string text = {})
        : m_text(std::move(text)), m_styles(m_text.size(), '\0')
    {
    }

    const std::string& TextNow() const { return m_text; }
    void MarkSaved()
    {
        if (m_bModified)
            m_observers.AnnounceModified(m_bModified = false);
    }
    int UndoGroupDepth() const { return m_nGroupDepth; }

    long long Length() const override { return static_cast<long long>(m_text.size()); }
    char ByteAt(long long position) const override { return m_text.at(position); }
    MarkupStyle StyleAt(long long position) const override
    {
        return static_cast<MarkupStyle>(m_styles.at(position));
    }
    std::size_t Read(long long position, char* buffer, std::size_t count) const override
    {
        if (position < 0 || position >= Length())
            return 0;
        return m_text.copy(buffer, count, static_cast<std::size_t>(position));
    }
    void SetStyles(long long start, const char* styles, std::size_t length) override
    {
        m_styles.replace(static_cast<std::size_t>(start), length, styles, length);
    }
    void Replace(long long position, long long nRemoved, const char* bytes,
                 std::size_t length) override
    {
        const auto nAt = static_cast<std::size_t>(position);
        if (nRemoved > 0) {
            m_observers.Announce({position, nRemoved, 0, STextEdit::ESource::User});
            m_text.erase(nAt, static_cast<std::size_t>(nRemoved));
            m_styles.erase(nAt, static_cast<std::size_t>(nRemoved));
            NoteEdited();
        }
        if (length > 0) {
            m_observers.Announce(
                {position, 0, static_cast<long long>(length), STextEdit::ESource::User});
            m_text.insert(nAt, bytes, length);
            m_styles.insert(nAt, length, '\0');
            NoteEdited();
        }
    }
    void BeginUndoGroup() override { ++m_nGroupDepth; }
    void EndUndoGroup() override { --m_nGroupDepth; }
    void AddObserver(ITextEditObserver* pObserver) override { m_observers.Add(pObserver); }
    void RemoveObserver(ITextEditObserver* pObserver) override { m_observers.Remove(pObserver); }

private:
    void NoteEdited()
    {
        if (!m_bModified)
            m_observers.AnnounceModified(m_bModified = true);
    }

    std::string m_text;
    std::string m_styles;
    CEditObserverList m_observers;
    bool m_bModified = false;
    int m_nGroupDepth = 0;
};
