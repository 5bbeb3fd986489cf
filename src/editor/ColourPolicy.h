// Decides when the editor's text is coloured: whole on opening, New and Alt+R, in slices while
// the editor is idle after a long text opened, after each change when colouring as you type,
// after undo and redo, and at once when printing needs the colours. The colouring itself is the
// markup engine's, over the control seen through CColourAdapter.
#pragma once

#include "ChangedRange.h"
#include "ColourAdapter.h"
#include "JobProgress.h"
#include "SlicedPass.h"
#include "TextBuffer.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <functional>

class QsciScintillaBase;

class CColourPolicy : public QObject, private ITextEditObserver
{
    Q_OBJECT
public:
    // Colours `editor`, told of its edits by `buffer`, the same text.
    CColourPolicy(QsciScintillaBase& editor, ITextBuffer& buffer);
    ~CColourPolicy() override;

    // The control's text and styles as the colouring sees them.
    IStyledText& Text() { return m_text; }

    // Colours the complete tokens of `text`, which lies at `position`; `position` ends on the
    // first byte not coloured.
    void ColorMarkup(long long& position, const QByteArray& text);
    // Colours the whole text, an unfinished last token in the tail style; ends the slices.
    void ColorAll();
    // As ColorAll, telling `progress` after each chunk; false when it asked to stop, with every
    // style back as it was and the slices still pending.
    bool ColorAll(const JobProgress& progress);

    // Slices of a whole pass from the text's start while the editor is idle; the styles there
    // must be untouched since the text was set.
    void StartSlices();
    void StopSlices();
    bool IsPending() const { return m_sliced.IsPending(); }
    // Where the next slice starts: styles before it are final.
    long long Frontier() { return m_sliced.Frontier(); }
    // Colours the rest now, telling `progress` after each slice; false when it asked to stop,
    // with what was coloured kept and the rest still pending.
    bool Finish(const JobProgress& progress = {});
    // Colours the lines on screen now when the slices have not reached them: a jump to the end
    // of a big text shows it coloured at once. The styles are those the slices will set.
    void ColourShownLines();
    // Colours [start, end), which a command just put in place of other text, as a whole pass
    // would: at once when it is short, else by the idle slices from `start` on.
    void ColourReplaced(long long start, long long end);

    // Off by default. The styles must be a whole pass's when it is turned on.
    void SetTypingColours(bool bEnabled);
    bool TypingColours() const { return m_bTyping; }
    // Colours what changed since the last time; also runs by itself after each change.
    void FlushTyping();

    // Runs `step`, an undo or a redo, then colours the tokens its changes touched: the control
    // keeps no styles in its undo history.
    void RunUndoStep(const std::function<void()>& step);

private:
    // Only offsets are used: it may come before or after the change.
    void OnTextEdit(const STextEdit& edit) override;
    void NoteChange(long long position, long long length, bool bInsert, bool bUndoStep);
    void OnTimer();

    QsciScintillaBase& m_editor;
    ITextBuffer& m_buffer;
    CColourAdapter m_text;
    CSlicedPass m_sliced{m_text};
    QTimer m_timer;
    bool m_bTyping = false;
    bool m_bFlushQueued = false;
    CChangedRange m_typed;  // changes not coloured yet when colouring as you type
    bool m_bUndoRunning = false;
    CChangedRange m_undone;  // what the running undo or redo changed so far
};
