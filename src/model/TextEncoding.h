// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace wendrake {

bool isValidUtf8(std::string_view bytes);

// True for text that starts with a UTF-16 byte order mark, as Notepad saves
// "Unicode": two bytes a letter, which the game reads as noise.
inline bool isUtf16Text(std::string_view bytes) {
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

// Windows-1252 text as UTF-8. The five bytes that code page leaves undefined
// keep their Latin-1 meaning, so no byte is lost.
std::string windows1252ToUtf8(std::string_view bytes);

}  // namespace wendrake
