// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommaLine.h"

#include "TextLines.h"

namespace wendrake {

bool isSectionLine(std::string_view line, std::string_view keyword) {
    if (line.substr(0, keyword.size()) != keyword) {
        return false;
    }
    if (line.size() == keyword.size()) {
        return true;
    }
    const char next = line[keyword.size()];
    return next == ' ' || next == '\t' || next == '#';
}

bool isBlankText(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

std::vector<std::string_view> linesWithoutTrailingEmpties(std::string_view text) {
    std::vector<std::string_view> lines = splitLines(text);
    while (!lines.empty() && lines.back().empty()) {
        lines.pop_back();
    }
    return lines;
}

void dropTrailingEmptyLines(std::string& text) {
    while (text.ends_with("\r\n\r\n")) {
        text.resize(text.size() - 2);
    }
}

}  // namespace wendrake
