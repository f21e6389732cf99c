// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace wendrake {

enum class DataFileKind : std::int16_t { Handling = 0, VehicleDefs = 1, CarColours = 2 };

// What else belongs to a kind (dialog patterns, comment mark, the text naming
// it) stands in the table of FileKinds.h, which also defines these.

// The kind a file name stands for by its ending (".cfg", ".ide", ".dat", each
// also with ".backup"), compared without regard to letter case as Windows
// compares names; nullopt for anything else.
std::optional<DataFileKind> kindFromFileName(std::string_view path);

}  // namespace wendrake
