#include "EditNotifier.h"

#include <Qsci/qsciscintillabase.h>

namespace {

using Sci = QsciScintillaBase;

STextEdit::ESource SourceOf(int nModificationType)
{
    if (nModificationType & Sci::SC_PERFORMED_UNDO)
        return STextEdit::ESource::Undo;
    if (nModificationType & Sci::SC_PERFORMED_REDO)
        return STextEdit::ESource::Redo;
    return STextEdit::ESource::User;
}

}  // namespace

CEditNotifier::CEditNotifier(QsciScintillaBase& editor) : QObject(&editor)
{
    connect(&editor, &Sci::SCN_MODIFIED, this,
            [this](int nPosition, int nType, const char*, int nLength) {
                OnModified(nPosition, nType, nLength);
            });
    connect(&editor, &Sci::SCN_SAVEPOINTLEFT, this, [this] { m_observers.AnnounceModified(true); });
    connect(&editor, &Sci::SCN_SAVEPOINTREACHED, this,
            [this] { m_observers.AnnounceModified(false); });
}

void CEditNotifier::OnModified(int nPosition, int nModificationType, int nLength)
{
    // Only the notifications before a change come whatever the event mask (see
    // CEditorAccessibility); those after it are left off while no screen reader listens.
    STextEdit edit{nPosition, 0, 0, SourceOf(nModificationType)};
    if (nModificationType & Sci::SC_MOD_BEFOREINSERT)
        edit.nInserted = nLength;
    else if (nModificationType & Sci::SC_MOD_BEFOREDELETE)
        edit.nRemoved = nLength;
    else
        return;
    m_observers.Announce(edit);
}
