// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/FileSystem.h"

namespace wendrake {

// The files on disk, read whole and written atomically.
class DiskFiles final : public FileSystem {
  public:
    bool exists(const std::string& path) override;
    std::optional<FileFailure> read(const std::string& path, std::string& bytes) override;
    std::optional<FileFailure> write(const std::string& path, std::string_view bytes) override;
    std::optional<FileFailure> copy(const std::string& from, const std::string& to) override;
};

}  // namespace wendrake
