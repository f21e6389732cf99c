// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include "ProgramArguments.h"
#include "files/WideText.h"

namespace wendrake {

std::vector<std::string> programArguments(int argc, char* argv[]) {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (words == nullptr) {
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        arguments.push_back(utf8FromWide(words[i]));
    }
    LocalFree(words);
    return arguments;
}

}  // namespace wendrake
