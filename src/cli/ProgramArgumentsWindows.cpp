// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <algorithm>

#include "ProgramArguments.h"
#include "files/WideText.h"

namespace wendrake {

namespace {

// The files a word with * or ? names, in the order of their names, each
// spelled with the word's folder: Windows's shells leave that to the
// program, and `wendrake check *.cfg` should check every handling file as
// it does on Linux. A word that names no file stays as it is, so that its
// error names it.
std::vector<std::wstring> matchingFiles(const std::wstring& word) {
    const auto nameStart = word.find_last_of(L"\\/:") + 1;
    if (word.find_first_of(L"*?", nameStart) == std::wstring::npos ||
        word.find_first_of(L"*?") < nameStart) {
        return {word};
    }
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(word.c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
                files.push_back(word.substr(0, nameStart) + found.cFileName);
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    if (files.empty()) {
        return {word};
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

std::vector<std::string> programArguments(int argc, char* argv[]) {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (words == nullptr) {
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        for (const std::wstring& word :
             i == 0 ? std::vector<std::wstring>{words[0]} : matchingFiles(words[i])) {
            arguments.push_back(utf8FromWide(word));
        }
    }
    LocalFree(words);
    return arguments;
}

}  // namespace wendrake
