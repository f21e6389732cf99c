// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wendrake {

// Splits game-file text into lines. A line ends at CR LF, at a lone CR, or at
// the end of the text; a bare LF is part of the line. A terminator at the very
// end does not start another, empty line.
std::vector<std::string_view> splitLines(std::string_view text);

// Calls `visit(line)` for each line of `text` as splitLines() splits it,
// without gathering them; stops early when `visit` returns false.
template <typename Visit>
void forEachLine(std::string_view text, Visit&& visit) {
    std::size_t start = 0;
    const std::size_t size = text.size();
    while (start < size) {
        std::size_t end = text.find('\r', start);
        if (end == std::string_view::npos) {
            end = size;
        }
        if (!visit(text.substr(start, end - start))) {
            return;
        }
        start = end + 1;
        if (start < size && text[start] == '\n') {
            ++start;
        }
    }
}

// The line ending every game file is written with.
inline constexpr std::string_view kCrLf = "\r\n";

// ASCII-only case folding: the game files are 8-bit text in no known code
// page, so only A-Z and a-z are treated as letters of one case.
constexpr char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Position of `needle` in `haystack` at or after `from`, ignoring ASCII case;
// npos when absent.
std::size_t findNoCase(std::string_view haystack, std::string_view needle, std::size_t from = 0);

bool equalsNoCase(std::string_view a, std::string_view b);

// Removes leading and trailing blanks (spaces only, as the game's tools do).
std::string_view trimSpaces(std::string_view text);

}  // namespace wendrake
