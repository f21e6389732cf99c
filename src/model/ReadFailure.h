// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace wendrake {

// Why a file could not be opened: shown as "Error: <code> - <description>".
// A reader's own stop (a line with too few values) shows its message alone.
struct ReadFailure {
    int code = 0;
    std::string description;
    bool messageOnly = false;
};

// A table holds at most this many elements: its counters are 16-bit signed.
inline constexpr int kTableLimit = 32767;

// The code of an overflow, as the table counters would report it.
inline constexpr int kOverflowCode = 6;

// The code of a file that holds no vehicle to show.
inline constexpr int kNoVehicleCode = 380;

// The code of a value that is not a whole number of 16 bits.
inline constexpr int kTypeMismatchCode = 13;

}  // namespace wendrake
