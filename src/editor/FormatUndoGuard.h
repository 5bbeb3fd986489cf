// Keeps Undo from bringing back, unasked, a line too long to show at once that Format XML broke
// when the file was opened. A marker step above the formatting, which changes no text, is what
// Undo meets first: undoing it lays nothing out, and then the user is asked whether to undo the
// formatting too. Redoing the formatting puts the marker back above it.
#pragma once

#include "TextBuffer.h"

#include <functional>

class QsciScintillaBase;

class CFormatUndoGuard : private ITextEditObserver
{
public:
    // Asked before the line comes back; true to undo the formatting.
    using Question = std::function<bool()>;
    // Runs one undo or redo step of the control.
    using Step = std::function<void()>;

    CFormatUndoGuard(QsciScintillaBase& editor, ITextBuffer& text);
    ~CFormatUndoGuard();
    CFormatUndoGuard(const CFormatUndoGuard&) = delete;
    CFormatUndoGuard& operator=(const CFormatUndoGuard&) = delete;

    // The formatting was the last step: puts the marker above it.
    void Arm();
    // Nothing to guard any more: a new text, or an emptied undo history.
    void Disarm() { m_eState = EState::Off; }
    bool IsArmed() const { return m_eState != EState::Off; }

    void Undo(const Step& undo, const Question& mayUndoFormat);
    void Redo(const Step& redo);

private:
    enum class EState
    {
        Off,
        Armed,         // the marker is in the history, above the formatting
        FormatUndone,  // the user chose to undo it; a redo brings it and the marker back
    };

    void OnTextEdit(const STextEdit& edit) override;

    QsciScintillaBase& m_editor;
    ITextBuffer& m_text;
    EState m_eState = EState::Off;
    long long m_nEdits = 0;  // counts text edits, to see a step that changed none
};
