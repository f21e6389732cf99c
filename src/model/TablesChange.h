// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "EditorDocument.h"

namespace wendrake {

// The working tables of a document with its vehicle list, error rows, author
// and date, as one copy.
struct DocumentTables {
    std::vector<HandlingRecord> handling;
    std::vector<VehicleDefRecord> vehicleDefs;
    std::vector<ColourTableEntry> palette;
    std::vector<CarColourRecord> models;
    VehicleList list;
    ErrorRows errors;
    std::string author;
    std::string date;
};

// Where two versions of a table differ: their sizes and, on each side, the
// records at the places that differ (a record's line in the file counts).
template <typename Record>
struct TableChange {
    bool changed = false;  // false: the table is left as it is
    std::size_t beforeSize = 0;
    std::size_t afterSize = 0;
    std::vector<std::pair<std::size_t, Record>> before;
    std::vector<std::pair<std::size_t, Record>> after;

    // Puts the table in the state after the change (`forward`) or before it.
    void apply(std::vector<Record>& records, bool forward) const {
        if (!changed) {
            return;
        }
        records.resize(forward ? afterSize : beforeSize);
        for (const auto& [place, record] : forward ? after : before) {
            records[place] = record;
        }
    }
};

template <typename Record>
bool sameRecord(const Record& a, const Record& b) {
    if constexpr (requires { a.source; }) {
        // Equal records may stand on other lines, which a save keeping the
        // file's layout writes them to.
        if (a.source.hash != b.source.hash || a.source.known != b.source.known) {
            return false;
        }
    }
    return a == b;
}

// The change from `before` to `after`, compared place by place.
template <typename Record>
TableChange<Record> changeOf(const std::vector<Record>& before, const std::vector<Record>& after) {
    TableChange<Record> change;
    change.beforeSize = before.size();
    change.afterSize = after.size();
    const std::size_t common = std::min(before.size(), after.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (!sameRecord(before[i], after[i])) {
            change.before.emplace_back(i, before[i]);
            change.after.emplace_back(i, after[i]);
        }
    }
    for (std::size_t i = common; i < before.size(); ++i) {
        change.before.emplace_back(i, before[i]);
    }
    for (std::size_t i = common; i < after.size(); ++i) {
        change.after.emplace_back(i, after[i]);
    }
    change.changed = !change.before.empty() || !change.after.empty();
    return change;
}

// The change of a table that only had records appended since it held
// `beforeSize`.
template <typename Record>
TableChange<Record> appendedTo(std::size_t beforeSize, const std::vector<Record>& after) {
    TableChange<Record> change;
    change.beforeSize = beforeSize;
    change.afterSize = after.size();
    for (std::size_t i = beforeSize; i < after.size(); ++i) {
        change.after.emplace_back(i, after[i]);
    }
    change.changed = after.size() != beforeSize;
    return change;
}

// What an import, a colour deletion or a revert changed: only the records
// that differ are kept, so that a history of such steps on a large file
// holds the changes, not copies of the file.
struct TablesChange {
    TableChange<HandlingRecord> handling;
    TableChange<VehicleDefRecord> vehicleDefs;
    TableChange<ColourTableEntry> palette;
    TableChange<CarColourRecord> models;
    TableChange<ErrorListEntry> errors;
    bool listChanged = false;
    VehicleList listBefore;
    VehicleList listAfter;

    // The vehicle list, author and date from `before` to those of `document`.
    void takeListAndTexts(const VehicleList& oldList, const std::string& oldAuthor,
                          const std::string& oldDate, const EditorDocument& document);
    std::string authorBefore;
    std::string authorAfter;
    std::string dateBefore;
    std::string dateAfter;
};

DocumentTables copyTables(const EditorDocument& document);

// What changed from `before` to the tables of `document` now.
TablesChange changeBetween(const DocumentTables& before, const EditorDocument& document);

// Puts the tables of `document` in the state after the change (`forward`) or
// before it; the document must be in the state on the other side.
void applyChange(const TablesChange& change, EditorDocument& document, bool forward);

}  // namespace wendrake
