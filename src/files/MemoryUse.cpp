// SPDX-License-Identifier: GPL-3.0-or-later
#include "MemoryUse.h"

#include <cstdlib>  // defines __GLIBC__ on systems with the GNU C library
#if defined(__GLIBC__)
#include <malloc.h>
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

}  // namespace wendrake
