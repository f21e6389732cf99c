// SPDX-License-Identifier: GPL-3.0-or-later
#include "VehicleImport.h"

#include <unordered_set>

#include "DocumentFiles.h"
#include "TextEncoding.h"
#include "TextLines.h"

namespace wendrake {

ImportedVehicles readImportedVehicles(std::string_view bytes, const HandlingReadTexts& texts,
                                      const std::vector<std::string>& listedNames, std::size_t room,
                                      std::string_view tooManyVehicles) {
    ImportedVehicles result;
    if (isUtf16Text(bytes)) {
        result.failure = ReadFailure{0, texts.utf16Refused, true};
        return result;
    }
    // Notepad's "UTF-8 with BOM" puts a mark before the first vehicle's
    // name, which would then match no name typed or listed.
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    // Files passed around by players may have lost their CR: repaired here,
    // in memory only.
    const std::string repaired = needsLineEndRepair(bytes) ? repairLineEnds(bytes) : std::string();
    const std::vector<std::string_view> lines = splitLines(repaired.empty() ? bytes : repaired);

    // First pass: the names of the data lines join the names already listed.
    std::unordered_set<std::string_view> listed(listedNames.begin(), listedNames.end());
    for (const std::string_view line : lines) {
        const HandlingLineClass kind = classifyHandlingLine(line);
        if (kind.isData) {
            listed.insert(handlingTokens(kind.values).front());
        }
    }

    // Second pass: every line whose first value is a listed name, once.
    for (const std::string_view line : lines) {
        const std::size_t mark = line.find(';');
        const auto tokens = handlingTokens(line.substr(0, mark));
        if (tokens.empty() || !listed.contains(tokens.front()) ||
            isForeignSectionValue(tokens.front())) {
            continue;
        }
        if (result.records.size() == room) {
            result.failure = ReadFailure{kOverflowCode, std::string(tooManyVehicles)};
            result.records.clear();
            result.rows.clear();
            return result;
        }
        const std::string_view comment =
            mark == std::string_view::npos ? std::string_view() : line.substr(mark);
        result.records.push_back(readHandlingRecord(tokens, comment, texts, result.rows));
    }
    return result;
}

}  // namespace wendrake
