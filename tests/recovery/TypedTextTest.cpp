#include "TypedText.h"

#include <gtest/gtest.h>

namespace {

using EKind = SRecoveryEdit::EKind;

SRecoveryEdit Insert(qint64 nPos, const QByteArray& bytes)
{
    return {EKind::Insert, nPos, bytes.size(), bytes};
}

SRecoveryEdit Delete(qint64 nPos, qint64 nLength)
{
    return {EKind::Delete, nPos, nLength, {}};
}

TEST(TypedTextTest, KeepsWhatWasTypedAndSurvivesInTextOrder)
{
    const struct
    {
        const char* name;
        qint64 nBase;
        std::vector<SRecoveryEdit> edits;
        QByteArray expected;
    } cases[] = {
        {"nothing typed", 10, {Delete(2, 3)}, ""},
        {"one insertion", 10, {Insert(4, "abc")}, "abc"},
        {"typed then partly deleted", 0, {Insert(0, "abcdef"), Delete(1, 3)}, "aef"},
        {"adjacent runs join", 10, {Insert(5, "cd"), Insert(5, "ab")}, "abcd"},
        {"runs the original separates go on lines of their own",
         10,
         {Insert(8, "late"), Insert(2, "early")},
         "early\nlate"},
        {"a deletion across original and typed bytes",
         10,
         {Insert(5, "xyz"), Delete(3, 4), Insert(0, "<a>")},
         "<a>\nz"},
        {"a line end already there is not doubled", 4, {Insert(4, "b"), Insert(0, "a\n")}, "a\nb"},
        {"marks of saving are not text",
         3,
         {Insert(3, "q"), {EKind::Clean, 0, 0, {}}, {EKind::Dirty, 0, 0, {}}},
         "q"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CTypedText::Of(c.nBase, c.edits), c.expected);
    }
}

}  // namespace
