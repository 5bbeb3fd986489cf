#include "TypingColorizer.h"

#include "EditRecolorer.h"

#include <Qsci/qsciscintillabase.h>

#include <cstring>

namespace {

using Sci = QsciScintillaBase;

}  // namespace

CTypingColorizer::CTypingColorizer(QsciScintillaBase& editor) : QObject(&editor), m_editor(editor)
{
    connect(&editor, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int nPosition, int nType, const char*, int nLength) { OnModified(nPosition, nType, nLength); });
}

void CTypingColorizer::OnModified(int nPosition, int nModificationType, int nLength)
{
    if (!m_bEnabled)
        return;
    if (nModificationType & Sci::SC_MOD_INSERTTEXT)
        CEditRecolorer(*this).Recolor(nPosition, static_cast<long long>(nPosition) + nLength);
    else if (nModificationType & Sci::SC_MOD_DELETETEXT)
        CEditRecolorer(*this).Recolor(nPosition, nPosition);
}

long long CTypingColorizer::Length() const
{
    return m_editor.SendScintilla(Sci::SCI_GETLENGTH);
}

char CTypingColorizer::ByteAt(long long position) const
{
    return static_cast<char>(m_editor.SendScintilla(Sci::SCI_GETCHARAT, static_cast<unsigned long>(position)));
}

MarkupStyle CTypingColorizer::StyleAt(long long position) const
{
    return static_cast<MarkupStyle>(m_editor.SendScintilla(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(position)));
}

std::size_t CTypingColorizer::Read(long long position, char* buffer, std::size_t count) const
{
    const long long nEnd = std::min(position + static_cast<long long>(count), Length());
    if (nEnd <= position)
        return 0;
    m_range.resize(static_cast<std::size_t>(nEnd - position) + 1);
    m_editor.SendScintilla(Sci::SCI_GETTEXTRANGE, static_cast<long>(position), static_cast<long>(nEnd),
                           m_range.data());
    std::memcpy(buffer, m_range.data(), m_range.size() - 1);
    return m_range.size() - 1;
}

void CTypingColorizer::SetStyles(long long start, const char* styles, std::size_t length)
{
    m_editor.SendScintilla(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(start), 0xffL);
    m_editor.SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<uintptr_t>(length), styles);
}
