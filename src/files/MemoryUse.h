// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

namespace wendrake {

// Has the C library give a large block of memory (the table of a file with
// thousands of vehicles, a large file's bytes) back to the system as soon as
// it is freed. By default glibc starts keeping freed blocks of up to 32 MB
// for reuse, so that opening or importing one large file after another kept
// the memory of the earlier ones in use. Call once, first thing in main().
void returnLargeBlocksWhenFreed();

// For a process that reads one large file and ends: the heap grows in one
// step of `bytes` held in 2 MB pages where the system offers them, and every
// block comes from it. Each 4 KB page first touched cost a fault, and those
// faults took a fifth of a command's time on a large file.
void growHeapInLargePages(std::size_t bytes);

}  // namespace wendrake
