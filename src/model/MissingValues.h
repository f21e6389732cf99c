#pragma once

#include <optional>
#include <vector>

#include "HandlingRecord.h"
#include "VehicleDefRecord.h"

namespace wendrake {

// A value a save must not leave empty: writing the line without it would
// move every later value into the wrong field.
struct MissingValue {
    int record = 0;
    int field = 0;
};

// The first value that a save would write empty, moving the values after it
// into the wrong fields: record and field.
std::optional<MissingValue> firstMissingValue(const std::vector<HandlingRecord>& records);
std::optional<MissingValue> firstMissingValue(const std::vector<VehicleDefRecord>& records);

}  // namespace wendrake
