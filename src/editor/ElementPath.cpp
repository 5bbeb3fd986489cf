#include "ElementPath.h"

#include "FoldPolicy.h"
#include "JobGuard.h"
#include "JobProgressDlg.h"
#include "StatusNote.h"
#include "TagMatcher.h"

#include <Qsci/qsciscintilla.h>

#include <climits>
#include <optional>

namespace {

using Sci = QsciScintillaBase;

}  // namespace

CElementPath::CElementPath(QsciScintilla& editor, CFoldPolicy& folds)
    : QObject(&editor), m_editor(editor), m_folds(folds)
{
    connect(&editor, &QsciScintilla::textChanged, this, [this] { m_nPlaces.clear(); });
}

QStringList CElementPath::StepsAtCaret()
{
    const long long nCaret = m_editor.SendScintilla(Sci::SCI_GETCURRENTPOS);
    CTagMatcher matcher(m_folds.Text(), m_folds.Levels().CheckpointBefore(nCaret), kCountLimit);
    const std::vector<const SOpenElement*> path = matcher.PathAt(nCaret, m_open);
    QStringList steps;
    COpenElements open = m_open;
    for (auto it = path.rbegin(); it != path.rend(); ++it, open.CloseInnermost()) {
        const SOpenElement* pStep = *it;
        auto place = m_nPlaces.find(pStep->nStart);
        if (place == m_nPlaces.end())
            place = m_nPlaces.insert(pStep->nStart, matcher.SiblingIndex(open));
        QString step = QString::fromUtf8(pStep->name.data(), static_cast<int>(pStep->name.size()));
        if (*place == 0)
            step += QStringLiteral("[?]");
        else if (*place > 1)
            step += QStringLiteral("[%1]").arg(*place);
        steps.prepend(step);
    }
    return steps;
}

void CElementPath::SelectStep(int nStep)
{
    COpenElements open = m_open;
    open.CloseDeeperThan(nStep + 1);
    const SOpenElement* pElement = open.Innermost();
    if (!pElement || pElement->nDepth != nStep + 1)
        return;
    std::optional<CJobGuard> guard;
    std::optional<CJobProgressDlg> dialog;
    CTagMatcher::Progress progress;
    if (!CJobGuard::IsRunning()) {
        guard.emplace();
        dialog.emplace(QStringLiteral("Looking for the element's end tag..."), m_editor.window());
        progress = dialog->Callback();
    }
    CTagMatcher matcher(m_folds.Text(), m_folds.Levels().CheckpointBefore(pElement->nStart),
                        LLONG_MAX / 4, progress);
    const STagSpan start = matcher.TagStartingAt(pElement->nStart);
    const CTagMatcher::SElement element = matcher.FindEnd(open, start.nEnd);
    if (element.eOutcome == CTagMatcher::EOutcome::Found)
        m_editor.SendScintilla(Sci::SCI_SETSEL, static_cast<unsigned long>(start.nStart),
                               static_cast<long>(element.end.nEnd));
    else if (element.eOutcome == CTagMatcher::EOutcome::NoPartner)
        ShowStatusNote(
            &m_editor,
            QStringLiteral("<%1> has no end tag.").arg(QString::fromUtf8(pElement->name.c_str())),
            true);
}
