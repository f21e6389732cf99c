// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "DocumentWarnings.h"
#include "EditorDocument.h"
#include "HandlingLine.h"

namespace wendrake {

// The texts of the rows these checks add, in the language of the moment.
struct DocumentCheckTexts {
    std::string nameRepeated;     // a name stands more than once
    std::string colourParameter;  // the parameter column of a pair value
    std::string namesNoColour;    // a pair value names no colour of the palette
    HandlingReadTexts handling;   // the rows of handling values
    // With these, the checks add warnings (see warnDocument) to the rows of
    // the errors: each vehicle's after its errors, the document's at the end.
    std::optional<DocumentWarningTexts> warnings = std::nullopt;
};

// Appends the rows of one handling vehicle: its errors, then its warnings
// when the texts ask for them.
void addRecordRows(const HandlingRecord& record, const DocumentCheckTexts& texts, ErrorRows& rows);

// Appends a row for every name that more than one vehicle of the loaded kind
// carries (once per name, unless `rows` already reports it), and for car
// colour files a row for every pair value that names no colour; then the
// warnings of the whole document when the texts ask for them.
void addDocumentCheckRows(const EditorDocument& document, const DocumentCheckTexts& texts,
                          ErrorRows& rows);

// Every row the document's present values give, in table order: for a
// handling file the rows of each vehicle's line, then the rows above. One
// pass over the tables, so it can follow every edit.
ErrorRows checkDocument(const EditorDocument& document, const DocumentCheckTexts& texts);

}  // namespace wendrake
