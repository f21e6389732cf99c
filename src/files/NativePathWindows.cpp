// SPDX-License-Identifier: GPL-3.0-or-later
#include "NativePath.h"

#include "WideText.h"

namespace wendrake {

// The program's names are UTF-8; the standard library would read a narrow
// name in the ANSI code page, which holds few of the letters of a name.
std::filesystem::path nativePath(const std::string& name) {
    return std::filesystem::path(wideFromUtf8(name));
}

std::string nameOf(const std::filesystem::path& path) {
    return utf8FromWide(path.native());
}

std::FILE* openFile(const std::string& name, const char* mode) {
    return _wfopen(wideFromUtf8(name).c_str(), wideFromUtf8(mode).c_str());
}

}  // namespace wendrake
