// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace wendrake {

// Starts the window's program, which lies beside the command line's, with
// the same arguments, and returns its exit status. On POSIX systems it
// takes this process's place and returns only when it cannot be started,
// with the exit status after a one-line message naming the program.
int startWindow(const std::vector<std::string>& arguments);

}  // namespace wendrake
