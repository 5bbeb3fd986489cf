// Marks where the last well-formedness check failed with a red squiggle until the text changes.
#pragma once

class QsciScintillaBase;

class CErrorMarker
{
public:
    static constexpr int kIndicator = 8;  // INDIC_CONTAINER: the first one free for our own use

    explicit CErrorMarker(QsciScintillaBase* pEditor);

    // Marks the character at byte `position` (the last one when it lies at or past the end).
    void Mark(long long position);
    void Clear();
    // The marked byte, or -1 when nothing is marked.
    long long Position() const { return m_nPosition; }

private:
    void OnModified(int nModificationType);

    QsciScintillaBase* m_pEditor;
    long long m_nPosition = -1;
};
