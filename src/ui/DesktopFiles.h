// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/FileSystem.h"
#include "ui/Desktop.h"

namespace wendrake {

// The files of the open document as the window reaches them: through the
// desktop, so that tests can make a write fail.
class DesktopFiles final : public FileSystem {
  public:
    explicit DesktopFiles(Desktop& desktop) : desktop_(desktop) {}

    bool exists(const std::string& path) override {
        return desktop_.fileExists(QString::fromStdString(path));
    }
    std::optional<FileFailure> read(const std::string& path, std::string& bytes) override {
        FileBytes read = desktop_.readFile(QString::fromStdString(path));
        if (read.result.ok) {
            bytes = std::move(read.bytes);
        }
        return toFailure(read.result);
    }
    std::optional<FileFailure> write(const std::string& path, std::string_view bytes) override {
        return toFailure(desktop_.writeFile(QString::fromStdString(path), bytes));
    }
    std::optional<FileFailure> copy(const std::string& from, const std::string& to) override {
        return toFailure(
            desktop_.copyFile(QString::fromStdString(from), QString::fromStdString(to)));
    }

  private:
    Desktop& desktop_;
};

}  // namespace wendrake
