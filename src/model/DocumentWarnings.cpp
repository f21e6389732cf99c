// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentWarnings.h"

#include <memory>
#include <string_view>
#include <unordered_map>

#include "LanguageTable.h"
#include "ValueRanges.h"

namespace wendrake {

namespace {

// A model that two definitions name: the game finds the model by its name,
// so the second definition most likely meant a model of its own.
void addRepeatedModelNames(const std::vector<VehicleDefRecord>& records,
                           const DocumentWarningTexts& texts, ErrorRows& rows) {
    std::unordered_map<std::string_view, int> counts;
    counts.reserve(records.size());
    for (const VehicleDefRecord& record : records) {
        ++counts[record[VehicleDefField::ModelName]];
    }
    for (const VehicleDefRecord& record : records) {
        int& count = counts[record[VehicleDefField::ModelName]];
        if (count > 1) {
            count = 0;  // reported once
            ErrorListEntry& row = rows.emplace_back(
                std::string(record.name()), texts.modelNameCaption,
                texts.modelNameRepeated + ": " + std::string(record[VehicleDefField::ModelName]),
                static_cast<int>(VehicleDefField::ModelName));
            row.severity = Severity::Warning;
        }
    }
}

}  // namespace

void addOutOfRangeRows(const HandlingRecord& record, const DocumentWarningTexts& texts,
                       ErrorRows& rows, std::shared_ptr<const std::string> name) {
    const int written = writtenFieldCount(record);
    for (int k = 0; k < written; ++k) {
        const std::string_view value = record.value(k);
        if (!isOutsideUsualRange(k, value)) {
            continue;
        }
        if (!name) {
            name = std::make_shared<const std::string>(record.name());
        }
        const auto at = static_cast<std::size_t>(k);
        ErrorListEntry& row = rows.emplace_back(
            name, texts.captions[at],
            texts.outsideRange + " " + texts.rangeHints[at] + ": " + std::string(value), k);
        row.severity = Severity::Warning;
    }
}

DocumentWarningTexts DocumentWarningTexts::fromLanguage(const LanguageTable& language) {
    DocumentWarningTexts texts;
    for (int k = 0; k < kHandlingFieldCount; ++k) {
        const int caption = handlingFieldInfo(k).captionText;
        if (caption < 0) {
            continue;
        }
        // A language file keeps a field's hint right after its caption.
        texts.captions[static_cast<std::size_t>(k)] = language.text(caption);
        texts.rangeHints[static_cast<std::size_t>(k)] = language.text(caption + 1);
    }
    texts.outsideRange = language.text(Text::OutsideUsualRange);
    texts.modelNameCaption = language.text(Text::ModelNameCaption);
    texts.modelNameRepeated = language.text(Text::ModelNameRepeated);
    return texts;
}

ErrorRows warnDocument(const EditorDocument& document, const DocumentWarningTexts& texts) {
    ErrorRows rows;
    switch (document.kind) {
        case DataFileKind::Handling:
            for (const HandlingRecord& record : document.HandlingRecords) {
                addOutOfRangeRows(record, texts, rows);
            }
            break;
        case DataFileKind::VehicleDefs:
        case DataFileKind::CarColours:
            addDocumentWarningRows(document, texts, rows);
            break;
    }
    return rows;
}

void addDocumentWarningRows(const EditorDocument& document, const DocumentWarningTexts& texts,
                            ErrorRows& rows) {
    if (document.kind == DataFileKind::VehicleDefs) {
        addRepeatedModelNames(document.VehicleDefRecords, texts, rows);
    }
}

}  // namespace wendrake
