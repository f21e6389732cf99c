// SPDX-License-Identifier: GPL-3.0-or-later
#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "AtomicReplace.h"
#include "FileErrors.h"
#include "TemporaryNames.h"
#include "WideText.h"
#include "WindowsError.h"

namespace wendrake {

namespace {

// The C library's words where an error has an errno twin, so that a player
// reads the same message on Windows as on Linux; Windows's own words else.
FileFailure windowsFailure(FileErrorCode code, DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
            return systemFailure(code, ENOENT);
        case ERROR_ACCESS_DENIED:
            return systemFailure(code, EACCES);
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return systemFailure(code, ENOSPC);
        case ERROR_WRITE_PROTECT:
            return systemFailure(code, EROFS);
        default:
            break;
    }
    return FileFailure{code, windowsErrorText(error)};
}

class Handle {
  public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        const bool closed = !valid() || CloseHandle(handle_) != 0;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

  private:
    HANDLE handle_;
};

bool writeAll(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        // WriteFile takes at most 4 GiB at once; a gigabyte per call is plenty.
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), chunk, &written, nullptr) || written == 0) {
            if (GetLastError() == ERROR_SUCCESS) {
                SetLastError(ERROR_WRITE_FAULT);
            }
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// A new file beside `path`, named after it, that no other program created.
HANDLE createBeside(const std::string& path, std::wstring& name) {
    TemporaryNames names(GetCurrentProcessId());
    for (int attempt = 0; attempt < TemporaryNames::kAttempts; ++attempt) {
        name = wideFromUtf8(names.next(path));
        const HANDLE handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
            return handle;
        }
    }
    return INVALID_HANDLE_VALUE;
}

// A console, the NUL device or a pipe given as the target (`-o CON`) takes
// the bytes as they come: it cannot be replaced by a file. Opening a name
// that is a plain file only to look, with every kind of sharing, changes
// nothing.
bool writeIntoDevice(const std::wstring& target, std::string_view bytes,
                     std::optional<FileFailure>& failure) {
    Handle device(CreateFileW(target.c_str(), GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!device.valid() || GetFileType(device.get()) == FILE_TYPE_DISK) {
        return false;
    }
    if (!writeAll(device.get(), bytes)) {
        failure = windowsFailure(WriteError, GetLastError());
    }
    return true;
}

}  // namespace

std::optional<FileFailure> replaceAtomically(const std::string& path, std::string_view bytes) {
    const std::wstring target = wideFromUtf8(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    // A file the user marked read-only is not replaced behind its back, even
    // where the folder would allow it.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return FileFailure{WriteError, "Existing file " + path + " is not writable"};
    }
    if (std::optional<FileFailure> failure; writeIntoDevice(target, bytes, failure)) {
        return failure;
    }
    std::wstring temporary;
    Handle file(createBeside(path, temporary));
    if (!file.valid()) {
        return windowsFailure(OpenError, GetLastError());
    }
    std::optional<FileFailure> failure;
    if (!writeAll(file.get(), bytes)) {
        failure = windowsFailure(WriteError, GetLastError());
    } else if (!FlushFileBuffers(file.get())) {
        // A disk that could not store the bytes must not have them take the
        // old file's place.
        failure = windowsFailure(WriteError, GetLastError());
    }
    if (!file.close() && !failure) {
        failure = windowsFailure(WriteError, GetLastError());
    }
    if (!failure && attributes != INVALID_FILE_ATTRIBUTES) {
        // The old file's marks that say how to show and keep it (hidden,
        // system, archive); best effort, as the new file is whole either way.
        constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        if ((attributes & kKept) != 0) {
            SetFileAttributesW(temporary.c_str(), attributes & kKept);
        }
    }
    if (!failure && !MoveFileExW(temporary.c_str(), target.c_str(),
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        failure = windowsFailure(RenameError, GetLastError());
    }
    if (failure) {
        DeleteFileW(temporary.c_str());
    }
    return failure;
}

}  // namespace wendrake
