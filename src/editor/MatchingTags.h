// Matching tags in the editor: both tags of the element at the caret marked with an indicator
// (styles stay the colouring's), the jump to the other tag and the selection of the element
// around the caret, then of its parent.
#pragma once

#include "TagMatcher.h"

#include <QObject>

class QsciScintilla;
class CFoldPolicy;

class CMatchingTags : public QObject
{
    Q_OBJECT
public:
    static constexpr int kIndicator = 9;
    // A partner further than this from the caret is not marked as the caret moves: each move
    // must stay within a keystroke's time.
    static constexpr long long kMarkLimit = 1 << 20;

    CMatchingTags(QsciScintilla& editor, CFoldPolicy& folds);

    // Ctrl+M: the caret goes to the other tag of the element at the caret.
    void GoToPartner();
    // Ctrl+Shift+M.
    void SelectElement();
    // Marks the tags of the element at the caret, or none.
    void MarkAtCaret();

private:
    CTagMatcher MatcherFor(long long position, long long nLimit, CTagMatcher::Progress progress);
    // With a progress dialog once a search runs long.
    template <typename Search>
    auto Searched(long long position, const QString& what, Search search);
    void Mark(const STagSpan& first, const STagSpan& second);
    void Note(const QString& text);

    QsciScintilla& m_editor;
    CFoldPolicy& m_folds;
    long long m_nMarkedLength = 0;
};
