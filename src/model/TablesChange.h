// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
    std::size_t beforeSize = 0;
    std::size_t afterSize = 0;
    std::vector<std::pair<std::size_t, Record>> before;
    std::vector<std::pair<std::size_t, Record>> after;
};

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
