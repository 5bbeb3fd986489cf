// The path of the element at the caret for the status bar (`/catalog/book[3]/title`), from the
// fold pass's checkpoints, and the selection of one of its elements.
#pragma once

#include "OpenElements.h"

#include <QHash>
#include <QObject>
#include <QStringList>

class QsciScintilla;
class CFoldPolicy;

class CElementPath : public QObject
{
    Q_OBJECT
public:
    // Reading more than this to count an element's earlier siblings leaves its place unknown:
    // the path follows the caret within a keystroke's time.
    static constexpr long long kCountLimit = 1 << 20;

    CElementPath(QsciScintilla& editor, CFoldPolicy& folds);

    // The steps at the caret, outermost first: a name, with its place among same-named siblings
    // from the second on ("[?]" when too far to count).
    QStringList StepsAtCaret();
    // Selects the element of step `nStep` of the last path, start tag to end tag.
    void SelectStep(int nStep);

private:
    QsciScintilla& m_editor;
    CFoldPolicy& m_folds;
    COpenElements m_open;             // of the last path
    QHash<long long, int> m_nPlaces;  // by start tag, while the text is unchanged
};
