// SPDX-License-Identifier: GPL-3.0-or-later
#include "NativePath.h"

namespace wendrake {

// The system's names are bytes, which the program keeps as they are.
std::filesystem::path nativePath(const std::string& name) {
    return std::filesystem::path(name);
}

std::string nameOf(const std::filesystem::path& path) {
    return path.native();
}

std::FILE* openFile(const std::string& name, const char* mode) {
    return std::fopen(name.c_str(), mode);
}

}  // namespace wendrake
