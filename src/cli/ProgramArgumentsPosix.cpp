// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramArguments.h"

namespace wendrake {

// The words as given: a vehicle's name is the file's bytes, which need not
// be text of the locale.
std::vector<std::string> programArguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv, argv + argc);
}

}  // namespace wendrake
