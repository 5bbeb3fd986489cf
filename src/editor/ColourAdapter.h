// The editor control as a styled text for the colouring engine: the only code that sets styles
// on the control.
#pragma once

#include "StyledText.h"

#include <vector>

class QsciScintillaBase;

class CColourAdapter : public IStyledText
{
public:
    explicit CColourAdapter(QsciScintillaBase& editor) : m_editor(editor) {}

    long long Length() const override;
    char ByteAt(long long position) const override;
    MarkupStyle StyleAt(long long position) const override;
    std::size_t Read(long long position, char* buffer, std::size_t count) const override;
    void SetStyles(long long start, const char* styles, std::size_t length) override;
    void ReadStyles(long long position, char* styles, std::size_t count) const override;

private:
    QsciScintillaBase& m_editor;
    mutable std::vector<char> m_scratch;  // what the control hands out, with its NULs
};
