// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/EditorDocument.h"

namespace wendrake::fuzz {

// The order a save writes handling records in: that of the vehicle list
// (the standard layout), or that of the table (a save keeping the layout,
// where every record stays on its line).
enum class HandlingOrder { VehicleList, Table };

// Stops the run unless `reopened` holds the records of `saved` for their kind
// and the same vehicle list, the handling records in the order given.
void expectSameRecords(const EditorDocument& saved, const EditorDocument& reopened,
                       HandlingOrder order = HandlingOrder::VehicleList);

}  // namespace wendrake::fuzz
