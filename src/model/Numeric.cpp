// SPDX-License-Identifier: GPL-3.0-or-later
#include "Numeric.h"

namespace wendrake {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

// Matches ^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?$ by hand: a regex
// engine would cost more than the whole line reader.
bool isNumeric(std::string_view token) {
    std::size_t i = 0;
    const std::size_t n = token.size();
    if (i < n && (token[i] == '+' || token[i] == '-')) {
        ++i;
    }
    std::size_t intDigits = 0;
    while (i < n && isDigit(token[i])) {
        ++i;
        ++intDigits;
    }
    std::size_t fracDigits = 0;
    if (i < n && token[i] == '.') {
        ++i;
        while (i < n && isDigit(token[i])) {
            ++i;
            ++fracDigits;
        }
    }
    if (intDigits == 0 && fracDigits == 0) {
        return false;
    }
    if (i < n && (token[i] == 'e' || token[i] == 'E')) {
        ++i;
        if (i < n && (token[i] == '+' || token[i] == '-')) {
            ++i;
        }
        std::size_t expDigits = 0;
        while (i < n && isDigit(token[i])) {
            ++i;
            ++expDigits;
        }
        if (expDigits == 0) {
            return false;
        }
    }
    return i == n;
}

std::optional<std::string> withDecimalPoint(std::string_view token) {
    const std::size_t comma = token.find(',');
    if (comma == std::string_view::npos || token.find(',', comma + 1) != std::string_view::npos) {
        return std::nullopt;
    }
    std::string pointed(token);
    pointed[comma] = '.';
    if (!isNumeric(pointed)) {
        return std::nullopt;
    }
    return pointed;
}

}  // namespace wendrake
