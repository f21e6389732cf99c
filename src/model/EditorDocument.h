// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "ColourRecords.h"
#include "DataFileKind.h"
#include "ErrorList.h"
#include "HandlingRecord.h"
#include "VehicleDefRecord.h"
#include "VehicleList.h"

namespace wendrake {

// Everything the program knows about the loaded file. There is one for the
// whole run; opening a file refills it. Each working table has a snapshot as
// last opened or saved, an independent copy that undo returns to.
struct EditorDocument {
    DataFileKind kind = DataFileKind::Handling;
    std::string FilePath;  // UTF-8; empty before the first open and after a failed one

    std::vector<HandlingRecord> HandlingSnapshot;
    std::vector<HandlingRecord> HandlingRecords;
    int CurrentHandling = 0;

    std::vector<VehicleDefRecord> VehicleDefSnapshot;
    std::vector<VehicleDefRecord> VehicleDefRecords;
    int CurrentVehicleDef = 0;

    std::vector<ColourTableEntry> ColourSnapshot;
    std::vector<ColourTableEntry> ColourEntries;
    std::vector<CarColourRecord> CarColourSnapshot;
    std::vector<CarColourRecord> CarColourRecords;
    int CurrentCarColour = 0;

    VehicleList Autos;  // the entries of the vehicle list
    ErrorRows Errors;   // the rows of the error list
    std::string Author;
    std::string Date;

    bool SavedFlag = true;

    bool isLoaded() const { return !FilePath.empty(); }
};

}  // namespace wendrake
