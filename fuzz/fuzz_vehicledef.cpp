// SPDX-License-Identifier: GPL-3.0-or-later
// The default.ide reader on any bytes: no crash, and values the writer can
// put back between its commas.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "model/VehicleDefFile.h"

using namespace wendrake;
using namespace wendrake::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const VehicleDefReadResult read = LoadVehicleDefFile(bytes, "too few in line ");
    if (read.failure) {
        return 0;
    }
    expect(read.names.size() == read.records.size(), "the list and the table differ in length");
    for (std::size_t i = 0; i < read.records.size(); ++i) {
        const VehicleDefRecord& record = read.records[i];
        expect(read.names[i] == record.name(), "a listed name is not its record's", read.names[i]);
        for (const std::string_view value : record.values()) {
            expect(value.find_first_of(" \t,#\r") == std::string::npos,
                   "a value would not read back as one value", value);
        }
        expect(record.laterValues.empty() ||
                   (record.laterValues.front() == ',' &&
                    record.laterValues.find_first_of(" \t#\r") == std::string::npos),
               "later values would not read back as values", record.laterValues);
        expect(record.namedValueCount <= record.values().size() &&
                   (record.laterValues.empty() || record.namedValueCount == record.values().size()),
               "a value count that does not match the values", record.laterValues);
        expect(record.trailingComment.empty() || record.trailingComment.front() == '#',
               "a trailing comment without its mark", record.trailingComment);
    }
    return 0;
}
