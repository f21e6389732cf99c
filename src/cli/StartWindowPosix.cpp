// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "Output.h"
#include "StartWindow.h"
#include "files/ProgramFolder.h"

namespace wendrake {

namespace {

bool isSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// A window needs a display, unless Qt is told to draw elsewhere (offscreen).
bool hasDisplay() {
    return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

}  // namespace

int startWindow(const std::vector<std::string>& arguments) {
    const std::string program = runningProgramFolder() + "wendrake-window";
    if (::access(program.c_str(), X_OK) == 0 && !hasDisplay()) {
        writeOut(stderr,
                 "wendrake: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY "
                 "is set); the commands need none: wendrake --help\n");
        return Failed;
    }
    std::vector<char*> argv;
    for (const std::string& word : arguments) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    const int error = errno;
    writeOut(stderr, "wendrake: cannot start the window, " + program +
                         (error == ENOENT ? std::string(" is missing")
                                          : ": " + std::string(std::strerror(error))) +
                         "\n");
    return Failed;
}

std::optional<int> answerDroppedFiles(const std::vector<std::string>&) {
    return std::nullopt;
}

}  // namespace wendrake
