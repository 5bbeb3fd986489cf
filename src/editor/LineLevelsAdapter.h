// The editor control's lines, fold levels and line states as the structure passes see them.
#pragma once

#include "LineLevels.h"

class QsciScintillaBase;

class CLineLevelsAdapter : public ILineLevels
{
public:
    explicit CLineLevelsAdapter(QsciScintillaBase& editor) : m_editor(editor) {}

    long long LineCount() const override;
    long long LineStart(long long line) const override;
    long long LineOfPosition(long long position) const override;
    int FoldLevel(long long line) const override;
    void SetFoldLevel(long long line, int level) override;
    int LineState(long long line) const override;
    void SetLineState(long long line, int state) override;

private:
    QsciScintillaBase& m_editor;
};
