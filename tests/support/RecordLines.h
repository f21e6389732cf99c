// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "model/CarColourFile.h"
#include "model/EditorDocument.h"
#include "model/HandlingLine.h"
#include "model/VehicleDefFile.h"

namespace wendrake::testing {

// Every record of the document's tables as the line a save writes: two
// documents with equal lists hold the same vehicles and colours.
inline QStringList recordLines(const EditorDocument& document) {
    QStringList lines;
    for (const HandlingRecord& record : document.HandlingRecords) {
        lines << QString::fromStdString(FormatHandlingLine(record));
    }
    for (const VehicleDefRecord& record : document.VehicleDefRecords) {
        lines << QString::fromStdString(FormatVehicleDefLine(record));
    }
    for (const ColourTableEntry& entry : document.ColourEntries) {
        lines << QString::fromStdString(FormatPaletteLine(entry));
    }
    for (const CarColourRecord& record : document.CarColourRecords) {
        lines << QString::fromStdString(FormatCarColourLine(record));
    }
    return lines;
}

}  // namespace wendrake::testing
