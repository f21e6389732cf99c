// SPDX-License-Identifier: GPL-3.0-or-later
#include "HandlingReader.h"

#include <algorithm>

#include "HandlingAuthorDate.h"
#include "TextLines.h"

namespace wendrake {

HandlingReadResult LoadHandlingFile(std::string_view bytes, const HandlingReadTexts& texts,
                                    const HandlingFailureTexts& failureTexts) {
    HandlingReadResult result;
    std::vector<HandlingLineClass> dataLines;
    AuthorAndDate found;
    for (const std::string_view line : splitLines(bytes)) {
        HandlingLineClass kind = classifyHandlingLine(line);
        if (kind.isData) {
            dataLines.push_back(kind);
        } else {
            readAuthorAndDate(line, found);
        }
    }
    result.author = std::move(found.author);
    result.date = std::move(found.date);
    if (dataLines.size() > static_cast<std::size_t>(kTableLimit)) {
        result.failure = ReadFailure{kOverflowCode, failureTexts.tooManyVehicles};
        return result;
    }
    if (dataLines.empty()) {
        // Nothing could be shown: the open fails instead of leaving an empty editor.
        result.failure = ReadFailure{kNoVehicleCode, failureTexts.noVehicle};
    }

    result.records.reserve(std::max<std::size_t>(dataLines.size(), 1));
    result.names.reserve(dataLines.size());
    HandlingTokens tokens;
    tokens.values.reserve(kHandlingFieldCount);
    for (const HandlingLineClass& line : dataLines) {
        splitHandlingTokens(line.values, tokens);
        HandlingRecord& record = result.records.emplace_back();
        readHandlingRecord(tokens, line.comment, texts, result.errors, record);
        record.source = SourceLine::of(line.line);
        result.names.emplace_back(tokens.front());
    }
    if (result.records.empty()) {
        result.records.emplace_back();
    }
    return result;
}

}  // namespace wendrake
