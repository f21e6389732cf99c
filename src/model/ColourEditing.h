// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ColourRecords.h"

namespace wendrake {

// The editing steps of the colour pages. Palette numbers always equal the
// entries' positions, so pair values, choosers and the written file agree.

// "name - red,green,blue", the text of a palette entry in the lists.
std::string colourListText(const ColourTableEntry& entry);

// Appends "Color<n>" (0,128,255) as entry n; returns n.
int appendNewColour(std::vector<ColourTableEntry>& palette);

// Removes entry `index`: pair values equal to it become 0, values of colours
// above it go down by one (values that name no colour stay as they are), and
// the remaining entries are numbered by their positions.
void deleteColour(std::vector<ColourTableEntry>& palette, std::vector<CarColourRecord>& cars,
                  int index);

void addPair(CarColourRecord& record, int first, int second);

// Removes pair `pair`; a model never has fewer than one pair, so its last
// pair becomes (0, 0) instead.
void removePair(CarColourRecord& record, int pair);

// Moves pair `pair` to position `to`, the pairs between shifting by one.
// Both must be pairs of the record.
void movePair(CarColourRecord& record, int pair, int to);

// The pair list texts of a model, "3 white - 4 blue": each colour's number
// (what the file holds) and name. A value that
// names no palette entry is shown as `unknownColour` and its number: the
// record is never changed by showing it.
std::vector<std::string> describePairs(const std::vector<ColourTableEntry>& palette,
                                       const CarColourRecord& record,
                                       std::string_view unknownColour);

// A model's pairs as one text, "1,2 3,4": each pair's numbers joined by a
// comma, the pairs by a blank, in the model's order.
std::string pairsText(const CarColourRecord& record);

struct ColourPairs {
    std::vector<std::int16_t> first;
    std::vector<std::int16_t> second;
};

// The pairs of a text as pairsText writes it (blanks around and between the
// pairs as many as wanted); nullopt unless it holds at least one pair and
// only pairs of whole numbers of 16 bits.
std::optional<ColourPairs> readPairsText(std::string_view text);

}  // namespace wendrake
