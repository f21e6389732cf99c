// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColourSections.h"

#include "CommaLine.h"

namespace wendrake {

std::vector<ColourLinePlace> colourLinePlaces(const std::vector<std::string_view>& lines) {
    std::vector<ColourLinePlace> places;
    places.reserve(lines.size());
    ColourSection open = ColourSection::None;
    bool paletteSeen = false;
    for (const std::string_view line : lines) {
        ColourLinePlace& place = places.emplace_back();
        if (open == ColourSection::None) {
            if (isSectionLine(line, "col")) {
                open = paletteSeen ? ColourSection::LaterPalette : ColourSection::FirstPalette;
                paletteSeen = true;
            } else if (isSectionLine(line, "car")) {
                open = ColourSection::Cars;
            } else {
                continue;
            }
            place = {open, SectionKeyword::Opens};
        } else if (isSectionLine(line, "end")) {
            place = {open, SectionKeyword::Closes};
            open = ColourSection::None;
        } else {
            place.section = open;
        }
    }
    return places;
}

}  // namespace wendrake
