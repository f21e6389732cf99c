// SPDX-License-Identifier: GPL-3.0-or-later
#include "VehicleTable.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

#include "ColourEditing.h"
#include "NameFilter.h"
#include "Numeric.h"

namespace wendrake {

namespace {

// The value of a number cell, read the same in every locale.
std::optional<double> numberIn(std::string_view text) {
    if (!isNumeric(text)) {
        return std::nullopt;
    }
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;  // beyond a double: sorted as text
    }
    return value;
}

int compareFolded(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto left = static_cast<unsigned char>(NameFilter::fold(a[i]));
        const auto right = static_cast<unsigned char>(NameFilter::fold(b[i]));
        if (left != right) {
            return left < right ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

struct SortKey {
    double number = 0.0;
    std::string_view text;
    int record = -1;
    int position = 0;  // in the order before sorting: equal cells keep it
    bool isNumber = false;
};

int compareKeys(const SortKey& a, const SortKey& b) {
    if (a.isNumber != b.isNumber) {
        return a.isNumber ? -1 : 1;
    }
    if (a.isNumber) {
        return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
    }
    return compareFolded(a.text, b.text);
}

// The cell of a record as a view into the document; the pairs, which the
// document does not hold as text, are written into `made`.
std::string_view cellView(const EditorDocument& document, int record, int column,
                          std::string& made) {
    const auto at = static_cast<std::size_t>(record);
    const auto field = static_cast<std::size_t>(column);
    switch (document.kind) {
        case DataFileKind::Handling:
            return document.HandlingRecords[at].values()[field];
        case DataFileKind::VehicleDefs:
            return document.VehicleDefRecords[at].values()[field];
        case DataFileKind::CarColours:
            if (column == kColourModelColumn) {
                return document.CarColourRecords[at].ModelName;
            }
            made = pairsText(document.CarColourRecords[at]);
            return made;
    }
    return {};
}

}  // namespace

std::size_t vehicleTableRowCount(const EditorDocument& document) {
    switch (document.kind) {
        case DataFileKind::Handling:
            return document.HandlingRecords.size();
        case DataFileKind::VehicleDefs:
            return document.VehicleDefRecords.size();
        case DataFileKind::CarColours:
            return document.CarColourRecords.size();
    }
    return 0;
}

int vehicleTableColumnCount(DataFileKind kind) {
    switch (kind) {
        case DataFileKind::Handling:
            return kHandlingFieldCount;
        case DataFileKind::VehicleDefs:
            return kVehicleDefFieldCount;
        case DataFileKind::CarColours:
            return 2;
    }
    return 0;
}

std::string_view vehicleTableCellView(const EditorDocument& document, int record, int column,
                                      std::string& made) {
    if (record < 0 || static_cast<std::size_t>(record) >= vehicleTableRowCount(document) ||
        column < 0 || column >= vehicleTableColumnCount(document.kind)) {
        return {};
    }
    return cellView(document, record, column, made);
}

std::string vehicleTableCell(const EditorDocument& document, int record, int column) {
    std::string made;
    return std::string(vehicleTableCellView(document, record, column, made));
}

void sortTableRecords(std::vector<int>& records, const EditorDocument& document, int column,
                      bool descending) {
    if (column < 0 || column >= vehicleTableColumnCount(document.kind)) {
        return;
    }
    const std::size_t count = vehicleTableRowCount(document);
    // The pairs texts are made once, not at every comparison.
    std::vector<std::string> made(document.kind == DataFileKind::CarColours ? records.size() : 0);
    std::string unused;
    std::vector<SortKey> keys;
    keys.reserve(records.size());
    for (std::size_t k = 0; k < records.size(); ++k) {
        SortKey key;
        key.record = records[k];
        key.position = static_cast<int>(k);
        if (key.record >= 0 && static_cast<std::size_t>(key.record) < count) {
            key.text = cellView(document, key.record, column, made.empty() ? unused : made[k]);
            if (const std::optional<double> number = numberIn(key.text)) {
                key.isNumber = true;
                key.number = *number;
            }
        }
        keys.push_back(key);
    }
    // The position decides between equal cells, so the order is complete
    // and the plain sort keeps equal cells as they were.
    std::sort(keys.begin(), keys.end(), [descending](const SortKey& a, const SortKey& b) {
        const int order = compareKeys(a, b);
        if (order != 0) {
            return descending ? order > 0 : order < 0;
        }
        return a.position < b.position;
    });
    for (std::size_t k = 0; k < keys.size(); ++k) {
        records[k] = keys[k].record;
    }
}

}  // namespace wendrake
