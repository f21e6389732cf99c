// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "AtomicReplace.h"
#include "FileErrors.h"
#include "TemporaryNames.h"

namespace wendrake {

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a chain of links ends at, even one that does not exist yet: a
// save through a link changes the file, and the link stays a link.
std::string finalTarget(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length <= 0) {
            break;
        }
        const std::string next(target, static_cast<std::size_t>(length));
        path = next.front() == '/' ? next : folderOf(path) + next;
    }
    return path;
}

// A new file beside `path`, named after it, that no other program created.
int createBeside(const std::string& path, std::string& name) {
    TemporaryNames names(static_cast<unsigned long long>(::getpid()));
    for (int attempt = 0; attempt < TemporaryNames::kAttempts; ++attempt) {
        name = names.next(path);
        const int handle = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (handle >= 0 || errno != EEXIST) {
            return handle;
        }
    }
    return -1;
}

// The new file gets the old one's permissions and, where the running user
// may give them (root), its owner and group: otherwise a save by root would
// leave a read-only file writable, and another user's file owned by root.
// Best effort: a file system that keeps no Unix permissions (a mounted
// Windows drive) refuses the change, and the save goes on.
void keepPermissionsOf(const std::string& path, int handle) {
    struct stat old {};
    if (::stat(path.c_str(), &old) != 0) {
        return;  // a new file: the usual permissions
    }
    // The owner first: a change of owner may clear permission bits.
    if (::fchown(handle, old.st_uid, old.st_gid) != 0) {
        // Only root gives a file away; everyone else owns the new file already.
    }
    if (::fchmod(handle, old.st_mode & 0777) != 0) {
        // Nothing better to do than to save with the usual permissions.
    }
}

// The file's bytes and what it takes to read them back (its size) on the
// disk; the rest of its record (its times) need not wait.
int syncData(int handle) {
#if defined(_POSIX_SYNCHRONIZED_IO) && _POSIX_SYNCHRONIZED_IO > 0
    return ::fdatasync(handle);
#else
    return ::fsync(handle);
#endif
}

bool writeAll(int handle, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(handle, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The descriptor of this process that `path` names (/dev/stdout, /dev/fd/3),
// or -1. Such a target is written through the descriptor the shell opened,
// at its place and in its mode: `>> log` keeps what the log held, and a pipe,
// which has no name on disk, gets the bytes too.
int ownDescriptor(const std::string& path) {
    if (path == "/dev/stdout") {
        return STDOUT_FILENO;
    }
    if (path == "/dev/stderr") {
        return STDERR_FILENO;
    }
    for (const std::string_view folder : {"/dev/fd/", "/proc/self/fd/"}) {
        if (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
            path.size() - folder.size() <= 9 &&
            path.find_first_not_of("0123456789", folder.size()) == std::string::npos) {
            return std::stoi(path.substr(folder.size()));
        }
    }
    return -1;
}

std::optional<FileFailure> writeThrough(int handle, const std::string& path,
                                        std::string_view bytes) {
    errno = 0;
    if (!writeAll(handle, bytes)) {
        return errno != 0 ? systemFailure(WriteError, errno)
                          : FileFailure{WriteError, path + ": the write stopped short"};
    }
    return std::nullopt;
}

// A device or a pipe (`-o /dev/stdout`) takes the bytes as they come: put
// in its place, a regular file would take it away from every other program.
std::optional<FileFailure> writeInto(const std::string& path, std::string_view bytes) {
    const int handle = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (handle < 0) {
        return systemFailure(OpenError, errno);
    }
    std::optional<FileFailure> failure = writeThrough(handle, path, bytes);
    if (::close(handle) != 0 && !failure) {
        failure = systemFailure(WriteError, errno);
    }
    return failure;
}

bool isDeviceOrPipe(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 &&
           (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode) || S_ISFIFO(status.st_mode) ||
            S_ISSOCK(status.st_mode));
}

}  // namespace

std::optional<FileFailure> replaceAtomically(const std::string& path, std::string_view bytes) {
    if (const int descriptor = ownDescriptor(path); descriptor >= 0) {
        if (::fcntl(descriptor, F_GETFD) == -1) {
            return systemFailure(OpenError, errno);
        }
        return writeThrough(descriptor, path, bytes);
    }
    // A file the user may not change is not replaced behind its back, even
    // where the folder would allow it.
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
        return FileFailure{WriteError, "Existing file " + path + " is not writable"};
    }
    const std::string target = finalTarget(path);
    if (isDeviceOrPipe(target)) {
        return writeInto(target, bytes);
    }
    std::string temporary;
    const int handle = createBeside(target, temporary);
    if (handle < 0) {
        return systemFailure(OpenError, errno);
    }
    keepPermissionsOf(target, handle);
    std::optional<FileFailure> failure;
    errno = 0;
    if (!writeAll(handle, bytes)) {
        failure = errno != 0 ? systemFailure(WriteError, errno)
                             : FileFailure{WriteError, path + ": the write stopped short"};
    } else if (syncData(handle) != 0 && errno != EINVAL && errno != ENOTSUP) {
        // A file system that cannot sync says so and the save goes on; one
        // that could not store the bytes (a full disk noticed only now)
        // must not have them take the old file's place.
        failure = systemFailure(WriteError, errno);
    }
    if (::close(handle) != 0 && !failure) {
        failure = systemFailure(WriteError, errno);
    }
    if (!failure && ::rename(temporary.c_str(), target.c_str()) != 0) {
        failure = systemFailure(RenameError, errno);
    }
    if (failure) {
        ::unlink(temporary.c_str());
    }
    return failure;
}

}  // namespace wendrake
