// SPDX-License-Identifier: GPL-3.0-or-later
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/ProgramArguments.h"
#include "cli/StartWindow.h"
#include "files/MemoryUse.h"

// The command line: it answers the commands itself, without Qt, and hands
// the window's arguments on to the window's program.
int main(int argc, char* argv[]) {
    wendrake::returnLargeBlocksWhenFreed();
    const std::vector<std::string> args = wendrake::programArguments(argc, argv);
    if (wendrake::windowRequest(args)) {
        return wendrake::startWindow(args);
    }
    if (const std::optional<int> status = wendrake::answerDroppedFiles(args)) {
        return *status;
    }
    return wendrake::runCommandLine(args);
}
