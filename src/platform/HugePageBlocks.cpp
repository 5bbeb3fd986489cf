// Replaces the global operator new and delete of the program that links this file: blocks of
// 8 MB and more ask the kernel for transparent huge pages before anything touches them. The
// editor control zero-fills its text and style buffers as one block each (twice the file's size);
// with 4 KB pages, faulting those in took longer than reading the file. The kernel here gives
// huge pages only when asked (madvise), and glibc asks only under an environment tunable.
// Even so, the kernel's zeroing of those fresh pages was the largest part of opening 100 MB to
// 1 GB; a second thread faults in each block from its end while the control fills it from the
// front.
#include <sys/mman.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <thread>

namespace {

constexpr std::size_t kLargeBlock = std::size_t{8} << 20;
constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;

void AdviseHugePages(void* pBlock, std::size_t nSize)
{
    const auto nStart = reinterpret_cast<std::uintptr_t>(pBlock);
    const std::uintptr_t nFrom = (nStart + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t nTo = (nStart + nSize) & ~(kHugePage - 1);
    // Only advice: where the kernel declines, the block keeps its small pages.
    if (nTo > nFrom)
        madvise(reinterpret_cast<void*>(nFrom), nTo - nFrom, MADV_HUGEPAGE);
}

// From the end back to the start, in steps, until a step fails (the block freed, or a kernel
// without the advice): the thread filling the block from the front meets it where their work
// balances, after which each finds the other's pages in. The pages are only faulted in, never
// written: the race with the thread that fills them is the kernel's to settle.
void PopulateBackwards(std::uintptr_t nStart, std::size_t nSize)
{
    constexpr std::uintptr_t kStep = std::uintptr_t{16} << 20;
    const std::uintptr_t nFirst = (nStart + kHugePage - 1) & ~(kHugePage - 1);
    std::uintptr_t nEnd = (nStart + nSize) & ~(kHugePage - 1);
    while (nEnd > nFirst) {
        const std::uintptr_t nFrom = nEnd - std::min(kStep, nEnd - nFirst);
        if (madvise(reinterpret_cast<void*>(nFrom), nEnd - nFrom, MADV_POPULATE_WRITE) != 0)
            return;
        nEnd = nFrom;
    }
}

void PopulateAside(void* pBlock, std::size_t nSize)
{
    try {
        std::thread(PopulateBackwards, reinterpret_cast<std::uintptr_t>(pBlock), nSize).detach();
    } catch (...) {
        // No thread to spare: the block is faulted in as it is used.
    }
}

}  // namespace

void* operator new(std::size_t nSize)
{
    void* pBlock = std::malloc(nSize == 0 ? 1 : nSize);
    if (!pBlock)
        throw std::bad_alloc();
    if (nSize >= kLargeBlock) {
        AdviseHugePages(pBlock, nSize);
        PopulateAside(pBlock, nSize);
    }
    return pBlock;
}

void operator delete(void* pBlock) noexcept
{
    std::free(pBlock);
}

void operator delete(void* pBlock, std::size_t) noexcept
{
    std::free(pBlock);
}
