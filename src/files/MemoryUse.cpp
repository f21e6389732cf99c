// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryUse.h"

#include <cstdlib>  // defines __GLIBC__ on systems with the GNU C library
#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#endif

namespace wendrake {

void returnLargeBlocksWhenFreed() {
#if defined(__GLIBC__)
    // From 8 MB on a block is mapped on its own and unmapped when freed;
    // smaller ones (a file's bytes, a save's text) are reused from the heap,
    // which keeps up to 32 MB free before it shrinks.
    constexpr int kLargeBlock = 8 * 1024 * 1024;
    mallopt(M_MMAP_THRESHOLD, kLargeBlock);
    mallopt(M_TRIM_THRESHOLD, 4 * kLargeBlock);
#endif
}

void growHeapInLargePages(std::size_t bytes) {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    const auto padding = static_cast<int>(bytes);
    mallopt(M_MMAP_THRESHOLD, padding);
    mallopt(M_TRIM_THRESHOLD, 2 * padding);
    mallopt(M_TOP_PAD, padding);
    // A block larger than the heap's free room makes it grow, reaching past
    // the block by the padding; that room is marked for large pages.
    constexpr std::size_t kGrowth = 1024 * 1024;
    void* const block = std::malloc(kGrowth);
    if (block == nullptr) {
        return;
    }
    constexpr std::uintptr_t kLargePage = 2 * 1024 * 1024;
    const auto first =
        (reinterpret_cast<std::uintptr_t>(block) + kLargePage - 1) & ~(kLargePage - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0)) & ~(kLargePage - 1);
    if (end > first) {
        // Only advice: where the system has no large pages it is ignored.
        madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
    std::free(block);
#else
    (void)bytes;
#endif
}

}  // namespace wendrake
