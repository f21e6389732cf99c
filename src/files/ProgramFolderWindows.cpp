// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include <string>

#include "ProgramFolder.h"
#include "WideText.h"

namespace wendrake {

std::string runningProgramFolder() {
    // A path longer than MAX_PATH is cut short, not refused: the buffer grows.
    std::wstring program(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, program.data(), static_cast<DWORD>(program.size()));
        if (length == 0) {
            return ".\\";
        }
        if (length < program.size()) {
            program.resize(length);
            break;
        }
        program.resize(program.size() * 2);
    }
    return utf8FromWide(program.substr(0, program.find_last_of(L"\\/") + 1));
}

}  // namespace wendrake
