// What the structure passes need of the text's lines: where they start, and two numbers kept per
// line that move with the lines as they are inserted and removed (Scintilla's fold level and
// line state).
#pragma once

class ILineLevels
{
public:
    virtual long long LineCount() const = 0;
    virtual long long LineStart(long long line) const = 0;
    virtual long long LineOfPosition(long long position) const = 0;
    virtual int FoldLevel(long long line) const = 0;
    virtual void SetFoldLevel(long long line, int level) = 0;
    virtual int LineState(long long line) const = 0;
    virtual void SetLineState(long long line, int state) = 0;

protected:
    ~ILineLevels() = default;
};

// Scintilla's encoding of a fold level.
namespace FoldLevel {
constexpr int kBase = 0x400;
constexpr int kHeader = 0x2000;
constexpr int kNumberMask = 0x0FFF;
constexpr int kDeepest = kNumberMask - kBase;
}  // namespace FoldLevel
