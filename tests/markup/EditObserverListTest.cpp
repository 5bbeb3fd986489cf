#include "EditObserverList.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Counts what it is told and does `then` after each edit.
struct SObserver : ITextEditObserver
{
    void OnTextEdit(const STextEdit&) override
    {
        ++nEdits;
        if (then)
            then();
    }
    void OnModifiedChanged(bool) override { ++nModified; }

    int nEdits = 0;
    int nModified = 0;
    std::function<void()> then;
};

TEST(EditObserverListTest, ObserversRemovedWhileAnnouncingAreToldNothingMore)
{
    CEditObserverList list;
    SObserver first, second, third;
    list.Add(&first);
    list.Add(&second);
    list.Add(&third);
    first.then = [&] {
        list.Remove(&first);
        list.Remove(&third);
    };
    list.Announce({});
    list.Announce({});
    list.AnnounceModified(true);
    EXPECT_EQ(first.nEdits, 1);
    EXPECT_EQ(second.nEdits, 2);
    EXPECT_EQ(third.nEdits, 0);
    EXPECT_EQ(first.nModified + second.nModified + third.nModified, 1);
}

TEST(EditObserverListTest, AnObserverAddedWhileAnnouncingHearsOfLaterEdits)
{
    CEditObserverList list;
    SObserver first, added;
    list.Add(&first);
    first.then = [&] {
        if (first.nEdits == 1)
            list.Add(&added);
    };
    list.Announce({});
    list.Announce({});
    EXPECT_EQ(added.nEdits, 1);
}

}  // namespace
