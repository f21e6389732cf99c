// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include <algorithm>

#include "Output.h"
#include "files/WideText.h"
#include "model/TextEncoding.h"

namespace wendrake {

namespace {

// How many bytes the UTF-8 sequence that `lead` starts should have.
std::size_t sequenceLength(unsigned char lead) {
    return lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// The text as the console shows it. Messages are UTF-8, but a vehicle's
// name in them is the file's bytes, which an older editor may have written
// in Windows-1252: each byte that starts no UTF-8 letter is read so.
std::wstring consoleText(std::string_view bytes) {
    std::string utf8;
    utf8.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = sequenceLength(static_cast<unsigned char>(bytes[at]));
        const std::string_view letter = bytes.substr(at, length);
        if (length > 1 && letter.size() == length && isValidUtf8(letter)) {
            utf8 += letter;
            at += length;
        } else {
            utf8 += windows1252ToUtf8(bytes.substr(at, 1));
            ++at;
        }
    }
    return wideFromUtf8(utf8);
}

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

}  // namespace

void writeOut(std::FILE* stream, std::string_view bytes) {
    const HANDLE handle = GetStdHandle(stream == stderr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
    if (!isConsole(handle)) {
        // A file or a pipe: the stream is in text mode, so each LF is
        // written as CR LF, as every console program writes its lines.
        std::fwrite(bytes.data(), 1, bytes.size(), stream);
        return;
    }
    // The console in its own letters, whatever its code page: what the
    // stream wrote before goes first.
    std::fflush(stream);
    const std::wstring text = consoleText(bytes);
    std::wstring_view rest(text);
    while (!rest.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(rest.size(), 8192));
        if (!WriteConsoleW(handle, rest.data(), chunk, &written, nullptr) || written == 0) {
            return;
        }
        rest.remove_prefix(written);
    }
}

}  // namespace wendrake
