// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include <conio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Output.h"
#include "StartWindow.h"
#include "files/DiskFiles.h"
#include "files/ProgramFolder.h"
#include "files/WideText.h"
#include "files/WindowsError.h"

namespace wendrake {

namespace {

// One word of a command line as CommandLineToArgvW splits it again: in
// quotes, a quote escaped, and the backslashes before a quote doubled.
std::wstring quoted(const std::wstring& word) {
    if (!word.empty() && word.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return word;
    }
    std::wstring result = L"\"";
    std::size_t backslashes = 0;
    for (const wchar_t letter : word) {
        if (letter == L'\\') {
            ++backslashes;
            continue;
        }
        result.append(letter == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        result += letter;
    }
    result.append(2 * backslashes, L'\\');
    return result + L"\"";
}

// True when this program has the console to itself: Explorer opened it for
// a double click or a file dropped on the program, and closes it, with all
// it shows, the moment the program ends.
bool ownsItsConsole() {
    DWORD processes[2] = {};
    DWORD mode = 0;
    return GetConsoleProcessList(processes, 2) == 1 &&
           GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode);
}

void keepConsoleOpen() {
    if (ownsItsConsole()) {
        writeOut(stdout, "\nPress any key to close this window.\n");
        _getwch();
    }
}

// The files checked together, as `check` does, with a line that says so
// when nothing is found; the console stays until a key is pressed.
int checkDropped(const std::string& self, const std::vector<std::string>& files) {
    std::vector<std::string> words{self, "check", "--"};
    std::string names;
    for (const std::string& file : files) {
        words.push_back(file);
        names += (names.empty() ? "" : ", ") + file;
    }
    writeOut(stdout, "Checking " + names + "\n");
    const int status = runCommandLine(words);
    if (status == Clean) {
        writeOut(stdout, names + ": nothing suspicious found\n");
    }
    keepConsoleOpen();
    return status;
}

std::string programName(const std::vector<std::string>& arguments) {
    return arguments.empty() ? std::string("wendrake") : arguments.front();
}

// Without the window's program beside it (the command line shipped on its
// own), a file dropped on the program is checked, and a double click shows
// how to use the commands; either stays on screen until a key is pressed.
int answerWithoutWindow(const std::vector<std::string>& arguments, const std::string& program) {
    const std::optional<WindowRequest> request = windowRequest(arguments);
    if (!request || !request->screenshot.empty()) {
        writeOut(stderr, "wendrake: cannot start the window, " + program + " is missing\n");
        return Failed;
    }
    if (!request->file.empty()) {
        return checkDropped(programName(arguments), {request->file});
    }
    const int status = runCommandLine({programName(arguments), "--help"});
    writeOut(stdout,
             "\nThe editor's window is not installed beside this program. Run the commands "
             "in a Command Prompt, or drop a file on wendrake.exe to check it.\n");
    keepConsoleOpen();
    return status;
}

}  // namespace

int startWindow(const std::vector<std::string>& arguments) {
    const std::string program = runningProgramFolder() + "wendrake-window.exe";
    const std::wstring path = wideFromUtf8(program);
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return answerWithoutWindow(arguments, program);
    }
    std::wstring commandLine = quoted(path);
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        commandLine += L' ' + quoted(wideFromUtf8(arguments[i]));
    }
    // The window's program shares this one's standard handles, as it would
    // by taking its place: `--screenshot` prints the picture's path there.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION started{};
    // Started from Explorer, the console this program was given is of no use
    // beside the window: neither keeps it.
    const bool ownConsole = ownsItsConsole();
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        ownConsole ? CREATE_NO_WINDOW : 0, nullptr, nullptr, &startup, &started)) {
        writeOut(stderr, "wendrake: cannot start the window, " + program + ": " +
                             windowsErrorText(GetLastError()) + "\n");
        return Failed;
    }
    CloseHandle(started.hThread);
    if (ownConsole) {
        FreeConsole();
    }
    // A shell waits for the window, as for the program that takes this
    // one's place on other systems, and gets its exit status.
    WaitForSingleObject(started.hProcess, INFINITE);
    DWORD status = Failed;
    GetExitCodeProcess(started.hProcess, &status);
    CloseHandle(started.hProcess);
    return static_cast<int>(status);
}

std::optional<int> answerDroppedFiles(const std::vector<std::string>& arguments) {
    // A folder among them is named in the check's rows, so that a drop
    // never closes its window without a word.
    if (arguments.size() < 2 ||
        !std::all_of(arguments.begin() + 1, arguments.end(), [](const std::string& word) {
            return !word.starts_with('-') && (isFile(word) || isFolder(word));
        })) {
        return std::nullopt;
    }
    return checkDropped(programName(arguments), {arguments.begin() + 1, arguments.end()});
}

}  // namespace wendrake
