// SPDX-License-Identifier: GPL-3.0-or-later
#include "HandlingFlags.h"

namespace wendrake {

namespace {

constexpr std::size_t kShownDigits = 4;

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

std::string fourDigits(std::uint16_t bits) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(kShownDigits, '0');
    for (std::size_t i = 0; i < kShownDigits; ++i) {
        text[kShownDigits - 1 - i] = kDigits[(bits >> (4 * i)) & 0xF];
    }
    return text;
}

}  // namespace

std::optional<std::uint16_t> flagBits(std::string_view flags) {
    if (flags.empty()) {
        return std::nullopt;
    }
    std::uint16_t bits = 0;
    for (const char c : flags) {
        const int digit = hexValue(c);
        if (digit < 0) {
            return std::nullopt;
        }
        // Shifting the high digits out keeps exactly the sixteen box bits.
        bits = static_cast<std::uint16_t>((bits << 4) | digit);
    }
    return bits;
}

std::string withFlagBox(std::string_view flags, int box, bool checked, std::uint16_t shownBits) {
    if (box < 1 || box > 16) {
        return std::string(flags);
    }
    const std::optional<std::uint16_t> read = flagBits(flags);
    std::uint16_t bits = read.value_or(shownBits);
    const auto mask = static_cast<std::uint16_t>(1U << (box - 1));
    bits = checked ? static_cast<std::uint16_t>(bits | mask)
                   : static_cast<std::uint16_t>(bits & ~mask);

    // Digits above the sixteen bits belong to the game's number too; a click
    // on a box must not lose them.
    std::string high;
    if (read && flags.size() > kShownDigits) {
        high = std::string(flags.substr(0, flags.size() - kShownDigits));
    }
    return high + fourDigits(bits);
}

}  // namespace wendrake
