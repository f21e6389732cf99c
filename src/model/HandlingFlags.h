// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wendrake {

// The flags value of a handling line is one hexadecimal number, as the game
// reads it; its sixteen lowest bits are the sixteen flag boxes, box 1 worth
// 0x1 up to box 16 worth 0x8000.

// The sixteen box bits of a flags text: the text read as a hexadecimal number
// (either letter case, any length, "2" meaning 0x2), its lowest 16 bits;
// nullopt for a text that is not hexadecimal (the empty text included).
std::optional<std::uint16_t> flagBits(std::string_view flags);

// The flags text after box `box` (1 to 16) was set to `checked`: the new bits
// as four upper-case hex digits, after any digits that a longer text held above
// the fourth. A text that is not hexadecimal is replaced by the four digits of
// `shownBits` with the box applied.
std::string withFlagBox(std::string_view flags, int box, bool checked, std::uint16_t shownBits);

}  // namespace wendrake
