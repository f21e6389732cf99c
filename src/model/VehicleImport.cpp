#include "VehicleImport.h"

#include <algorithm>
#include <unordered_set>

#include "model/DocumentFiles.h"
#include "model/TextLines.h"

namespace wendrake {

ImportResult ImportVehicles(EditorDocument& document, std::string_view bytes,
                            const HandlingReadTexts& texts, std::string_view tooManyVehicles) {
    ImportResult result;
    // Files passed around by players may have lost their CR: repaired here,
    // in memory only.
    const std::string repaired = needsLineEndRepair(bytes) ? repairLineEnds(bytes) : std::string();
    const std::vector<std::string_view> lines = splitLines(repaired.empty() ? bytes : repaired);

    // First pass: the names of the data lines that the list does not hold yet.
    std::unordered_set<std::string_view> listed(document.Autos.entries().begin(),
                                                document.Autos.entries().end());
    std::vector<std::string> newNames;
    for (const std::string_view line : lines) {
        const HandlingLineClass kind = classifyHandlingLine(line);
        if (!kind.isData) {
            continue;
        }
        const std::string_view name = handlingTokens(kind.values).front();
        if (listed.insert(name).second) {
            newNames.emplace_back(name);
        }
    }

    // Second pass: every line whose first value is a listed name, once.
    std::vector<HandlingRecord> added;
    ErrorRows rows;
    const std::size_t room =
        static_cast<std::size_t>(kTableLimit) -
        std::min(document.HandlingRecords.size(), static_cast<std::size_t>(kTableLimit));
    for (const std::string_view line : lines) {
        const std::size_t mark = line.find(';');
        const auto tokens = handlingTokens(line.substr(0, mark));
        if (tokens.empty() || !listed.contains(tokens.front()) ||
            isForeignSectionValue(tokens.front())) {
            continue;
        }
        // Stops at the first record too many, before a huge file is read whole.
        if (added.size() == room) {
            result.failure = ReadFailure{kOverflowCode, std::string(tooManyVehicles)};
            return result;
        }
        const std::string_view comment =
            mark == std::string_view::npos ? std::string_view() : line.substr(mark);
        added.push_back(readHandlingRecord(tokens, comment, texts, rows));
    }

    result.addedRecords = static_cast<int>(added.size());
    result.addedNames = static_cast<int>(newNames.size());
    result.firstErrorRow = static_cast<int>(document.Errors.size());
    document.HandlingRecords.insert(document.HandlingRecords.end(),
                                    std::make_move_iterator(added.begin()),
                                    std::make_move_iterator(added.end()));
    document.Errors.insert(document.Errors.end(), rows.begin(), rows.end());
    document.Autos.insertMany(std::move(newNames));
    return result;
}

}  // namespace wendrake
