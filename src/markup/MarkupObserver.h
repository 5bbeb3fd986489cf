// Told what a colouring pass passes over, so that structure (fold levels, tag pairs, the
// element path) can come from the same pass.
#pragma once

#include <string_view>

enum class TagKind
{
    Start,  // <name ...>
    End,    // </name>
    Empty,  // <name .../>
    Other   // <?...?>, <!...>, <>
};

struct SPassedTag
{
    long long nStart;  // the "<"
    long long nEnd;    // just after the ">"
    TagKind eKind;
    std::string_view name;  // valid during the call; empty for "<>"
    // Elements open around the tag once it is passed, counted from where the pass started.
    int nDepth;
};

class IMarkupObserver
{
public:
    virtual ~IMarkupObserver() = default;
    virtual void TagOpened(long long start) = 0;
    virtual void TagClosed(const SPassedTag& tag) = 0;
};
