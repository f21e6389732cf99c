// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <string>

#include "model/FileSystem.h"

namespace wendrake::testing {

// Files in memory for the model's tests and fuzz targets, with a count of
// the writes so that a refused save can be seen to have written nothing; a
// write or copy can be made to fail.
class MemoryFiles final : public FileSystem {
  public:
    std::map<std::string, std::string> files;
    int writes = 0;
    bool failWrites = false;

    bool exists(const std::string& path) override { return files.contains(path); }
    std::optional<FileFailure> read(const std::string& path, std::string& bytes) override {
        const auto found = files.find(path);
        if (found == files.end()) {
            return FileFailure{2, "No such file: " + path};
        }
        bytes = found->second;
        return std::nullopt;
    }
    std::optional<FileFailure> write(const std::string& path, std::string_view bytes) override {
        if (failWrites) {
            return FileFailure{28, "No space left on device"};
        }
        ++writes;
        files[path] = std::string(bytes);
        return std::nullopt;
    }
    std::optional<FileFailure> copy(const std::string& from, const std::string& to) override {
        std::string bytes;
        if (auto failure = read(from, bytes)) {
            return failure;
        }
        return write(to, bytes);
    }
};

}  // namespace wendrake::testing
