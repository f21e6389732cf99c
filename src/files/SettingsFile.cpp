// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsFile.h"

#include <optional>

namespace wendrake {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

char escaped(char letter) {
    switch (letter) {
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        case '0':
            return '\0';
        default:
            return letter;  // \" \\ \' \? and any other letter stand for themselves
    }
}

// A stored value: quoted parts keep their blanks and commas, a backslash
// escapes the next letter, and a comma outside quotes makes a list, which
// is no single text. "@String(...)" is how the store marks a text that
// would otherwise look like another type.
std::optional<std::string> textValue(std::string_view stored) {
    std::string value;
    bool quoted = false;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const char c = stored[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '\\' && i + 1 < stored.size()) {
            value += escaped(stored[++i]);
        } else if (c == ',' && !quoted) {
            return std::nullopt;
        } else {
            value += c;
        }
    }
    if (value.starts_with("@String(") && value.ends_with(')')) {
        return value.substr(8, value.size() - 9);
    }
    return value;
}

}  // namespace

std::optional<std::string> settingsValue(std::string_view text, std::string_view section,
                                         std::string_view key) {
    std::string_view current;
    std::optional<std::string> found;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.starts_with('[') && line.ends_with(']')) {
            current = line.substr(1, line.size() - 2);
            continue;
        }
        const auto equals = line.find('=');
        if (line.starts_with(';') || equals == std::string_view::npos || current != section ||
            trimmed(line.substr(0, equals)) != key) {
            continue;
        }
        found = textValue(trimmed(line.substr(equals + 1))).value_or(std::string());
    }
    return found;
}

}  // namespace wendrake
