// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentChecks.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace wendrake {

namespace {

template <typename Record>
void addRepeatedNames(const std::vector<Record>& records, const std::string& text,
                      ErrorRows& rows) {
    std::unordered_set<std::string_view> reported;
    for (const ErrorListEntry& row : rows) {
        if (row.error == text) {
            reported.insert(row.car());
        }
    }
    std::unordered_map<std::string_view, int> counts;
    counts.reserve(records.size());
    for (const Record& record : records) {
        ++counts[record.name()];
    }
    for (const Record& record : records) {
        const std::string_view name = record.name();
        if (counts[name] > 1 && reported.insert(name).second) {
            rows.emplace_back(std::string(name), std::string(), text);
        }
    }
}

void addUnknownColours(const EditorDocument& document, const DocumentCheckTexts& texts,
                       ErrorRows& rows) {
    const auto colours = static_cast<long>(document.ColourEntries.size());
    for (const CarColourRecord& record : document.CarColourRecords) {
        std::shared_ptr<const std::string> name;
        const std::size_t pairs = std::min(record.Color1.size(), record.Color2.size());
        for (std::size_t j = 0; j < pairs; ++j) {
            for (const std::int16_t value : {record.Color1[j], record.Color2[j]}) {
                if (value >= 0 && value < colours) {
                    continue;
                }
                if (!name) {
                    name = std::make_shared<const std::string>(record.ModelName);
                }
                rows.emplace_back(name, texts.colourParameter,
                                  texts.namesNoColour + ": " + std::to_string(value));
            }
        }
    }
}

}  // namespace

void addRecordRows(const HandlingRecord& record, const DocumentCheckTexts& texts, ErrorRows& rows) {
    const std::size_t before = rows.size();
    addHandlingRecordRows(record, texts.handling, rows);
    if (texts.warnings) {
        addOutOfRangeRows(record, *texts.warnings, rows,
                          rows.size() > before ? rows.back().carName : nullptr);
    }
}

ErrorRows checkDocument(const EditorDocument& document, const DocumentCheckTexts& texts) {
    ErrorRows rows;
    if (document.kind == DataFileKind::Handling) {
        for (const HandlingRecord& record : document.HandlingRecords) {
            addRecordRows(record, texts, rows);
        }
    }
    addDocumentCheckRows(document, texts, rows);
    return rows;
}

void addDocumentCheckRows(const EditorDocument& document, const DocumentCheckTexts& texts,
                          ErrorRows& rows) {
    switch (document.kind) {
        case DataFileKind::Handling:
            addRepeatedNames(document.HandlingRecords, texts.nameRepeated, rows);
            break;
        case DataFileKind::VehicleDefs:
            addRepeatedNames(document.VehicleDefRecords, texts.nameRepeated, rows);
            break;
        case DataFileKind::CarColours:
            addRepeatedNames(document.CarColourRecords, texts.nameRepeated, rows);
            addUnknownColours(document, texts, rows);
            break;
    }
    if (texts.warnings) {
        addDocumentWarningRows(document, *texts.warnings, rows);
    }
}

}  // namespace wendrake
