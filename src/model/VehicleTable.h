// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "DataFileKind.h"
#include "EditorDocument.h"

namespace wendrake {

// The vehicles of the loaded file as one table: a row per record, a column
// per value of its line. Handling lines and vehicle definitions show their
// values in file order; the car colour file shows each model's name and its
// colour pairs as one text, "1,2 3,4".

inline constexpr int kColourModelColumn = 0;
inline constexpr int kColourPairsColumn = 1;

int vehicleTableColumnCount(DataFileKind kind);
// The records of the loaded kind: one row each.
std::size_t vehicleTableRowCount(const EditorDocument& document);

// The text of one cell, whole; empty for a record or column that does not exist.
std::string vehicleTableCell(const EditorDocument& document, int record, int column);
// The same without a copy: a view into the document, or into `made` for the
// pairs, which the document does not hold as text. A value of a hostile file
// may be megabytes long.
std::string_view vehicleTableCellView(const EditorDocument& document, int record, int column,
                                      std::string& made);

// Orders `records` by their cells in `column`: numbers before other texts,
// numbers by value, other texts by their bytes with letter case aside. Records
// with equal cells keep their order, also when `descending`.
void sortTableRecords(std::vector<int>& records, const EditorDocument& document, int column,
                      bool descending);

}  // namespace wendrake
