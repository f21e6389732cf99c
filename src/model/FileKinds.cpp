#include "FileKinds.h"

#include "LanguageTable.h"
#include "TextLines.h"

namespace wendrake {

namespace {

constexpr std::array<FileKindInfo, 3> kFileKinds{{
    {DataFileKind::Handling, ".cfg", ".cfg.backup", {"*.cfg", "*.cfg.backup"}, "*.cfg", ';',
     Text::HandlingFileType, 1},
    {DataFileKind::VehicleDefs, ".ide", ".ide.backup", {"*.ide", "*.ide.backup"}, "*.ide", '#',
     Text::VehicleDefFileType, 2},
    {DataFileKind::CarColours, ".dat", ".dat.backup", {"*.dat", "*.dat.backup"}, "*.dat", '#',
     Text::CarColourFileType, 3},
}};

// Each entry stands at its kind's value, so a kind finds its entry directly.
constexpr bool entriesStandAtTheirKind() {
    for (std::size_t i = 0; i < kFileKinds.size(); ++i) {
        if (static_cast<std::size_t>(kFileKinds[i].kind) != i ||
            kFileKinds[i].filterPosition != static_cast<int>(i) + 1) {
            return false;
        }
    }
    return true;
}
static_assert(entriesStandAtTheirKind());

bool endsWithNoCase(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && equalsNoCase(text.substr(text.size() - tail.size()), tail);
}

}  // namespace

std::span<const FileKindInfo> fileKinds() {
    return kFileKinds;
}

const FileKindInfo& fileKindInfo(DataFileKind kind) {
    return kFileKinds.at(static_cast<std::size_t>(kind));
}

int filterPositionOf(DataFileKind kind) {
    return fileKindInfo(kind).filterPosition;
}

std::optional<DataFileKind> kindFromFileName(std::string_view path) {
    for (const FileKindInfo& info : kFileKinds) {
        if (endsWithNoCase(path, info.ending) || endsWithNoCase(path, info.backupEnding)) {
            return info.kind;
        }
    }
    return std::nullopt;
}

std::optional<DataFileKind> kindFromFileNameAndFilter(std::string_view path, int filterPosition) {
    const auto kind = kindFromFileName(path);
    if (kind && filterPositionOf(*kind) == filterPosition) {
        return kind;
    }
    return std::nullopt;
}

}  // namespace wendrake
