// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "KeptLayout.h"
#include "ReadFailure.h"
#include "VehicleDefRecord.h"

namespace wendrake {

struct VehicleDefReadResult {
    std::vector<VehicleDefRecord> records;  // every vehicle line of the "cars" sections
    std::vector<std::string> names;         // their handling ids, for the vehicle list
    std::optional<ReadFailure> failure;
};

// Reads a default.ide. A vehicle line with fewer than ten values stops the
// reading: the failure is `tooFewValues` followed by the line's number.
VehicleDefReadResult LoadVehicleDefFile(std::string_view bytes, std::string_view tooFewValues);

// The line a record is written as, without line end: the values the line
// had and those a player filled in after them, whatever the type.
std::string FormatVehicleDefLine(const VehicleDefRecord& record);

// The text a save writes (without the final CR LF): our header, every line
// of the file on disk in its place, and the records in table order where the
// first vehicle line of the first "cars" section stood.
std::string BuildVehicleDefText(std::string_view diskBytes,
                                const std::vector<VehicleDefRecord>& records);

// The same keeping the file's layout: every line stays as it stands and in
// its place but the vehicle lines of records that changed, which are written
// anew in place. Vehicles added since the file was read come after the last
// vehicle line (before the "end" of the first "cars" section when it has
// none); lines whose vehicle is gone are left out. nullopt when there are
// vehicles to add and the file on disk has no "cars" section to take them.
std::optional<KeptLayoutText> BuildVehicleDefTextKeepingLayout(
    std::string_view diskBytes, const std::vector<VehicleDefRecord>& records);

}  // namespace wendrake
