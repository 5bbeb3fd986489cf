#include "NameCompletion.h"

#include "CaretTemplateMatch.h"
#include "NameChoices.h"
#include "TarnelDoc.h"
#include "TarnelView.h"
#include "TemplateNode.h"

#include <algorithm>
#include <set>

namespace {

using Sci = QsciScintillaBase;

// The template tree offers at most this many names when there is no grammar.
constexpr std::size_t kMaxTemplateNames = 4096;

}  // namespace

CNameCompletion::CNameCompletion(CTarnelView& view) : QObject(&view), m_view(view)
{
    connect(&m_view, &QsciScintillaBase::SCN_CHARADDED, this, &CNameCompletion::OnCharAdded);
    connect(&m_view,
            qOverload<const char*, int, int, int, int>(&QsciScintillaBase::SCN_USERLISTSELECTION),
            this, &CNameCompletion::OnChosen);
}

long long CNameCompletion::Send(unsigned int nMsg, long long wParam, long long lParam) const
{
    return m_view.SendScintilla(nMsg, static_cast<unsigned long>(wParam),
                                static_cast<long>(lParam));
}

std::vector<std::string> CNameCompletion::KnownNames()
{
    const CTarnelDoc* pDocument = m_view.GetDocument();
    const TemplateNode* root = pDocument ? pDocument->m_pTemplateRoot : nullptr;
    const std::vector<std::string> used = m_view.Folds().Levels().Names().Sorted();
    std::set<std::string> names(used.begin(), used.end());
    std::vector<const TemplateNode*> pending;
    if (root)
        pending.push_back(root);
    while (!pending.empty() && names.size() < kMaxTemplateNames) {
        const TemplateNode* node = pending.back();
        pending.pop_back();
        if (node != root)
            names.insert(node->name);
        pending.insert(pending.end(), node->children, node->children + node->childCount);
    }
    return std::vector<std::string>(names.begin(), names.end());
}

std::vector<std::string> CNameCompletion::PathBeforeTypedTag() const
{
    std::vector<std::string> steps;
    for (const QString& step : m_view.Path().StepsAtCaret())
        steps.push_back(step.toStdString());
    std::vector<std::string> path = ElementNamesOfSteps(steps);
    if (path.empty())
        return path;
    // A "<" typed before text ("<|word more>") opens a start tag of that text: the element the
    // completion is for is the one around it.
    const long long nCaret = Send(Sci::SCI_GETCURRENTPOS);
    const std::string& last = path.back();
    const long long nEnd =
        std::min(nCaret + static_cast<long long>(last.size()) + 1, Send(Sci::SCI_GETLENGTH));
    std::string after(static_cast<std::size_t>(nEnd - nCaret) + 1, '\0');
    m_view.SendScintilla(Sci::SCI_GETTEXTRANGE, static_cast<unsigned long>(nCaret),
                         static_cast<long>(nEnd), after.data());
    after.pop_back();  // the NUL Scintilla adds
    const bool bNameFollows =
        after.compare(0, last.size(), last) == 0
        && (after.size() == last.size()
            || std::string(" \t\r\n/>").find(after.back()) != std::string::npos);
    if (bNameFollows)
        path.pop_back();
    return path;
}

void CNameCompletion::OnCharAdded(int ch)
{
    if (!m_bOn || m_view.isReadOnly() || Send(Sci::SCI_AUTOCACTIVE) != 0)
        return;
    const CTarnelDoc* pDocument = m_view.GetDocument();
    const SGrammarModel* grammar = pDocument ? pDocument->TemplateGrammar() : nullptr;
    if (ch == '<') {
        Show(kElements, ElementChoices(grammar, PathBeforeTypedTag(), KnownNames()), true);
        return;
    }
    if (ch != ' ' || !grammar)
        return;
    const long long nCaret = Send(Sci::SCI_GETCURRENTPOS);
    const long long nFrom = std::max(0LL, nCaret - kTagLookBack);
    std::string before(static_cast<std::size_t>(nCaret - nFrom) + 1, '\0');
    m_view.SendScintilla(Sci::SCI_GETTEXTRANGE, static_cast<unsigned long>(nFrom),
                         static_cast<long>(nCaret), before.data());
    before.pop_back();  // the NUL Scintilla adds
    std::string element;
    std::vector<std::string> written;
    if (StartTagAtCaret(before, element, written))
        Show(kAttributes, AttributeChoices(grammar, element, written), false);
}

void CNameCompletion::Show(EList list, const std::vector<std::string>& names, bool bSorted)
{
    if (names.empty())
        return;
    std::string joined;
    for (const std::string& name : names)
        joined.append(joined.empty() ? "" : " ").append(name);
    Send(Sci::SCI_AUTOCSETORDER, bSorted ? Sci::SC_ORDER_PRESORTED : Sci::SC_ORDER_CUSTOM);
    m_view.SendScintilla(Sci::SCI_USERLISTSHOW, static_cast<unsigned long>(list), joined.c_str());
}

void CNameCompletion::OnChosen(const char* pSelection, int nList, int, int, int nPosition)
{
    if (nList != kElements && nList != kAttributes)
        return;
    // What was typed since the list opened narrowed it down; the choice replaces it.
    const long long nCaret = Send(Sci::SCI_GETCURRENTPOS);
    std::string text(pSelection ? pSelection : "");
    if (nList == kAttributes)
        text += "=\"\"";
    Send(Sci::SCI_BEGINUNDOACTION);
    Send(Sci::SCI_SETSEL, nPosition, nCaret);
    m_view.SendScintilla(Sci::SCI_REPLACESEL, 0UL, text.c_str());
    if (nList == kAttributes)
        Send(Sci::SCI_GOTOPOS, Send(Sci::SCI_GETCURRENTPOS) - 1);
    Send(Sci::SCI_ENDUNDOACTION);
}
