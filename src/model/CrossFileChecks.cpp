// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrossFileChecks.h"

#include <algorithm>

#include "LanguageTable.h"

namespace wendrake {

namespace {

// Cars need a handling line. Trains, boats, aircraft need not: a file may
// give them none (the bundled files do not), and a sibling game keeps boats
// and aircraft in sections of the handling file that are not vehicle lines.
bool needsHandlingLine(const VehicleDefRecord& record) {
    const std::string_view type = record[VehicleDefField::Typ];
    return std::ranges::equal(type, std::string_view("car"), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
    });
}

}  // namespace

CrossFileTexts CrossFileTexts::fromLanguage(const LanguageTable& language) {
    return {language.text(Text::HandlingIdCaption), language.text(Text::HandlingIdWithoutLine),
            language.text(Text::HandlingLineUnused)};
}

NameSet handlingNames(const std::vector<HandlingRecord>& records) {
    NameSet names;
    names.reserve(records.size());
    for (const HandlingRecord& record : records) {
        names.insert(record.name());
    }
    return names;
}

NameSet usedHandlingIds(const std::vector<VehicleDefRecord>& records) {
    NameSet ids;
    ids.reserve(records.size());
    for (const VehicleDefRecord& record : records) {
        ids.insert(record[VehicleDefField::HandlingID]);
    }
    return ids;
}

ErrorRows definitionsWithoutLine(const std::vector<VehicleDefRecord>& records, const NameSet& lines,
                                 const CrossFileTexts& texts) {
    ErrorRows rows;
    NameSet reported;
    for (const VehicleDefRecord& record : records) {
        const std::string_view id = record[VehicleDefField::HandlingID];
        if (needsHandlingLine(record) && !lines.contains(id) && reported.insert(id).second) {
            rows.emplace_back(std::string(id), texts.handlingIdCaption, texts.withoutLine,
                              static_cast<int>(VehicleDefField::HandlingID));
        }
    }
    return rows;
}

ErrorRows linesWithoutDefinition(const std::vector<HandlingRecord>& records, const NameSet& used,
                                 const CrossFileTexts& texts) {
    ErrorRows rows;
    NameSet reported;
    for (const HandlingRecord& record : records) {
        if (!used.contains(record.name()) && reported.insert(record.name()).second) {
            ErrorListEntry& row =
                rows.emplace_back(std::string(record.name()), std::string(), texts.unusedLine);
            row.severity = Severity::Warning;
        }
    }
    return rows;
}

}  // namespace wendrake
