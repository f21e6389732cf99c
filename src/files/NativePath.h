// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace wendrake {

// The program keeps file names as text in one form on every system: the
// bytes the system gave on Linux and other POSIX systems, UTF-8 on Windows,
// where the system names files in UTF-16. These turn such a name into the
// system's own and back, so that no letter of a name is lost on the way.
std::filesystem::path nativePath(const std::string& name);
std::string nameOf(const std::filesystem::path& path);

// std::fopen for a name in the program's form.
std::FILE* openFile(const std::string& name, const char* mode);

}  // namespace wendrake
