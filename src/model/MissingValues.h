// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <vector>

#include "HandlingRecord.h"

namespace wendrake {

// A value a save must not leave empty: writing the line without it would
// move every later value into the wrong field.
struct MissingValue {
    int record = 0;
    int field = 0;
};

// The first such value of the table. Only handling lines shift: the values of
// the comma-separated files keep their places when one of them is empty.
std::optional<MissingValue> firstMissingValue(const std::vector<HandlingRecord>& records);

}  // namespace wendrake
