#include "MatchingTags.h"

#include "FoldPolicy.h"
#include "JobGuard.h"
#include "JobProgressDlg.h"
#include "StatusNote.h"

#include <Qsci/qsciscintilla.h>

#include <algorithm>
#include <climits>
#include <optional>

namespace {

using Sci = QsciScintillaBase;
using EOutcome = CTagMatcher::EOutcome;

}  // namespace

CMatchingTags::CMatchingTags(QsciScintilla& editor, CFoldPolicy& folds)
    : QObject(&editor), m_editor(editor), m_folds(folds)
{
    m_editor.SendScintilla(Sci::SCI_INDICSETSTYLE, kIndicator,
                           static_cast<long>(Sci::INDIC_STRAIGHTBOX));
    m_editor.SendScintilla(Sci::SCI_INDICSETFORE, kIndicator, QColor(0, 160, 0));
    m_editor.SendScintilla(Sci::SCI_INDICSETALPHA, kIndicator, 60L);
    m_editor.SendScintilla(Sci::SCI_INDICSETUNDER, kIndicator, 1L);
    connect(&editor, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int nUpdated) {
        if (nUpdated & (Sci::SC_UPDATE_SELECTION | Sci::SC_UPDATE_CONTENT))
            MarkAtCaret();
    });
}

CTagMatcher CMatchingTags::MatcherFor(long long position, long long nLimit,
                                      CTagMatcher::Progress progress)
{
    return CTagMatcher(m_folds.Text(), m_folds.Levels().CheckpointBefore(position), nLimit,
                       std::move(progress));
}

template <typename Search>
auto CMatchingTags::Searched(long long position, const QString& what, Search search)
{
    std::optional<CJobGuard> guard;
    std::optional<CJobProgressDlg> dialog;
    CTagMatcher::Progress progress;
    if (!CJobGuard::IsRunning()) {
        guard.emplace();
        dialog.emplace(what, m_editor.window());
        progress = dialog->Callback();
    }
    CTagMatcher matcher = MatcherFor(position, LLONG_MAX / 4, progress);
    return search(matcher);
}

void CMatchingTags::GoToPartner()
{
    const long long nCaret = m_editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
    const CTagMatcher::SMatch match =
        Searched(nCaret, QStringLiteral("Looking for the matching tag..."),
                 [nCaret](CTagMatcher& matcher) { return matcher.MatchAt(nCaret); });
    switch (match.eOutcome) {
    case EOutcome::Found:
        if (match.partner.nStart != match.tag.nStart)
            m_editor.SendScintilla(Sci::SCI_GOTOPOS,
                                   static_cast<unsigned long>(match.partner.nStart + 1));
        break;
    case EOutcome::NoPartner:
        Note(QStringLiteral("No matching tag for <%1>.")
                 .arg(QString::fromUtf8(match.tag.name.c_str())));
        break;
    case EOutcome::NotInTag:
        Note(QStringLiteral("The caret is not in a start or end tag."));
        break;
    case EOutcome::Stopped:
        break;
    }
}

void CMatchingTags::SelectElement()
{
    const long long nStart = m_editor.SendScintilla(Sci::SCI_GETSELECTIONSTART);
    const long long nEnd = m_editor.SendScintilla(Sci::SCI_GETSELECTIONEND);
    const CTagMatcher::SElement element =
        Searched(nStart, QStringLiteral("Looking for the element's end tag..."),
                 [&](CTagMatcher& matcher) { return matcher.ElementAround(nStart, nEnd); });
    if (element.eOutcome == EOutcome::Found)
        m_editor.SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(element.start.nStart),
                               static_cast<long>(element.end.nEnd));
    else if (element.eOutcome == EOutcome::NoPartner)
        Note(QStringLiteral("No element around the selection has both its tags."));
}

void CMatchingTags::MarkAtCaret()
{
    if (CJobGuard::IsRunning())
        return;
    const long long nCaret = m_editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
    const CTagMatcher::SMatch match = MatcherFor(nCaret, kMarkLimit, {}).MatchAt(nCaret);
    if (match.eOutcome == EOutcome::Found)
        Mark(match.tag, match.partner);
    else
        Mark({}, {});
}

void CMatchingTags::Mark(const STagSpan& first, const STagSpan& second)
{
    m_editor.SendScintilla(Sci::SCI_SETINDICATORCURRENT, kIndicator);
    if (m_nMarkedLength > 0)
        m_editor.SendScintilla(Sci::SCI_INDICATORCLEARRANGE, 0UL,
                               static_cast<long>(std::min<long long>(
                                   m_nMarkedLength, m_editor.SendScintilla(Sci::SCI_GETLENGTH))));
    m_nMarkedLength = 0;
    for (const STagSpan* pTag : {&first, &second}) {
        if (!pTag->IsValid())
            continue;
        m_editor.SendScintilla(Sci::SCI_INDICATORFILLRANGE,
                               static_cast<unsigned long>(pTag->nStart),
                               static_cast<long>(pTag->nEnd - pTag->nStart));
        m_nMarkedLength = m_editor.SendScintilla(Sci::SCI_GETLENGTH);
    }
}

void CMatchingTags::Note(const QString& text)
{
    ShowStatusNote(&m_editor, text, true);
}
