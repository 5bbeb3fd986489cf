// Underlines validation errors in the editor with an indicator (styles, and so colours, stay as
// they are); the marks move with the text as it is edited.
#pragma once

#include "ValidationResult.h"

class QsciScintillaBase;

class CIssueMarks
{
public:
    static constexpr int kIndicator = 9;  // the one after the well-formedness check's

    explicit CIssueMarks(QsciScintillaBase* pEditor);

    void Mark(const QVector<SValidationIssue>& issues);
    void Clear();
    // The byte where an error at `nLine` (from 1) and `nColumn` (characters from 1; 0 for the
    // line's first non-blank) begins, clipped to the text.
    long PositionOf(long nLine, long nColumn) const;

private:
    long Send(unsigned int nMessage, unsigned long wParam = 0, long lParam = 0) const;

    QsciScintillaBase* m_pEditor;
};
