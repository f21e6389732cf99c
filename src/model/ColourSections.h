// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace wendrake {

// The sections of a car colour file, one account for reading and saving:
// outside any section a "col" or "car" line opens one and inside it "end"
// closes it; a keyword inside a section is just a line of it, so sections
// never overlap and a save never reads a line in two roles. Only the first
// palette counts.
enum class ColourSection : std::uint8_t { None, FirstPalette, LaterPalette, Cars };
enum class SectionKeyword : std::uint8_t { None, Opens, Closes };

struct ColourLinePlace {
    ColourSection section = ColourSection::None;  // the section opened or closed by a keyword
    SectionKeyword keyword = SectionKeyword::None;

    bool isInside(ColourSection s) const { return section == s && keyword == SectionKeyword::None; }
};

std::vector<ColourLinePlace> colourLinePlaces(const std::vector<std::string_view>& lines);

}  // namespace wendrake
