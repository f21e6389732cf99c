// SPDX-License-Identifier: GPL-3.0-or-later
// The handling reader on any bytes: no crash, and every record as the writer
// needs it, one value per field that reads back as that one value.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "model/HandlingReader.h"

using namespace wendrake;
using namespace wendrake::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const HandlingReadTexts texts = HandlingReadTexts::fromLanguage(englishTexts());
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const HandlingReadResult read = LoadHandlingFile(bytes, texts, {"too many", "no vehicle"});
    expect(!read.records.empty(), "the table is left without an element");
    if (read.failure) {
        return 0;
    }
    expect(read.names.size() == read.records.size(), "the list and the table differ in length");
    for (std::size_t i = 0; i < read.records.size(); ++i) {
        expect(read.names[i] == read.records[i].name(), "a listed name is not its record's",
               read.names[i]);
        const HandlingRecord& record = read.records[i];
        const std::size_t had = std::min<std::size_t>(record.valueCount, kHandlingFieldCount);
        for (std::size_t k = 0; k < record.values().size(); ++k) {
            expect(record.values()[k].empty() == (k >= had),
                   "a field is filled that the line lacks, or empty that it had",
                   record.values()[k]);
        }
        expect(record.valueCount == had + record.extraValues.size(),
               "the values after the 32nd are not the line's", record.name());
        for (const std::string_view value : record.values()) {
            expect(value.find_first_of(" \t;\r") == std::string::npos,
                   "a value would not read back as one value", value);
        }
        for (const std::string& value : record.extraValues) {
            expect(!value.empty() && value.find_first_of(" \t;\r") == std::string::npos,
                   "a value after the 32nd would not read back as one value", value);
        }
        expect(record.trailingComment.empty() ||
                   (record.trailingComment.front() == ';' &&
                    record.trailingComment.find('\r') == std::string::npos),
               "a comment without its mark", record.trailingComment);
        expect(!isForeignSectionValue(record.name()), "a foreign section's line became a vehicle",
               record.name());
        expect(!firstMissingValue(record), "a record as read cannot be saved", record.name());
    }
    for (const ErrorListEntry& row : read.errors) {
        expect(row.field >= -1 && row.field < kHandlingFieldCount, "an error row names no field");
    }
    return 0;
}
