// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/EditorDocument.h"

namespace wendrake::fuzz {

// What the tables of a document should hold, kept apart from the model in
// plain vectors: each edit of the session is applied here too, the way a
// player means it, and the document is compared with this after every save,
// reopen and revert.

// A handling record or vehicle definition: its values, then what the line
// holds after them, then its comment, so that two rows are equal exactly when
// a player could not tell the vehicles apart.
struct ExpectedRow {
    std::vector<std::string> cells;
    std::size_t lineValues = 0;  // handling: how many values the line had when read

    // How many values the line had is layout, not content.
    bool operator==(const ExpectedRow& other) const { return cells == other.cells; }
};

struct ExpectedColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    std::string name;
    std::string tail;

    bool operator==(const ExpectedColour&) const = default;
};

struct ExpectedCar {
    std::string name;
    std::vector<std::pair<int, int>> pairs;
    std::string comment;

    bool operator==(const ExpectedCar&) const = default;
};

struct ExpectedTables {
    DataFileKind kind = DataFileKind::Handling;
    std::vector<ExpectedRow> rows;  // handling records or vehicle definitions
    std::vector<ExpectedColour> palette;
    std::vector<ExpectedCar> cars;
    std::string author;
    std::string date;
};

// The tables of the document's kind, as this test keeps them.
ExpectedTables tablesOf(const EditorDocument& document);

// The row a handling line of these values reads as: `values` in order (the
// fields first, then the values after the 32nd), then `comment`.
ExpectedRow handlingRow(const std::vector<std::string>& values, const std::string& comment);

// True when a save must refuse the handling rows: one of them would have to
// be written with an empty value before a filled one, or within the values
// its line had, or without a name.
bool hasUnwritableRow(const std::vector<ExpectedRow>& rows);

// The player's edits.
void setCell(ExpectedTables& tables, int row, int field, const std::string& value);
void addColour(ExpectedTables& tables);
void deleteColour(ExpectedTables& tables, int colour);
void removePair(ExpectedTables& tables, int car, int pair);
// Imported handling rows: with `replace`, each takes the place of the first
// row of its name that was there before the import and is not yet replaced.
void importRows(ExpectedTables& tables, std::vector<ExpectedRow> imported, bool replace);

// Stops the run unless `got` holds `expected`: in the same order (`ordered`)
// or, for a saved and reopened handling file whose vehicles stand in the
// list's order, as the same rows in any order. `when` names the moment.
void expectTables(const ExpectedTables& expected, const ExpectedTables& got, bool ordered,
                  const std::string& when);

}  // namespace wendrake::fuzz
