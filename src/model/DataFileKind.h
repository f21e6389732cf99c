#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace wendrake {

enum class DataFileKind : std::int16_t { Handling = 0, VehicleDefs = 1, CarColours = 2 };

// The open dialog's filter positions are 1-based: kind value plus one.
inline constexpr int filterPositionOf(DataFileKind kind) {
    return static_cast<int>(kind) + 1;
}

// The kind a file name stands for by its ending ("cfg", "ide", "dat", each
// also with ".backup"), compared case-sensitively; nullopt for anything else.
std::optional<DataFileKind> kindFromFileName(std::string_view path);

// The kind the open dialog loads: the file name and the chosen filter must
// agree, otherwise the file type is unknown.
std::optional<DataFileKind> kindFromFileNameAndFilter(std::string_view path, int filterPosition);

}  // namespace wendrake
