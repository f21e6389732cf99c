// The handling reader on any bytes: no crash, and every record as the writer
// needs it, one value per field that reads back as that one value.
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
        for (const std::string& value : read.records[i].fields) {
            expect(!value.empty() && value.find_first_of(" \t;\r") == std::string::npos,
                   "a value would not read back as one value", value);
        }
    }
    for (const ErrorListEntry& row : read.errors) {
        expect(row.field >= -1 && row.field < kHandlingFieldCount, "an error row names no field");
    }
    return 0;
}
