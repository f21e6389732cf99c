#pragma once

#include <optional>
#include <string_view>

#include "model/EditorDocument.h"
#include "model/HandlingLine.h"
#include "model/ReadFailure.h"

namespace wendrake {

struct ImportResult {
    int addedRecords = 0;
    int addedNames = 0;
    int firstErrorRow = 0;  // the error rows added start here in the document's rows
    std::optional<ReadFailure> failure;
};

// Adds the vehicles of a file in the handling line format (an exchange file
// or a whole handling file) to the document's handling table. Names not yet
// listed are sorted into the vehicle list; every line whose first value is a
// listed name is appended as a record (its comment with it), once, with its
// count and value rows added to the error rows; lines of foreign sections
// never are. Nothing else of the document changes; a failure
// (the table would exceed its limit) leaves the document as it was.
ImportResult ImportVehicles(EditorDocument& document, std::string_view bytes,
                            const HandlingReadTexts& texts, std::string_view tooManyVehicles);

}  // namespace wendrake
