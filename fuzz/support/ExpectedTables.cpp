// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExpectedTables.h"

#include <algorithm>

#include "FuzzSupport.h"

namespace wendrake::fuzz {

namespace {

// Separates the values of a row from what follows them, so that a value and
// a comment of the same text never make two different rows look alike.
const std::string kCommentMark = "\x01comment";

ExpectedRow rowOf(const HandlingRecord& record) {
    ExpectedRow row;
    row.cells.assign(record.values().begin(), record.values().end());
    row.cells.insert(row.cells.end(), record.extraValues.begin(), record.extraValues.end());
    row.cells.push_back(kCommentMark);
    row.cells.push_back(record.trailingComment);
    row.lineValues = record.valueCount;
    return row;
}

ExpectedRow rowOf(const VehicleDefRecord& record) {
    ExpectedRow row;
    row.cells.assign(record.values().begin(), record.values().end());
    row.cells.push_back(record.laterValues);
    row.cells.push_back(kCommentMark);
    row.cells.push_back(record.trailingComment);
    return row;
}

std::string describe(const ExpectedRow& row) {
    std::string text;
    for (const std::string& cell : row.cells) {
        text += cell == kCommentMark ? std::string("#") : cell;
        text += '|';
    }
    return text;
}

std::string describe(const ExpectedColour& colour) {
    return std::to_string(colour.red) + "," + std::to_string(colour.green) + "," +
           std::to_string(colour.blue) + " " + colour.name + "|" + colour.tail;
}

std::string describe(const ExpectedCar& car) {
    std::string text = car.name;
    for (const auto& [first, second] : car.pairs) {
        text += " " + std::to_string(first) + "/" + std::to_string(second);
    }
    return text + " " + car.comment;
}

template <typename Item>
void expectSameList(const std::vector<Item>& expected, const std::vector<Item>& got,
                    const std::string& what) {
    if (expected.size() != got.size()) {
        fail(what + ": " + std::to_string(expected.size()) + " expected, " +
             std::to_string(got.size()) + " found");
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (!(expected[i] == got[i])) {
            fail(what + ": item " + std::to_string(i) + " differs",
                 describe(expected[i]) + " -> " + describe(got[i]));
        }
    }
}

std::vector<ExpectedRow> sortedRows(std::vector<ExpectedRow> rows) {
    std::sort(rows.begin(), rows.end(),
              [](const ExpectedRow& a, const ExpectedRow& b) { return a.cells < b.cells; });
    return rows;
}

std::size_t valueCount(const ExpectedRow& row) {
    return static_cast<std::size_t>(std::find(row.cells.begin(), row.cells.end(), kCommentMark) -
                                    row.cells.begin());
}

}  // namespace

ExpectedTables tablesOf(const EditorDocument& document) {
    ExpectedTables tables;
    tables.kind = document.kind;
    tables.author = document.Author;
    tables.date = document.Date;
    switch (document.kind) {
        case DataFileKind::Handling:
            for (const HandlingRecord& record : document.HandlingRecords) {
                tables.rows.push_back(rowOf(record));
            }
            break;
        case DataFileKind::VehicleDefs:
            for (const VehicleDefRecord& record : document.VehicleDefRecords) {
                tables.rows.push_back(rowOf(record));
            }
            break;
        case DataFileKind::CarColours:
            for (const ColourTableEntry& entry : document.ColourEntries) {
                tables.palette.push_back(
                    {entry.Red, entry.Green, entry.Blue, entry.Name, entry.nameTail});
            }
            for (const CarColourRecord& record : document.CarColourRecords) {
                ExpectedCar car{record.ModelName, {}, record.trailingComment};
                for (std::size_t j = 0; j < record.Color1.size() && j < record.Color2.size(); ++j) {
                    car.pairs.emplace_back(record.Color1[j], record.Color2[j]);
                }
                if (record.Color1.size() != record.Color2.size()) {
                    fail("a model has first and second colours of different counts",
                         record.ModelName);
                }
                tables.cars.push_back(std::move(car));
            }
            break;
    }
    return tables;
}

ExpectedRow handlingRow(const std::vector<std::string>& values, const std::string& comment) {
    ExpectedRow row;
    row.cells = values;
    if (row.cells.size() < static_cast<std::size_t>(kHandlingFieldCount)) {
        row.cells.resize(static_cast<std::size_t>(kHandlingFieldCount));
    }
    row.cells.push_back(kCommentMark);
    row.cells.push_back(comment);
    row.lineValues = values.size();
    return row;
}

bool hasUnwritableRow(const std::vector<ExpectedRow>& rows) {
    constexpr auto fields = static_cast<std::size_t>(kHandlingFieldCount);
    for (const ExpectedRow& row : rows) {
        // Every value up to the last one written must be there: the values
        // the line had, those filled in after them and the extra ones.
        std::size_t written = valueCount(row) > fields ? fields : std::min(row.lineValues, fields);
        for (std::size_t k = written; k < fields; ++k) {
            if (!row.cells[k].empty()) {
                written = k + 1;
            }
        }
        written = std::max<std::size_t>(written, 1);
        for (std::size_t k = 0; k < written; ++k) {
            if (row.cells[k].empty()) {
                return true;
            }
        }
    }
    return false;
}

void setCell(ExpectedTables& tables, int row, int field, const std::string& value) {
    tables.rows.at(static_cast<std::size_t>(row)).cells.at(static_cast<std::size_t>(field)) = value;
}

void addColour(ExpectedTables& tables) {
    const auto number = static_cast<int>(tables.palette.size());
    tables.palette.push_back({0, 128, 255, "Color" + std::to_string(number), ""});
}

void deleteColour(ExpectedTables& tables, int colour) {
    // A value that names no colour is no colour's number: it stays.
    const auto colours = static_cast<int>(tables.palette.size());
    tables.palette.erase(tables.palette.begin() + colour);
    const auto shifted = [colour, colours](int value) {
        return value == colour ? 0 : (value > colour && value < colours) ? value - 1 : value;
    };
    for (ExpectedCar& car : tables.cars) {
        for (auto& [first, second] : car.pairs) {
            first = shifted(first);
            second = shifted(second);
        }
    }
}

void removePair(ExpectedTables& tables, int car, int pair) {
    auto& pairs = tables.cars.at(static_cast<std::size_t>(car)).pairs;
    pairs.erase(pairs.begin() + pair);
    if (pairs.empty()) {
        pairs.emplace_back(0, 0);  // a model always wears at least one pair
    }
}

void importRows(ExpectedTables& tables, std::vector<ExpectedRow> imported, bool replace) {
    const std::size_t before = tables.rows.size();
    std::vector<bool> replaced(before, false);
    for (ExpectedRow& row : imported) {
        std::size_t place = before;
        for (std::size_t i = 0; replace && i < before; ++i) {
            if (!replaced[i] && tables.rows[i].cells[0] == row.cells[0]) {
                place = i;
                break;
            }
        }
        if (place < before) {
            replaced[place] = true;
            tables.rows[place] = std::move(row);
        } else {
            tables.rows.push_back(std::move(row));
        }
    }
}

void expectTables(const ExpectedTables& expected, const ExpectedTables& got, bool ordered,
                  const std::string& when) {
    if (expected.kind != got.kind) {
        fail(when + ": the document is of another kind");
    }
    if (ordered) {
        expectSameList(expected.rows, got.rows, when + ": the records");
    } else {
        expectSameList(sortedRows(expected.rows), sortedRows(got.rows),
                       when + ": the records (in any order)");
    }
    expectSameList(expected.palette, got.palette, when + ": the palette");
    expectSameList(expected.cars, got.cars, when + ": the colour pairs");
}

}  // namespace wendrake::fuzz
