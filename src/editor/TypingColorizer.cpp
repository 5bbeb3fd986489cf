#include "TypingColorizer.h"

#include "BackgroundColorizer.h"
#include "EditRecolorer.h"

#include <Qsci/qsciscintillabase.h>

#include <cstring>

namespace {

using Sci = QsciScintillaBase;

}  // namespace

CTypingColorizer::CTypingColorizer(QsciScintillaBase& editor, CBackgroundColorizer& background)
    : QObject(&editor), m_editor(editor), m_background(background)
{
    // The notifications before each change come whatever the event mask lets through; those
    // after an insertion or deletion are left off while no screen reader listens.
    connect(&editor, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int nPosition, int nType, const char*, int nLength) {
                OnModified(nPosition, nType, nLength);
            });
    connect(&editor, &QsciScintillaBase::SCN_UPDATEUI, this, &CTypingColorizer::Flush);
}

void CTypingColorizer::SetEnabled(bool bEnabled)
{
    m_bEnabled = bEnabled;
    m_changed.Clear();
}

void CTypingColorizer::OnModified(int nPosition, int nModificationType, int nLength)
{
    if (!m_bEnabled)
        return;
    if (nModificationType & Sci::SC_MOD_BEFOREINSERT)
        m_changed.Insert(nPosition, nLength);
    else if (nModificationType & Sci::SC_MOD_BEFOREDELETE)
        m_changed.Delete(nPosition, nLength);
    else
        return;
    if (!m_bFlushQueued) {
        m_bFlushQueued = true;
        QMetaObject::invokeMethod(this, &CTypingColorizer::Flush, Qt::QueuedConnection);
    }
}

void CTypingColorizer::Flush()
{
    m_bFlushQueued = false;
    if (!m_bEnabled || m_changed.IsEmpty())
        return;
    const long long nStart = m_changed.Start();
    const long long nEnd = m_changed.End();
    m_changed.Clear();
    // Past the background's frontier the old styles are not a whole pass's to agree with.
    if (m_background.IsPending())
        m_background.ColourAgainFrom(nStart);
    else
        CEditRecolorer(*this).Recolor(nStart, nEnd);
}

long long CTypingColorizer::Length() const
{
    return m_editor.SendScintilla(Sci::SCI_GETLENGTH);
}

char CTypingColorizer::ByteAt(long long position) const
{
    return static_cast<char>(
        m_editor.SendScintilla(Sci::SCI_GETCHARAT, static_cast<unsigned long>(position)));
}

MarkupStyle CTypingColorizer::StyleAt(long long position) const
{
    return static_cast<MarkupStyle>(
        m_editor.SendScintilla(Sci::SCI_GETSTYLEAT, static_cast<unsigned long>(position)));
}

std::size_t CTypingColorizer::Read(long long position, char* buffer, std::size_t count) const
{
    const long long nEnd = std::min(position + static_cast<long long>(count), Length());
    if (nEnd <= position)
        return 0;
    m_range.resize(static_cast<std::size_t>(nEnd - position) + 1);
    m_editor.SendScintilla(Sci::SCI_GETTEXTRANGE, static_cast<long>(position),
                           static_cast<long>(nEnd), m_range.data());
    std::memcpy(buffer, m_range.data(), m_range.size() - 1);
    return m_range.size() - 1;
}

void CTypingColorizer::SetStyles(long long start, const char* styles, std::size_t length)
{
    m_editor.SendScintilla(Sci::SCI_STARTSTYLING, static_cast<unsigned long>(start), 0xffL);
    m_editor.SendScintilla(Sci::SCI_SETSTYLINGEX, static_cast<uintptr_t>(length), styles);
}
