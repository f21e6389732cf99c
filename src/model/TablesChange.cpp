// SPDX-License-Identifier: GPL-3.0-or-later
#include "TablesChange.h"

namespace wendrake {

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
    change.takeListAndTexts(before.list, before.author, before.date, document);
    return change;
}

void TablesChange::takeListAndTexts(const VehicleList& oldList, const std::string& oldAuthor,
                                    const std::string& oldDate, const EditorDocument& document) {
    listChanged = !(oldList == document.Autos);
    if (listChanged) {
        listBefore = oldList;
        listAfter = document.Autos;
    }
    authorBefore = oldAuthor;
    authorAfter = document.Author;
    dateBefore = oldDate;
    dateAfter = document.Date;
}

void applyChange(const TablesChange& change, EditorDocument& document, bool forward) {
    switch (document.kind) {
        case DataFileKind::Handling:
            change.handling.apply(document.HandlingRecords, forward);
            break;
        case DataFileKind::VehicleDefs:
            change.vehicleDefs.apply(document.VehicleDefRecords, forward);
            break;
        case DataFileKind::CarColours:
            change.palette.apply(document.ColourEntries, forward);
            change.models.apply(document.CarColourRecords, forward);
            break;
    }
    change.errors.apply(document.Errors, forward);
    if (change.listChanged) {
        document.Autos = forward ? change.listAfter : change.listBefore;
    }
    document.Author = forward ? change.authorAfter : change.authorBefore;
    document.Date = forward ? change.dateAfter : change.dateBefore;
}

}  // namespace wendrake
