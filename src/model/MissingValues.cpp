// SPDX-License-Identifier: GPL-3.0-or-later
#include "MissingValues.h"

namespace wendrake {

std::optional<MissingValue> firstMissingValue(const std::vector<HandlingRecord>& records) {
    for (std::size_t r = 0; r < records.size(); ++r) {
        if (const auto field = firstMissingValue(records[r])) {
            return MissingValue{static_cast<int>(r), *field};
        }
    }
    return std::nullopt;
}

}  // namespace wendrake
