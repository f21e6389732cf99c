// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace wendrake {

// The words the program was started with, the program's own name first, in
// the form the program keeps file names in (see files/NativePath.h): on
// Windows read from the system's UTF-16 command line, as `argv` holds only
// what the code page can spell.
std::vector<std::string> programArguments(int argc, char* argv[]);

}  // namespace wendrake
