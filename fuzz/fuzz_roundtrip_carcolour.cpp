// SPDX-License-Identifier: GPL-3.0-or-later
// A car colour file opened, saved and opened again holds the same records and
// vehicle list, also after every record was edited; saving twice writes the
// same bytes.
#include <cstddef>
#include <cstdint>

#include "RoundTrip.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    wendrake::fuzz::checkRoundTrip(std::string_view(reinterpret_cast<const char*>(data), size),
                                   wendrake::DataFileKind::CarColours);
    return 0;
}
