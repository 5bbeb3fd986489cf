#include "ColourAdapter.h"

#include <Qsci/qsciscintillabase.h>

#include <algorithm>
#include <cstring>

namespace {

using Sci = QsciScintillaBase;

}  // namespace

long long CColourAdapter::Length() const
{
    return m_editor.SendScintilla(Sci::SCI_GETLENGTH);
}

char CColourAdapter::ByteAt(long long position) const
{
    return static_cast<char>(
        m_editor.SendScintilla(Sci::SCI_GETCHARAT, static_cast<unsigned long>(position)));
}

MarkupStyle CColourAdapter::StyleAt(long long position) const
{
    return static_cast<MarkupStyle>(
        m_editor.SendScintilla(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(position)));
}

std::size_t CColourAdapter::Read(long long position, char* buffer, std::size_t count) const
{
    const long long nEnd = std::min(position + static_cast<long long>(count), Length());
    if (nEnd <= position)
        return 0;
    const auto nCount = static_cast<std::size_t>(nEnd - position);
    m_scratch.resize(nCount + 1);  // and the NUL a text range ends with
    m_editor.SendScintilla(Sci::SCI_GETTEXTRANGE, static_cast<long>(position),
                           static_cast<long>(nEnd), m_scratch.data());
    std::memcpy(buffer, m_scratch.data(), nCount);
    return nCount;
}

void CColourAdapter::ReadStyles(long long position, char* styles, std::size_t count) const
{
    // (byte, style) pairs plus two NULs.
    m_scratch.resize(2 * count + 2);
    m_editor.SendScintilla(Sci::SCI_GETSTYLEDTEXT, static_cast<long>(position),
                           static_cast<long>(position + static_cast<long long>(count)),
                           m_scratch.data());
    for (std::size_t i = 0; i < count; ++i)
        styles[i] = m_scratch[2 * i + 1];
}

void CColourAdapter::SetStyles(long long start, const char* styles, std::size_t length)
{
    m_editor.SendScintilla(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(start), 0xffL);
    m_editor.SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<uintptr_t>(length), styles);
}
