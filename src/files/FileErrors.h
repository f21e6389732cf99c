// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "model/FileSystem.h"
#include "model/ReadFailure.h"

namespace wendrake {

// The codes of the error notice "Error: <code> - <description>". Players
// know these numbers from the window's messages, so they stay as they were.
enum FileErrorCode { ReadError = 1, WriteError = 2, OpenError = 5, RenameError = 10 };

// The system's own words for `error` (an errno value).
inline FileFailure systemFailure(FileErrorCode code, int error) {
    return FileFailure{code, std::strerror(error)};
}

inline FileFailure folderFailure(const std::string& path) {
    return FileFailure{OpenError, path + " is a folder, not a file"};
}

// "Error: <code> - <description>", the notice of a failed operation.
inline std::string failureNotice(int code, std::string_view description) {
    return "Error: " + std::to_string(code) + " - " + std::string(description);
}
inline std::string failureNotice(const FileFailure& failure) {
    return failureNotice(failure.code, failure.description);
}

// The notice of a file that could not be read: the error notice, or a
// reader's own message alone (a line with too few values).
inline std::string readFailureText(const ReadFailure& failure) {
    return failure.messageOnly ? failure.description
                               : failureNotice(failure.code, failure.description);
}

}  // namespace wendrake
