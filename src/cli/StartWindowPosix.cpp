// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "Output.h"
#include "StartWindow.h"
#include "files/ProgramFolder.h"

namespace wendrake {

std::string windowProgramPath() {
    return runningProgramFolder() + "wendrake-window";
}

int startWindow(char* argv[]) {
    const std::string program = windowProgramPath();
    ::execv(program.c_str(), argv);
    const int error = errno;
    writeOut(stderr, "wendrake: cannot start the window, " + program +
                         (error == ENOENT ? std::string(" is missing")
                                          : ": " + std::string(std::strerror(error))) +
                         "\n");
    return Failed;
}

}  // namespace wendrake
