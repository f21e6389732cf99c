// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <type_traits>
#include <vector>

namespace wendrake::records {

// Whether `index` names an element of `records`.
template <typename Record>
bool holds(const std::vector<Record>& records, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < records.size();
}

// Element `index` of `records`, which holds it.
template <typename Record>
Record& at(std::vector<Record>& records, int index) {
    return records[static_cast<std::size_t>(index)];
}

// Whether `field` names a value of every record of `records`.
template <typename Record>
bool holdsField(int field) {
    return field >= 0 && static_cast<std::size_t>(field) <
                             std::remove_cvref_t<decltype(Record().values())>::size();
}

}  // namespace wendrake::records
