// Replaces the global operator new and delete of the program that links this file: blocks of
// 8 MB and more ask the kernel for transparent huge pages before anything touches them. The
// editor control zero-fills its text and style buffers as one block each (twice the file's size);
// with 4 KB pages, faulting those in took longer than reading the file. The kernel here gives
// huge pages only when asked (madvise), and glibc asks only under an environment tunable.
#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <new>

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

}  // namespace

void* operator new(std::size_t nSize)
{
    void* pBlock = std::malloc(nSize == 0 ? 1 : nSize);
    if (!pBlock)
        throw std::bad_alloc();
    if (nSize >= kLargeBlock)
        AdviseHugePages(pBlock, nSize);
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
