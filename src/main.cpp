// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/StartWindow.h"
#include "files/MemoryUse.h"

// The command line: it answers the commands itself, without Qt, and hands
// the window's arguments on to the window's program.
int main(int argc, char* argv[]) {
    wendrake::returnLargeBlocksWhenFreed();
    // The words as given: a vehicle name is the file's bytes, which need not
    // be text of the locale.
    const std::vector<std::string> args(argv, argv + argc);
    if (wendrake::windowRequest(args)) {
        return wendrake::startWindow(argv);
    }
    return wendrake::runCommandLine(args);
}
