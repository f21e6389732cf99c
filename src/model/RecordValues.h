// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "EditorDocument.h"
#include "RecordIndex.h"

namespace wendrake {

// The field that names the records of `kind` in the vehicle list, or -1 for
// a kind whose records have no single values to set (the car colours).
inline int nameFieldOf(DataFileKind kind) {
    switch (kind) {
        case DataFileKind::Handling:
            return static_cast<int>(HandlingField::Autoname);
        case DataFileKind::VehicleDefs:
            return static_cast<int>(VehicleDefField::HandlingID);
        case DataFileKind::CarColours:
            return -1;
    }
    return -1;
}

// Value `field` of record `record` of the document's kind, or null when
// there is none.
inline std::string* recordValue(EditorDocument& document, int record, int field) {
    switch (document.kind) {
        case DataFileKind::Handling:
            return records::fieldOf(document.HandlingRecords, record, field);
        case DataFileKind::VehicleDefs:
            return records::fieldOf(document.VehicleDefRecords, record, field);
        case DataFileKind::CarColours:
            return nullptr;
    }
    return nullptr;
}

}  // namespace wendrake
