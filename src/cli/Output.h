// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdio>
#include <string>

namespace wendrake {

enum ExitStatus { Clean = 0, RowsFound = 1, Failed = 2 };

inline void writeOut(std::FILE* stream, const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

inline std::string localBytes(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// One line per file: a message of several lines is joined with blanks.
inline void reportFailure(const QString& file, const QString& message) {
    QString oneLine = message;
    oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    writeOut(stderr, localBytes(file) + ": " + localBytes(oneLine) + "\n");
}

}  // namespace wendrake
