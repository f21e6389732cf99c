// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "ErrorList.h"
#include "HandlingRecord.h"
#include "VehicleDefRecord.h"

namespace wendrake {

class LanguageTable;

// The texts of the rows that compare a handling file with a vehicle
// definition file, in the language of the moment.
struct CrossFileTexts {
    std::string handlingIdCaption;
    std::string withoutLine;  // a definition's handling ID has no line
    std::string unusedLine;   // a handling line no definition names

    static CrossFileTexts fromLanguage(const LanguageTable& language);
};

// Names are compared exactly, as the game compares them.
using NameSet = std::unordered_set<std::string_view>;

NameSet handlingNames(const std::vector<HandlingRecord>& records);
NameSet usedHandlingIds(const std::vector<VehicleDefRecord>& records);

// An error row for each car definition (of the type "car" in any letter
// case) whose handling ID is not in `lines`, in table order, once per ID:
// the game finds no handling for that car.
ErrorRows definitionsWithoutLine(const std::vector<VehicleDefRecord>& records, const NameSet& lines,
                                 const CrossFileTexts& texts);

// A warning row for each handling line whose name is not in `used`, in table
// order, once per name: a vehicle no definition drives, most often one that
// was removed or renamed on the other side.
ErrorRows linesWithoutDefinition(const std::vector<HandlingRecord>& records, const NameSet& used,
                                 const CrossFileTexts& texts);

}  // namespace wendrake
