// Marks where the last well-formedness check failed with a red squiggle until the text changes.
#pragma once

#include "TextBuffer.h"

class QsciScintillaBase;

class CErrorMarker : private ITextEditObserver
{
public:
    static constexpr int kIndicator = 8;  // INDIC_CONTAINER: the first one free for our own use

    // Draws on `pEditor`, which shows `text`.
    CErrorMarker(QsciScintillaBase* pEditor, ITextBuffer& text);
    ~CErrorMarker();
    CErrorMarker(const CErrorMarker&) = delete;
    CErrorMarker& operator=(const CErrorMarker&) = delete;

    // Marks the character at byte `position` (the last one when it lies at or past the end).
    void Mark(long long position);
    void Clear();
    // The marked byte, or -1 when nothing is marked.
    long long Position() const { return m_nPosition; }

private:
    void OnTextEdit(const STextEdit&) override { Clear(); }

    QsciScintillaBase* m_pEditor;
    ITextBuffer& m_text;
    long long m_nPosition = -1;
};
