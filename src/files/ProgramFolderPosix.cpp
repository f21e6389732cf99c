// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>

#include "ProgramFolder.h"

namespace wendrake {

std::string runningProgramFolder() {
    std::error_code error;
    const std::filesystem::path program =
        std::filesystem::canonical("/proc/self/exe", error).parent_path();
    std::string folder = error ? std::string(".") : program.string();
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

}  // namespace wendrake
