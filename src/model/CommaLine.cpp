#include "CommaLine.h"

#include "TextLines.h"

namespace wendrake {

const std::string& CommaValues::at(int k) const {
    static const std::string empty;
    return (k >= 0 && k < count()) ? values[static_cast<std::size_t>(k)] : empty;
}

CommaValues splitCommaLine(std::string_view line) {
    std::string packed;
    packed.reserve(line.size());
    for (const char c : line) {
        if (c != ' ' && c != '\t') {
            packed += c;
        }
    }
    CommaValues result;
    if (packed.empty()) {
        return result;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = packed.find(',', start);
        result.values.push_back(packed.substr(start, comma - start));
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    result.countWithTrailingComma = result.count();
    if (packed.back() == ',') {
        result.values.pop_back();
    }
    return result;
}

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

}  // namespace wendrake
