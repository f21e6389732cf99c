// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "Output.h"
#include "StartWindow.h"
#include "files/ProgramFolder.h"

namespace wendrake {

int startWindow(char* argv[]) {
    const std::string program = runningProgramFolder() + "wendrake-window";
    ::execv(program.c_str(), argv);
    const int error = errno;
    writeOut(stderr, "wendrake: cannot start the window, " + program +
                         (error == ENOENT ? std::string(" is missing")
                                          : ": " + std::string(std::strerror(error))) +
                         "\n");
    return Failed;
}

}  // namespace wendrake
