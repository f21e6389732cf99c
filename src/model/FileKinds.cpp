// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileKinds.h"

#include "LanguageTable.h"
#include "TextLines.h"

namespace wendrake {

namespace {

constexpr std::array<FileKindInfo, 3> kFileKinds{{
    {.kind = DataFileKind::Handling,
     .ending = ".cfg",
     .backupEnding = ".cfg.backup",
     .openPatterns = {"*.cfg", "*.cfg.backup"},
     .savePattern = "*.cfg",
     .commentMark = ';',
     .fileTypeText = Text::HandlingFileType},
    {.kind = DataFileKind::VehicleDefs,
     .ending = ".ide",
     .backupEnding = ".ide.backup",
     .openPatterns = {"*.ide", "*.ide.backup"},
     .savePattern = "*.ide",
     .commentMark = '#',
     .fileTypeText = Text::VehicleDefFileType},
    {.kind = DataFileKind::CarColours,
     .ending = ".dat",
     .backupEnding = ".dat.backup",
     .openPatterns = {"*.dat", "*.dat.backup"},
     .savePattern = "*.dat",
     .commentMark = '#',
     .fileTypeText = Text::CarColourFileType},
}};

// Each entry stands at its kind's value, so a kind finds its entry directly.
constexpr bool entriesStandAtTheirKind() {
    for (std::size_t i = 0; i < kFileKinds.size(); ++i) {
        if (static_cast<std::size_t>(kFileKinds[i].kind) != i) {
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

std::optional<DataFileKind> kindFromFileName(std::string_view path) {
    for (const FileKindInfo& info : kFileKinds) {
        if (endsWithNoCase(path, info.ending) || endsWithNoCase(path, info.backupEnding)) {
            return info.kind;
        }
    }
    return std::nullopt;
}

}  // namespace wendrake
