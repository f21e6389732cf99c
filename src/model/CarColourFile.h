// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ColourRecords.h"
#include "KeptLayout.h"
#include "ReadFailure.h"

namespace wendrake {

struct CarColourReadTexts {
    std::string tooFewValues;     // followed by the line number
    std::string notAWholeNumber;  // followed by the line number and the value
};

struct CarColourReadResult {
    std::vector<ColourTableEntry> palette;  // the first "col" section
    std::vector<CarColourRecord> cars;      // every "car" section
    std::vector<std::string> names;         // the models, for the vehicle list
    std::optional<ReadFailure> failure;
};

CarColourReadResult LoadCarColourFile(std::string_view bytes, const CarColourReadTexts& texts);

std::string FormatPaletteLine(const ColourTableEntry& entry);
std::string FormatCarColourLine(const CarColourRecord& record);

// The text a save writes (without the final CR LF): our header, every line
// of the file on disk in its place, the palette where the first colour line
// of the first "col" section stood and the models where the first line of the
// first "car" section stood. Records whose section the file lacks get one of
// their own at the end, after an "end" for a section the file leaves open, so
// that reading the text again finds every colour and every pair.
std::string BuildCarColourText(std::string_view diskBytes,
                               const std::vector<ColourTableEntry>& palette,
                               const std::vector<CarColourRecord>& cars);

// The same keeping the file's layout: every line stays as it stands and in
// its place but the colour and car lines of records that changed, which are
// written anew in place (a colour renumbered by a deletion changes). Lines of
// deleted colours are left out; records added since come after the last
// record line of their section (before its "end" when it has none).
// nullopt when the file on disk has no section for records to add, or its
// colour lines no longer stand in the palette's order.
std::optional<KeptLayoutText> BuildCarColourTextKeepingLayout(
    std::string_view diskBytes, const std::vector<ColourTableEntry>& palette,
    const std::vector<CarColourRecord>& cars);

}  // namespace wendrake
