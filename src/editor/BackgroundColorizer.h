// Colours an opened text while the editor is idle, in slices from its start, so the text shows at
// once. The styles come out exactly as a whole pass at opening would have left them, edits made
// meanwhile included: a slice starts where a pass would be outside any unfinished token.
#pragma once

#include "JobProgress.h"
#include "MarkupScanner.h"

#include <QObject>
#include <QTimer>

#include <optional>

class CTarnelView;
class CViewColorizer;

class CBackgroundColorizer : public QObject
{
    Q_OBJECT
public:
    // About 3 ms of scanning and styling: a key pressed meanwhile waits no longer.
    static constexpr long long kSliceBytes = 512 * 1024;

    CBackgroundColorizer(CTarnelView& view, CViewColorizer& colorizer);

    // From the text's start; the styles there must be untouched since the text was set.
    void Start();
    void Stop();
    bool IsPending() const { return m_bPending; }
    // Where the next slice starts: styles before it are final.
    long long Frontier();
    // Colours the rest now, telling `progress` after each slice; false when it asked to stop,
    // with what was coloured kept and the rest still pending.
    bool Finish(const JobProgress& progress = {});
    // Colours again from the token before `position` on, as a pass over the text as it is now
    // would: the edits there are to be coloured, not left as they were typed.
    void ColourAgainFrom(long long position);
    // Colours the lines on screen now when the slices have not reached them: a jump to the end of
    // a big text shows it coloured at once. The styles are those the slices will set.
    void ColourShownLines();

private:
    void OnBeforeChange(long long position, int type, long long length);
    void OnTimer();
    // One slice; true once the text is done.
    bool ColourSlice();

    CTarnelView& m_view;
    CViewColorizer& m_colorizer;
    QTimer m_timer;
    bool m_bPending = false;
    long long m_nFrontier = 0;
    bool m_bSeekRestart = false;              // m_nFrontier lies in an edit: restart before it
    std::optional<CMarkupScanner> m_scanner;  // fed past the frontier, while no edit came between
};
