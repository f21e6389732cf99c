#include "CommaLine.h"

#include <algorithm>

#include "TextLines.h"

namespace wendrake {

const std::string& CommaValues::at(int k) const {
    static const std::string empty;
    return (k >= 0 && k < count()) ? values[static_cast<std::size_t>(k)] : empty;
}

CommaValues splitCommaLine(std::string_view line) {
    CommaValues result;
    result.values.reserve(static_cast<std::size_t>(std::count(line.begin(), line.end(), ',')) + 1);
    std::string* value = &result.values.emplace_back();
    bool anyValue = false;
    bool endsInComma = false;
    for (const char c : line) {
        if (c == ' ' || c == '\t') {
            continue;
        }
        anyValue = true;
        endsInComma = c == ',';
        if (endsInComma) {
            value = &result.values.emplace_back();
        } else {
            value->push_back(c);
        }
    }
    if (!anyValue) {
        result.values.clear();
        return result;
    }
    result.countWithTrailingComma = result.count();
    if (endsInComma) {
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

void dropTrailingEmptyLines(std::string& text) {
    while (text.ends_with("\r\n\r\n")) {
        text.resize(text.size() - 2);
    }
}

}  // namespace wendrake
