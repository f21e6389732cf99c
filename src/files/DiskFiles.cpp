// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskFiles.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "AtomicReplace.h"
#include "FileErrors.h"
#include "NativePath.h"

namespace wendrake {

namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

bool isFile(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(nativePath(path), error);
    return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

bool isFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(nativePath(path), error);
}

bool isRegularFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(nativePath(path), error);
}

bool isSameFile(const std::string& one, const std::string& other) {
    std::error_code error;
    return std::filesystem::equivalent(nativePath(one), nativePath(other), error) && !error;
}

std::optional<FileFailure> readFile(const std::string& path, std::string& bytes) {
    if (isFolder(path)) {
        return folderFailure(path);
    }
    errno = 0;
    const std::unique_ptr<std::FILE, CloseFile> file(openFile(path, "rb"));
    if (!file) {
        return systemFailure(OpenError, errno);
    }
    // Straight into the string, sized by the file: a large file is not held
    // twice. A pipe, or a file that grew, gives the rest in blocks.
    std::string read;
    std::error_code error;
    const auto size = std::filesystem::file_size(nativePath(path), error);
    if (!error && size > 0) {
        read.resize(static_cast<std::size_t>(size));
        read.resize(std::fread(read.data(), 1, read.size(), file.get()));
    }
    char block[65536];
    while (!std::ferror(file.get()) && !std::feof(file.get())) {
        read.append(block, std::fread(block, 1, sizeof block, file.get()));
    }
    if (std::ferror(file.get())) {
        return systemFailure(ReadError, errno);
    }
    bytes = std::move(read);
    return std::nullopt;
}

std::optional<FileFailure> replaceFile(const std::string& path, std::string_view bytes) {
    if (isFolder(path)) {
        return folderFailure(path);
    }
    return replaceAtomically(path, bytes);
}

std::optional<FileFailure> copyFile(const std::string& from, const std::string& to) {
    std::string bytes;
    if (auto failure = readFile(from, bytes)) {
        return failure;
    }
    return replaceFile(to, bytes);
}

}  // namespace wendrake
