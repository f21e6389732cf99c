// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wendrake {

// Starts the window's program, which lies beside the command line's, with
// the same arguments, and returns its exit status. On POSIX systems it
// takes this process's place and returns only when it cannot be started,
// with the exit status after a one-line message naming the program.
int startWindow(const std::vector<std::string>& arguments);

// Files and folders and nothing else, which is what Explorer passes for
// what is dropped on the program: on Windows they are checked together, and
// the exit status returned. Nothing on other systems, where such words are
// a wrong command line, and for one file, which asks for the window.
std::optional<int> answerDroppedFiles(const std::vector<std::string>& arguments);

}  // namespace wendrake
