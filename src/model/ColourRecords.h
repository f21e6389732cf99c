// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SourceLine.h"

namespace wendrake {

// One colour of the palette (the "col" section of the car colour file).
struct ColourTableEntry {
    std::int16_t Number = 0;  // its position in the palette
    std::int16_t Red = 0;     // 0 to 255 in the editor; a file may hold others
    std::int16_t Green = 0;
    std::int16_t Blue = 0;
    std::string Name;
    // The rest of the line's comment after the name (from its first tab on),
    // written back unchanged right after the name.
    std::string nameTail;
    SourceLine source;

    bool operator==(const ColourTableEntry&) const = default;
};

// The colour pairs one model may wear (a line of the "car" section).
struct CarColourRecord {
    std::string ModelName;
    std::vector<std::int16_t> Color1;  // palette numbers; pair j is (Color1[j], Color2[j])
    std::vector<std::int16_t> Color2;
    std::string trailingComment;  // from the line's "#" on, written back after the pairs
    SourceLine source;

    const std::string& name() const { return ModelName; }
    bool operator==(const CarColourRecord&) const = default;
};

}  // namespace wendrake
