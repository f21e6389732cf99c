// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ErrorList.h"
#include "HandlingLine.h"
#include "HandlingRecord.h"
#include "ReadFailure.h"

namespace wendrake {

struct ImportResult {
    int addedRecords = 0;
    int replacedRecords = 0;
    int firstErrorRow = 0;  // the error rows added start here in the document's rows
    std::optional<ReadFailure> failure;
};

// The vehicles of a file in the handling line format (an exchange file or a
// whole handling file), in file order, with the count and value rows of
// their lines.
struct ImportedVehicles {
    std::vector<HandlingRecord> records;
    ErrorRows rows;
    std::optional<ReadFailure> failure;  // more than `room` vehicles
};

// Every line whose first value names a vehicle of the file or of the
// document (`isListed`) is a vehicle, once. Stops at the first vehicle past
// `room`, before a huge file is read whole.
ImportedVehicles readImportedVehicles(std::string_view bytes, const HandlingReadTexts& texts,
                                      const std::vector<std::string>& listedNames, std::size_t room,
                                      std::string_view tooManyVehicles);

}  // namespace wendrake
