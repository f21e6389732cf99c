#include "FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>

namespace wendrake {

namespace {

FileResult failed(const QFileDevice& file) {
    return FileResult::failure(static_cast<int>(file.error()), file.errorString());
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
