// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocumentChecks.h"

#include <algorithm>
#include <functional>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace wendrake {

namespace {

// A row for each name that more than one record has, once, at the first of
// them. The names are counted in a flat table (open addressing over their
// hashes) that keeps no node per name, and each record's slot is noted so
// that no name is hashed twice.
template <typename Record>
void addRepeatedNames(const std::vector<Record>& records, const std::string& text,
                      ErrorRows& rows) {
    struct Slot {
        std::size_t hash = 0;
        std::size_t first = 0;
        std::size_t count = 0;
    };
    std::size_t size = 16;
    while (size < 2 * records.size()) {
        size *= 2;
    }
    std::vector<Slot> slots(size);
    std::vector<std::size_t> slotOf(records.size());
    const std::hash<std::string_view> hashOf;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string_view name = records[i].name();
        const std::size_t hash = hashOf(name);
        std::size_t at = hash & (size - 1);
        while (slots[at].count > 0 &&
               (slots[at].hash != hash || records[slots[at].first].name() != name)) {
            at = (at + 1) & (size - 1);
        }
        if (slots[at].count++ == 0) {
            slots[at].hash = hash;
            slots[at].first = i;
        }
        slotOf[i] = at;
    }
    std::unordered_set<std::string_view> reported;
    for (const ErrorListEntry& row : rows) {
        if (row.error == text) {
            reported.insert(row.car());
        }
    }
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Slot& slot = slots[slotOf[i]];
        if (slot.count > 1 && slot.first == i) {
            const std::string_view name = records[i].name();
            if (reported.insert(name).second) {
                rows.emplace_back(std::string(name), std::string(), text);
            }
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
