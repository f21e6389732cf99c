// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wendrake {

// What the arguments ask of the window.
struct WindowRequest {
    std::string file;        // to open; empty for none
    std::string screenshot;  // PNG to render the window into, then quit; empty for none
};

// The window's request when the arguments (the program's own words, the
// program name first) start the window; nothing when they are a command,
// ask for the help or the version, or are wrong: runCommandLine answers
// those without a window.
std::optional<WindowRequest> windowRequest(const std::vector<std::string>& arguments);

// Answers arguments that do not start the window; returns the process exit
// status.
int runCommandLine(const std::vector<std::string>& arguments);

}  // namespace wendrake
