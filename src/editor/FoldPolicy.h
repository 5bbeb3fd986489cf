// Folding by element in the editor: the levels kept by the markup engine after each edit (a
// bounded step at once, the rest while the editor is idle), with the checkpoints the other
// questions about elements start from; the fold margin and the fold commands.
#pragma once

#include "FoldLevels.h"
#include "LineLevelsAdapter.h"
#include "TextBuffer.h"

#include <QObject>
#include <QTimer>

class QsciScintilla;

class CFoldPolicy : public QObject, private ITextEditObserver
{
    Q_OBJECT
public:
    // Scanned at once after an edit; the rest waits for idle slices.
    static constexpr long long kEditBytes = 256 * 1024;
    static constexpr long long kSliceBytes = 512 * 1024;

    CFoldPolicy(QsciScintilla& editor, ITextBuffer& buffer);
    ~CFoldPolicy() override;

    // Off: no margin and every line shown; the levels are still kept.
    void SetOn(bool bOn);
    bool IsOn() const { return m_bOn; }
    bool IsPending() const { return m_levels.IsPending(); }
    // After the whole text was replaced without announcing it: levels from the start.
    void Restart();
    // Brings every level up to date, with progress and Cancel when it takes long; false when
    // cancelled.
    bool Finish();

    const ITextBuffer& Text() const { return m_buffer; }
    const CFoldLevels& Levels() const { return m_levels; }

    // The element holding the caret's line, or starting on it.
    void FoldAtCaret();
    void UnfoldAtCaret();
    void FoldAll();
    void UnfoldAll();

private:
    void OnTextEdit(const STextEdit& edit) override;
    void RunAfterEdit();
    void OnTimer();
    void Continue(long long nBytes);
    long long HeaderAtCaret() const;

    QsciScintilla& m_editor;
    ITextBuffer& m_buffer;
    CLineLevelsAdapter m_lines;
    CFoldLevels m_levels;
    QTimer m_timer;
    bool m_bOn = false;
    bool m_bRunQueued = false;
};
