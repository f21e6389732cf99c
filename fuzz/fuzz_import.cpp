// Importing any bytes into the sample handling file: a refused import changes
// nothing, an accepted one only adds, keeps the list in order, and the result
// saves and reopens with every record.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "RoundTrip.h"
#include "model/VehicleImport.h"

using namespace wendrake;
using namespace wendrake::fuzz;

namespace {

bool startsWith(const auto& whole, const auto& part) {
    return whole.size() >= part.size() && std::equal(part.begin(), part.end(), whole.begin());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const OpenedFile sample = [] {
        auto opened = openLikeTheEditor(sampleHandlingFile(), DataFileKind::Handling);
        if (!opened) {
            fail("samples/handling.cfg does not open");
        }
        return *std::move(opened);
    }();
    static const HandlingReadTexts texts = HandlingReadTexts::fromLanguage(englishTexts());
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    OpenedFile file = sample;
    const EditorDocument& before = sample.document;
    EditorDocument& after = file.document;
    const ImportResult result = ImportVehicles(after, bytes, texts, "too many");
    if (result.failure) {
        expect(after.HandlingRecords == before.HandlingRecords && after.Autos == before.Autos &&
                   after.Errors == before.Errors,
               "a refused import changed the document");
        return 0;
    }
    expect(after.HandlingRecords.size() ==
                   before.HandlingRecords.size() + static_cast<std::size_t>(result.addedRecords) &&
               startsWith(after.HandlingRecords, before.HandlingRecords),
           "an import changed vehicles it should only add to");
    expect(after.Autos.size() == before.Autos.size() + result.addedNames,
           "the list did not grow by the names added");
    expect(std::is_sorted(after.Autos.entries().begin(), after.Autos.entries().end(),
                          [](const std::string& a, const std::string& b) {
                              return VehicleList::lessThan(a, b);
                          }),
           "an import left the vehicle list out of order");
    expect(result.firstErrorRow == static_cast<int>(before.Errors.size()) &&
               startsWith(after.Errors, before.Errors),
           "an import changed the earlier error rows");
    for (std::size_t i = before.HandlingRecords.size(); i < after.HandlingRecords.size(); ++i) {
        expect(after.Autos.indexOf(after.HandlingRecords[i].name()) >= 0,
               "an imported vehicle is not listed", after.HandlingRecords[i].name());
    }
    // An import lists a name only once, however many of its vehicles come
    // in, while a reopened file lists every vehicle: compare the list as
    // reopening makes it.
    std::vector<std::string> names;
    for (const HandlingRecord& record : after.HandlingRecords) {
        names.push_back(record.name());
    }
    after.Autos.assign(std::move(names));
    checkSaveAndReopen(file, AlsoCompare::AuthorAndDate);
    return 0;
}
