// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentEditing.h"

namespace wendrake {

namespace {

template <typename Record>
std::vector<std::string> namesOf(const std::vector<Record>& records) {
    std::vector<std::string> names;
    names.reserve(records.size());
    for (const Record& record : records) {
        names.emplace_back(record.name());
    }
    return names;
}

}  // namespace

void revertToSaved(EditorDocument& document) {
    switch (document.kind) {
        case DataFileKind::Handling:
            document.HandlingRecords = document.HandlingSnapshot;
            document.Autos.assign(namesOf(document.HandlingRecords));
            break;
        case DataFileKind::VehicleDefs:
            document.VehicleDefRecords = document.VehicleDefSnapshot;
            document.Autos.assign(namesOf(document.VehicleDefRecords));
            break;
        case DataFileKind::CarColours:
            document.ColourEntries = document.ColourSnapshot;
            document.CarColourRecords = document.CarColourSnapshot;
            document.Autos.assign(namesOf(document.CarColourRecords));
            break;
    }
}

}  // namespace wendrake
