// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wendrake {

// Why a file could not be read or written: shown as "Error: <code> - <description>".
struct FileFailure {
    int code = 0;
    std::string description;
};

// The files an open document is read from and saved to. The window reaches
// them through its desktop, the command line directly; paths are UTF-8.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // True for an existing file (not a folder).
    virtual bool exists(const std::string& path) = 0;
    virtual std::optional<FileFailure> read(const std::string& path, std::string& bytes) = 0;
    // Replaces the file atomically: a failed write leaves the old one whole.
    virtual std::optional<FileFailure> write(const std::string& path, std::string_view bytes) = 0;
    virtual std::optional<FileFailure> copy(const std::string& from, const std::string& to) = 0;
};

}  // namespace wendrake
