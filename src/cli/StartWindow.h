// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once


namespace wendrake {

// Replaces this process by the window's program, which lies beside the
// command line's, with the same arguments.
// Returns only when that fails, with the exit status after a one-line
// message naming the program.
int startWindow(char* argv[]);

}  // namespace wendrake
