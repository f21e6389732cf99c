// SPDX-License-Identifier: GPL-3.0-or-later
// Importing any bytes into the sample handling file: a refused import changes
// nothing; an accepted one only adds records (or, replacing, puts them in the
// places of records of the same names), lists one entry per record as a
// reopened file does, and the result saves and reopens with every record.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "FuzzSupport.h"
#include "RoundTrip.h"
#include "model/DocumentSession.h"

using namespace wendrake;
using namespace wendrake::fuzz;

namespace {

bool startsWith(const auto& whole, const auto& part) {
    return whole.size() >= part.size() && std::equal(part.begin(), part.end(), whole.begin());
}

void checkImport(std::string_view bytes, ImportPolicy policy) {
    static const HandlingReadTexts texts = HandlingReadTexts::fromLanguage(englishTexts());
    DocumentSession session;
    if (session.openBytes("handling.cfg", DataFileKind::Handling, sampleHandlingFile(),
                          englishTexts())) {
        fail("samples/handling.cfg does not open");
    }
    const EditorDocument before = session.document();
    const ImportResult result = session.importVehicles(bytes, texts, "too many", policy);
    const EditorDocument& after = session.document();
    if (result.failure) {
        expect(after.HandlingRecords == before.HandlingRecords && after.Autos == before.Autos &&
                   after.Errors == before.Errors && session.isSaved(),
               "a refused import changed the document");
        return;
    }
    expect(after.HandlingRecords.size() ==
               before.HandlingRecords.size() + static_cast<std::size_t>(result.addedRecords),
           "the table did not grow by the records added");
    if (policy == ImportPolicy::KeepBoth) {
        expect(startsWith(after.HandlingRecords, before.HandlingRecords),
               "keeping both changed vehicles it should only add to");
    }
    expect(after.Autos.size() == static_cast<int>(after.HandlingRecords.size()),
           "the list does not hold one entry per record");
    for (int entry = 0; entry < after.Autos.size(); ++entry) {
        const auto record = static_cast<std::size_t>(after.Autos.recordAt(entry));
        expect(record < after.HandlingRecords.size() &&
                   after.HandlingRecords[record].name() == after.Autos.at(entry) &&
                   after.Autos.entryOfRecord(static_cast<int>(record)) == entry,
               "a list entry does not stand for its own record", after.Autos.at(entry));
    }
    expect(std::is_sorted(after.Autos.entries().begin(), after.Autos.entries().end(),
                          [](const std::string& a, const std::string& b) {
                              return VehicleList::lessThan(a, b);
                          }),
           "an import left the vehicle list out of order");
    expect(startsWith(after.Errors, before.Errors), "an import changed the earlier error rows");
    checkSaveAndReopen(OpenedFile{sampleHandlingFile(), after}, AlsoCompare::AuthorAndDate);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    checkImport(bytes, ImportPolicy::KeepBoth);
    checkImport(bytes, ImportPolicy::Replace);
    return 0;
}
