// Whether the editor wraps its lines: decided by the text's length when a text is loaded, or by
// the user through View > Word Wrap.
#pragma once

class QsciScintillaBase;

class CWordWrap
{
public:
    explicit CWordWrap(QsciScintillaBase& editor) : m_editor(editor) {}

    // For a freshly loaded text: wrapped up to kLongestWrappedText bytes; forgets the user's
    // choice. True when the text is left unwrapped for its length.
    bool Reset(long long nLength);
    // The user's choice, kept until the next load.
    void SetOn(bool bOn);
    bool IsOn() const;
    // Unwraps a text an edit made longer than the limit, unless the user chose wrapping.
    void UnwrapIfTooLong(long long nLength);
    // Lays out every line now, when wrapping and shown at its width: the control would otherwise
    // do it all at once at the first caret key or jump below what it has wrapped in the
    // background, stalling that key.
    void WrapAllNow();

private:
    void SetMode(int nMode);

    QsciScintillaBase& m_editor;
    bool m_bChosen = false;
};
