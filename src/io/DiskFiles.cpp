// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskFiles.h"

#include <QFileInfo>

#include "FileAccess.h"

namespace wendrake {

bool DiskFiles::exists(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    return info.exists() && !info.isDir();
}

std::optional<FileFailure> DiskFiles::read(const std::string& path, std::string& bytes) {
    FileBytes read = readFileBytes(QString::fromStdString(path));
    if (!read.result.ok) {
        return toFailure(read.result);
    }
    bytes = std::move(read.bytes);
    return std::nullopt;
}

std::optional<FileFailure> DiskFiles::write(const std::string& path, std::string_view bytes) {
    return toFailure(writeFileAtomically(QString::fromStdString(path), bytes));
}

std::optional<FileFailure> DiskFiles::copy(const std::string& from, const std::string& to) {
    return toFailure(copyFileAtomically(QString::fromStdString(from), QString::fromStdString(to)));
}

}  // namespace wendrake
