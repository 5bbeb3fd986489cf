// The document's text as the code around the editor sees it: bytes and styles, edits by range,
// and one announcement of every edit, whatever made it (typing, paste, undo, redo, replay).
#pragma once

#include "StyledText.h"

#include <string>

// One edit, announced as it is about to be made: the text does not hold it yet. `nRemoved` bytes
// at `nPosition` give way to `nInserted` bytes; a replacement comes as a removal, then an
// insertion. The inserted bytes can be read once the edit is made, at the latest when the next
// announcement comes.
struct STextEdit
{
    enum class ESource
    {
        User,  // typing, the program's own edits and replays
        Undo,
        Redo
    };

    long long nPosition = 0;
    long long nRemoved = 0;
    long long nInserted = 0;
    ESource eSource = ESource::User;

    bool operator==(const STextEdit& other) const
    {
        return nPosition == other.nPosition && nRemoved == other.nRemoved
               && nInserted == other.nInserted && eSource == other.eSource;
    }
};

class ITextEditObserver
{
public:
    virtual void OnTextEdit(const STextEdit& edit) = 0;
    // The text left (true) or came back to (false) the state it was last saved in; announced
    // once the edit that did it is made.
    virtual void OnModifiedChanged(bool /*bModified*/) {}

protected:
    ~ITextEditObserver() = default;
};

class ITextBuffer : public IStyledText
{
public:
    // Replaces `nRemoved` bytes at `position` with `length` bytes of `bytes`, every byte kept (NUL
    // included); undoable.
    virtual void Replace(long long position, long long nRemoved, const char* bytes,
                         std::size_t length) = 0;
    // The edits between the two are undone and redone as one step; they nest.
    virtual void BeginUndoGroup() = 0;
    virtual void EndUndoGroup() = 0;
    // Observers hear of edits in the order they were added; one may remove itself when told.
    virtual void AddObserver(ITextEditObserver* pObserver) = 0;
    virtual void RemoveObserver(ITextEditObserver* pObserver) = 0;

    // Bytes [start, end), clipped to the text.
    std::string Text(long long start, long long end) const
    {
        std::string bytes(static_cast<std::size_t>(end > start ? end - start : 0), '\0');
        bytes.resize(Read(start, bytes.data(), bytes.size()));
        return bytes;
    }
};
