// SPDX-License-Identifier: GPL-3.0-or-later
// The car colour reader on any bytes: no crash, a palette numbered in order
// and colour pairs that are whole pairs.
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "model/CarColourFile.h"

using namespace wendrake;
using namespace wendrake::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const CarColourReadResult read =
        LoadCarColourFile(bytes, {"too few in line ", "not a number in line "});
    if (read.failure) {
        return 0;
    }
    for (std::size_t i = 0; i < read.palette.size(); ++i) {
        expect(read.palette[i].Number == static_cast<std::int16_t>(i),
               "a colour is not numbered by its place");
        expect(read.palette[i].Name.find_first_of("\t\r") == std::string::npos,
               "a colour name holds a tab or CR", read.palette[i].Name);
    }
    expect(read.names.size() == read.cars.size(), "the list and the models differ in length");
    for (std::size_t i = 0; i < read.cars.size(); ++i) {
        const CarColourRecord& record = read.cars[i];
        expect(read.names[i] == record.ModelName, "a listed name is not its model's");
        expect(!record.Color1.empty() && record.Color1.size() == record.Color2.size(),
               "a model without whole colour pairs", record.ModelName);
        expect(record.ModelName.find_first_of(" \t,#\r") == std::string::npos,
               "a model name would not read back", record.ModelName);
    }
    return 0;
}
