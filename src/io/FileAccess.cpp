// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace wendrake {

namespace {

FileResult failed(const QFileDevice& file) {
    return FileResult::failure(static_cast<int>(file.error()), file.errorString());
}

// The new file that takes the old one's place gets the old one's permissions
// and, where the running user may give them (root), its owner and group:
// otherwise a save by root would leave a read-only file writable, and another
// user's file owned by root. Best effort: a file system that keeps no Unix
// permissions (a mounted Windows drive) refuses the change, and the save goes
// on.
void keepPermissionsOf(const QString& path, const QSaveFile& replacement) {
#ifdef Q_OS_UNIX
    struct stat old {};
    const int handle = replacement.handle();
    if (handle < 0 || ::stat(QFile::encodeName(path).constData(), &old) != 0) {
        return;  // a new file: the usual permissions
    }
    // The owner first: a change of owner may clear permission bits.
    if (::fchown(handle, old.st_uid, old.st_gid) != 0) {
        // Only root gives a file away; everyone else owns the new file already.
    }
    if (::fchmod(handle, old.st_mode & 0777) != 0) {
        // Nothing better to do than to save with the usual permissions.
    }
#else
    Q_UNUSED(path);
    Q_UNUSED(replacement);
#endif
}

}  // namespace

FileBytes readFileBytes(const QString& path) {
    FileBytes read;
    if (QFileInfo(path).isDir()) {
        read.result = FileResult::failure(static_cast<int>(QFileDevice::OpenError),
                                          QStringLiteral("%1 is a folder, not a file").arg(path));
        return read;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        read.result = failed(file);
        return read;
    }
    // Straight into the string: a large file is not held twice.
    if (const qint64 size = file.isSequential() ? 0 : file.size(); size > 0) {
        read.bytes.resize(static_cast<std::size_t>(size));
        const qint64 got = file.read(read.bytes.data(), size);
        read.bytes.resize(static_cast<std::size_t>(std::max<qint64>(got, 0)));
    }
    // What lies beyond: all of a pipe, or the end of a file that grew.
    const QByteArray rest = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        read.result = failed(file);
        read.bytes.clear();
        return read;
    }
    read.bytes.append(rest.constData(), static_cast<std::size_t>(rest.size()));
    return read;
}

FileResult writeFileAtomically(const QString& path, std::string_view bytes) {
    if (QFileInfo(path).isDir()) {
        return FileResult::failure(static_cast<int>(QFileDevice::OpenError),
                                   QStringLiteral("%1 is a folder, not a file").arg(path));
    }
    QSaveFile file(path);
    // Unbuffered, so that a write that stops half-way (a full disk, a size
    // limit) shows in what write() returns. Buffered, the failure surfaces
    // only in the flush inside commit(), which QSaveFile overlooks: it then
    // puts the cut file in the old one's place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return failed(file);
    }
    keepPermissionsOf(path, file);
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(bytes.data(), size) != size || !file.flush()) {
        FileResult result = failed(file);
        if (result.code == 0) {
            result = FileResult::failure(static_cast<int>(QFileDevice::WriteError),
                                         QStringLiteral("%1: the write stopped short").arg(path));
        }
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        return failed(file);
    }
    return {};
}

FileResult copyFileAtomically(const QString& from, const QString& to) {
    const FileBytes read = readFileBytes(from);
    if (!read.result.ok) {
        return read.result;
    }
    return writeFileAtomically(to, read.bytes);
}

QString errorNotice(int code, const QString& description) {
    return QStringLiteral("Error: %1 - %2").arg(code).arg(description);
}

QString errorNotice(const FileFailure& failure) {
    return errorNotice(failure.code, QString::fromStdString(failure.description));
}

std::optional<FileFailure> toFailure(const FileResult& result) {
    if (result.ok) {
        return std::nullopt;
    }
    return FileFailure{result.code, result.description.toStdString()};
}

QString readFailureNotice(const ReadFailure& failure) {
    const QString description = QString::fromStdString(failure.description);
    return failure.messageOnly ? description : errorNotice(failure.code, description);
}

}  // namespace wendrake
