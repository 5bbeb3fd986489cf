// Remembers the styles that a whole-text pass replaces, so that a cancelled pass can put every
// one of them back. Only stretches whose styles change are kept, run-length encoded: re-colouring
// an already coloured text keeps next to nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class QsciScintillaBase;

class CStyleRollback
{
public:
    explicit CStyleRollback(QsciScintillaBase& editor) : m_editor(editor) {}

    // Whether `styles` differ from the editor's at [start, start + length); when they do, the
    // editor's are remembered.
    bool Remember(long long start, const char* styles, std::size_t length);
    // Sets every remembered style again, the latest first.
    void Restore();

private:
    struct SStretch
    {
        long long nStart;
        std::vector<std::uint32_t> runLengths;
        std::vector<char> runStyles;
    };

    QsciScintillaBase& m_editor;
    std::vector<SStretch> m_stretches;
    std::vector<char> m_styled;  // (byte, style) pairs as the editor hands them out
};
