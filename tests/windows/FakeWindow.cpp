// SPDX-License-Identifier: GPL-3.0-or-later
// Stands in for wendrake-window.exe in the Windows tests: prints each word
// it was started with in brackets, in UTF-8, and exits with status 7, so a
// test sees what wendrake.exe passed on and that it waited for the status.
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <cstdio>
#include <string>

int main() {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::string line;
    for (int i = 1; i < count; ++i) {
        char utf8[4096] = {};
        WideCharToMultiByte(CP_UTF8, 0, words[i], -1, utf8, sizeof utf8, nullptr, nullptr);
        line += '[' + std::string(utf8) + ']';
    }
    std::printf("%s\n", line.c_str());
    return 7;
}
