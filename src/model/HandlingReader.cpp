// SPDX-License-Identifier: GPL-3.0-or-later
#include "HandlingReader.h"

#include <algorithm>

#include "HandlingAuthorDate.h"
#include "TextLines.h"

namespace wendrake {

HandlingReadResult LoadHandlingFile(std::string_view bytes, const HandlingReadTexts& texts,
                                    const HandlingFailureTexts& failureTexts,
                                    SourceLines sourceLines) {
    HandlingReadResult result;
    AuthorAndDate found;
    // Room for a record per line at most: what is never filled costs no memory.
    const auto lines = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\r')) + 1;
    const std::size_t room = std::min(lines, static_cast<std::size_t>(kTableLimit));
    result.records.reserve(room);
    result.names.reserve(room);
    HandlingTokens tokens;
    tokens.values.reserve(kHandlingFieldCount);
    bool tooMany = false;
    forEachLine(bytes, [&](std::string_view text) {
        const HandlingLineClass line = classifyHandlingLine(text);
        if (!line.isData) {
            readAuthorAndDate(text, found);
            return true;
        }
        if (result.records.size() == static_cast<std::size_t>(kTableLimit)) {
            tooMany = true;
            return false;
        }
        splitHandlingTokens(line.values, tokens);
        HandlingRecord& record = result.records.emplace_back();
        readHandlingRecord(tokens, line.comment, texts, result.errors, record);
        if (sourceLines == SourceLines::Recorded) {
            record.source = SourceLine::of(line.line);
        }
        result.names.emplace_back(tokens.front());
        return true;
    });
    if (tooMany) {
        result.failure = ReadFailure{kOverflowCode, failureTexts.tooManyVehicles};
        return result;
    }
    result.author = std::move(found.author);
    result.date = std::move(found.date);
    if (result.records.empty()) {
        // Nothing could be shown: the open fails instead of leaving an empty editor.
        result.failure = ReadFailure{kNoVehicleCode, failureTexts.noVehicle};
        result.records.emplace_back();
    }
    return result;
}

}  // namespace wendrake
