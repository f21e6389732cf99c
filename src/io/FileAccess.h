// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "model/FileSystem.h"
#include "model/ReadFailure.h"

namespace wendrake {

// The outcome of a file operation; on failure, the code and description
// shown in the error notice.
struct FileResult {
    bool ok = true;
    int code = 0;
    QString description;

    static FileResult failure(int code, QString description) {
        return {false, code, std::move(description)};
    }
};

struct FileBytes {
    FileResult result;
    std::string bytes;
};

// Reads a whole file as bytes.
FileBytes readFileBytes(const QString& path);

// Replaces the file at `path` by `bytes` atomically: the bytes go to a
// temporary file beside it that then takes its place, so a failed write
// leaves the old file whole. The new file keeps the old one's permissions.
FileResult writeFileAtomically(const QString& path, std::string_view bytes);

// Copies `from` over `to` atomically: `to` is either the old file or the
// whole copy, never a part of it.
FileResult copyFileAtomically(const QString& from, const QString& to);

// "Error: <code> - <description>", the notice of a failed operation.
QString errorNotice(int code, const QString& description);
QString errorNotice(const FileFailure& failure);

// The failure of a result, or nothing for success.
std::optional<FileFailure> toFailure(const FileResult& result);

// The notice of a file that could not be read: the error notice, or a
// reader's own message alone (a line with too few values).
QString readFailureNotice(const ReadFailure& failure);

}  // namespace wendrake
