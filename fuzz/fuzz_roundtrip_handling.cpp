// A handling file opened, saved and opened again holds the same records and
// vehicle list, also after every record was edited; saving twice writes the
// same bytes.
#include <cstddef>
#include <cstdint>

#include "RoundTrip.h"

using namespace wendrake;
using namespace wendrake::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::optional<OpenedFile> opened = openLikeTheEditor(bytes, DataFileKind::Handling);
    if (!opened) {
        return 0;
    }
    checkSaveAndReopen(*opened, AlsoCompare::AuthorAndDate);
    editEveryRecord(opened->document);
    checkSaveAndReopen(*opened, AlsoCompare::Nothing);
    return 0;
}
