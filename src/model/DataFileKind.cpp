#include "DataFileKind.h"

#include <string>

namespace wendrake {

namespace {

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

bool hasExtension(std::string_view path, std::string_view extension) {
    const std::string backupTail = std::string(extension) + ".backup";
    return endsWith(path, extension) || endsWith(path, backupTail);
}

}  // namespace

std::optional<DataFileKind> kindFromFileName(std::string_view path) {
    if (hasExtension(path, "cfg")) {
        return DataFileKind::Handling;
    }
    if (hasExtension(path, "ide")) {
        return DataFileKind::VehicleDefs;
    }
    if (hasExtension(path, "dat")) {
        return DataFileKind::CarColours;
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
