// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace wendrake {

enum ExitStatus { Clean = 0, RowsFound = 1, Failed = 2 };

// Writes to standard output or error as the system's console programs do:
// on Windows a console shows every letter, and a file or pipe gets CR LF
// line ends.
void writeOut(std::FILE* stream, std::string_view bytes);

// One line per file: a message of several lines is joined with blanks.
inline void reportFailure(const std::string& file, std::string_view message) {
    std::string line = file + ": ";
    for (auto at = message.find("\r\n"); at != std::string_view::npos; at = message.find("\r\n")) {
        line.append(message.substr(0, at)) += ' ';
        message.remove_prefix(at + 2);
    }
    line.append(message) += '\n';
    writeOut(stderr, line);
}

}  // namespace wendrake
