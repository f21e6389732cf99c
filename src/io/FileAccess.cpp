// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileAccess.h"

#include "files/DiskFiles.h"
#include "files/FileErrors.h"

namespace wendrake {

namespace {

FileResult toResult(const std::optional<FileFailure>& failure) {
    if (!failure) {
        return {};
    }
    return FileResult::failure(failure->code, QString::fromStdString(failure->description));
}

}  // namespace

FileBytes readFileBytes(const QString& path) {
    FileBytes read;
    read.result = toResult(readFile(path.toStdString(), read.bytes));
    return read;
}

FileResult writeFileAtomically(const QString& path, std::string_view bytes) {
    return toResult(replaceFile(path.toStdString(), bytes));
}

FileResult copyFileAtomically(const QString& from, const QString& to) {
    return toResult(copyFile(from.toStdString(), to.toStdString()));
}

QString errorNotice(int code, const QString& description) {
    return QString::fromStdString(failureNotice(code, description.toStdString()));
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
    return QString::fromStdString(readFailureText(failure));
}

}  // namespace wendrake
