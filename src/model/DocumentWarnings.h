// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <memory>
#include <string>

#include "EditorDocument.h"
#include "ErrorList.h"
#include "HandlingRecord.h"

namespace wendrake {

class LanguageTable;

// The texts of warning rows, in the language of the moment.
struct DocumentWarningTexts {
    std::array<std::string, kHandlingFieldCount> captions{};    // the parameter column
    std::array<std::string, kHandlingFieldCount> rangeHints{};  // "(1.0 to 50000.0)"
    std::string outsideRange;
    std::string modelNameCaption;
    std::string modelNameRepeated;

    static DocumentWarningTexts fromLanguage(const LanguageTable& language);
};

// The warnings of the document's present values, in table order: for a
// handling file a row for each written value outside its usual range; for a
// vehicle definition file a row for each model name that more than one
// definition names (once per name). Every row is a warning. One pass.
ErrorRows warnDocument(const EditorDocument& document, const DocumentWarningTexts& texts);

// The rows of one vehicle's values outside their usual range, appended;
// `name`, when given, is the vehicle's name as its other rows hold it, so
// that a huge name is held once.
void addOutOfRangeRows(const HandlingRecord& record, const DocumentWarningTexts& texts,
                       ErrorRows& rows, std::shared_ptr<const std::string> name = nullptr);

// The rows of the whole document (repeated model names), appended.
void addDocumentWarningRows(const EditorDocument& document, const DocumentWarningTexts& texts,
                            ErrorRows& rows);

}  // namespace wendrake
