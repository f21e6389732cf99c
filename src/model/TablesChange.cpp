// SPDX-License-Identifier: GPL-3.0-or-later
#include "TablesChange.h"

#include <algorithm>

namespace wendrake {

namespace {

template <typename Record>
bool same(const Record& a, const Record& b) {
    if constexpr (requires { a.source; }) {
        // Equal records may stand on other lines, which a save keeping the
        // file's layout writes them to.
        if (a.source.hash != b.source.hash || a.source.known != b.source.known) {
            return false;
        }
    }
    return a == b;
}

template <typename Record>
TableChange<Record> changeOf(const std::vector<Record>& before, const std::vector<Record>& after) {
    TableChange<Record> change;
    change.beforeSize = before.size();
    change.afterSize = after.size();
    const std::size_t common = std::min(before.size(), after.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (!same(before[i], after[i])) {
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
    return change;
}

template <typename Record>
void apply(const TableChange<Record>& change, std::vector<Record>& records, bool forward) {
    records.resize(forward ? change.afterSize : change.beforeSize);
    for (const auto& [place, record] : forward ? change.after : change.before) {
        records[place] = record;
    }
}

}  // namespace

DocumentTables copyTables(const EditorDocument& document) {
    DocumentTables tables;
    switch (document.kind) {
        case DataFileKind::Handling:
            tables.handling = document.HandlingRecords;
            break;
        case DataFileKind::VehicleDefs:
            tables.vehicleDefs = document.VehicleDefRecords;
            break;
        case DataFileKind::CarColours:
            tables.palette = document.ColourEntries;
            tables.models = document.CarColourRecords;
            break;
    }
    tables.list = document.Autos;
    tables.errors = document.Errors;
    tables.author = document.Author;
    tables.date = document.Date;
    return tables;
}

TablesChange changeBetween(const DocumentTables& before, const EditorDocument& document) {
    TablesChange change;
    switch (document.kind) {
        case DataFileKind::Handling:
            change.handling = changeOf(before.handling, document.HandlingRecords);
            break;
        case DataFileKind::VehicleDefs:
            change.vehicleDefs = changeOf(before.vehicleDefs, document.VehicleDefRecords);
            break;
        case DataFileKind::CarColours:
            change.palette = changeOf(before.palette, document.ColourEntries);
            change.models = changeOf(before.models, document.CarColourRecords);
            break;
    }
    change.errors = changeOf(before.errors, document.Errors);
    if (!(before.list == document.Autos)) {
        change.listChanged = true;
        change.listBefore = before.list;
        change.listAfter = document.Autos;
    }
    change.authorBefore = before.author;
    change.authorAfter = document.Author;
    change.dateBefore = before.date;
    change.dateAfter = document.Date;
    return change;
}

void applyChange(const TablesChange& change, EditorDocument& document, bool forward) {
    switch (document.kind) {
        case DataFileKind::Handling:
            apply(change.handling, document.HandlingRecords, forward);
            break;
        case DataFileKind::VehicleDefs:
            apply(change.vehicleDefs, document.VehicleDefRecords, forward);
            break;
        case DataFileKind::CarColours:
            apply(change.palette, document.ColourEntries, forward);
            apply(change.models, document.CarColourRecords, forward);
            break;
    }
    apply(change.errors, document.Errors, forward);
    if (change.listChanged) {
        document.Autos = forward ? change.listAfter : change.listBefore;
    }
    document.Author = forward ? change.authorAfter : change.authorBefore;
    document.Date = forward ? change.dateAfter : change.dateBefore;
}

}  // namespace wendrake
