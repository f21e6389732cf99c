#pragma once

#include <string>

namespace wendrake {

// Why a file could not be opened: shown as "Error: <code> - <description>".
struct ReadFailure {
    int code = 0;
    std::string description;
};

// A table holds at most this many elements: its counters are 16-bit signed.
inline constexpr int kTableLimit = 32767;

// The code of an overflow, as the table counters would report it.
inline constexpr int kOverflowCode = 6;

// The code of a file that holds no vehicle to show.
inline constexpr int kNoVehicleCode = 380;

// The code of a kind of file this version cannot open.
inline constexpr int kUnsupportedKindCode = 0;

}  // namespace wendrake
