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

// Everything a handling file yields when it is opened.
struct HandlingReadResult {
    std::vector<HandlingRecord> records;  // one per data line, in file order
    std::vector<std::string> names;       // the vehicle list's entries, unsorted
    ErrorRows errors;
    std::string author;
    std::string date;
    std::optional<ReadFailure> failure;
};

struct HandlingFailureTexts {
    std::string tooManyVehicles;
    std::string noVehicle;
};

// Reads the bytes of a handling file. Every data line gives exactly one
// record named by its first value; bad values are reported as error rows and
// kept as read. A file without data lines fails to open (the table still
// holds one empty record, as a table always holds at least one element).
// Skipped source lines leave every record's line unknown.
HandlingReadResult LoadHandlingFile(std::string_view bytes, const HandlingReadTexts& texts,
                                    const HandlingFailureTexts& failureTexts,
                                    SourceLines sourceLines = SourceLines::Recorded);

}  // namespace wendrake
