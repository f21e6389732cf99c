// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <tuple>
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

// Value `field` of record `record` of `records`, or null when there is none.
template <typename Record>
std::string* fieldOf(std::vector<Record>& records, int record, int field) {
    if (!holds(records, record) || field < 0 ||
        static_cast<std::size_t>(field) >= std::tuple_size_v<decltype(Record::fields)>) {
        return nullptr;
    }
    return &at(records, record).fields[static_cast<std::size_t>(field)];
}

}  // namespace wendrake::records
