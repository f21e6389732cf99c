// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/FileSystem.h"

namespace wendrake {

// True for an existing file or a link to one; false for a folder.
bool isFile(const std::string& path);
bool isFolder(const std::string& path);
// True for a plain file or a link to one; false for a folder, a device, a pipe.
bool isRegularFile(const std::string& path);

// True when both name one existing file, through links or other spellings.
bool isSameFile(const std::string& one, const std::string& other);

// Reads a whole file, or all a pipe gives, as bytes.
std::optional<FileFailure> readFile(const std::string& path, std::string& bytes);

// Replaces the file at `path` (through a link, the file it points to) by
// `bytes` atomically: the bytes go to a temporary file beside it that then
// takes its place, so a failed write leaves the old file whole. The new file
// keeps the old one's permissions.
std::optional<FileFailure> replaceFile(const std::string& path, std::string_view bytes);

// Copies `from` over `to` atomically: `to` is either the old file or the
// whole copy, never a part of it.
std::optional<FileFailure> copyFile(const std::string& from, const std::string& to);

// The files on disk, read whole and written atomically.
class DiskFiles final : public FileSystem {
  public:
    bool exists(const std::string& path) override { return isFile(path); }
    std::optional<FileFailure> read(const std::string& path, std::string& bytes) override {
        return readFile(path, bytes);
    }
    std::optional<FileFailure> write(const std::string& path, std::string_view bytes) override {
        return replaceFile(path, bytes);
    }
    std::optional<FileFailure> copy(const std::string& from, const std::string& to) override {
        return copyFile(from, to);
    }
};

}  // namespace wendrake
