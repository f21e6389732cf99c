#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

}  // namespace wendrake
