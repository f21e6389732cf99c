#include "HandlingReader.h"

#include <algorithm>

#include "FileHeader.h"
#include "TextLines.h"

namespace wendrake {

HandlingReadResult LoadHandlingFile(std::string_view bytes, const HandlingReadTexts& texts,
                                    const HandlingFailureTexts& failureTexts) {
    HandlingReadResult result;
    std::vector<std::string_view> dataLines;
    for (const std::string_view line : splitLines(bytes)) {
        const HandlingLineClass kind = classifyHandlingLine(line);
        if (kind.isData) {
            dataLines.push_back(kind.values);
        } else {
            const std::size_t from =
                kind.markInHead == std::string_view::npos ? 0 : kind.markInHead;
            // Our own header says "File created with", which is no date.
            if (!isOwnHeaderLine(line.substr(from), ';')) {
                readAuthorAndDate(line, from, result.author, result.date);
            }
        }
    }
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
    for (const std::string_view values : dataLines) {
        splitHandlingTokens(values, tokens);
        readHandlingRecord(tokens, texts, result.errors, result.records.emplace_back());
        result.names.emplace_back(tokens.front());
    }
    if (result.records.empty()) {
        result.records.emplace_back();
    }
    return result;
}

}  // namespace wendrake
