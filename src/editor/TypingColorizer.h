// Colour as you type: after every change of the text (typing, paste, cut, undo, redo, replace)
// re-colours what the change touched, leaving exactly the styles of a whole-text pass. Changes
// are noted as they are announced and coloured together once they are done.
#pragma once

#include "ChangedRange.h"
#include "StyledText.h"

#include <QObject>

#include <vector>

class CBackgroundColorizer;
class QsciScintillaBase;

class CTypingColorizer : public QObject, private IStyledText
{
    Q_OBJECT
public:
    // While `background` colours the opened text, edits are left to it.
    CTypingColorizer(QsciScintillaBase& editor, CBackgroundColorizer& background);

    // Off by default. The styles must be a whole pass's when it is turned on.
    void SetEnabled(bool bEnabled);
    bool IsEnabled() const { return m_bEnabled; }
    // Colours what changed since the last time; also runs by itself after each change.
    void Flush();
    // Forgets the changes noted: the whole text was coloured or loaded anew.
    void Forget() { m_changed.Clear(); }

private:
    void OnModified(int nPosition, int nModificationType, int nLength);

    long long Length() const override;
    char ByteAt(long long position) const override;
    MarkupStyle StyleAt(long long position) const override;
    std::size_t Read(long long position, char* buffer, std::size_t count) const override;
    void SetStyles(long long start, const char* styles, std::size_t length) override;

    QsciScintillaBase& m_editor;
    CBackgroundColorizer& m_background;
    bool m_bEnabled = false;
    bool m_bFlushQueued = false;
    CChangedRange m_changed;
    mutable std::vector<char> m_range;  // room for the NUL a text range ends with
};
