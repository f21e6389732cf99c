// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <initializer_list>
#include <string>

// Helpers for tests that handle file bytes; Qt Core only, so the model tests
// can use them too.
namespace wendrake::testing {

const QString kTestData = QStringLiteral(WENDRAKE_TEST_DATA "/");
const QString kLanguages = QStringLiteral(WENDRAKE_LANGUAGES "/");

inline QByteArray qb(const std::string& bytes) {
    return QByteArray::fromStdString(bytes);
}

// The bytes of a file; empty when it cannot be read.
inline QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A writable copy of a test file ("handling/plain.cfg") in `folder`, by
// default under its own name.
inline QString copyTestFile(const QString& fixture, const QString& folder, QString as = {}) {
    if (as.isEmpty()) {
        as = fixture.section(QLatin1Char('/'), -1);
    }
    const QString target = folder + QLatin1Char('/') + as;
    QFile::remove(target);
    QFile::copy(kTestData + fixture, target);
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

// The lines, each ended by CR LF as in the game's files.
inline std::string join(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

// A valid handling line for `name`, laid out loosely (single blanks, short
// mass), so that a save visibly reformats it.
inline std::string dataLine(const std::string& name, const std::string& mass = "1500.0") {
    return name + " " + mass +
           " 2.0 1.5 4.8 0.00 0.00 -0.10 75 0.90 0.75 0.50 4 110.0 2.0 R P 0.80 0.55 1 30.0 "
           "1.20 0.10 0.30 1.00 12500 0.25 -0.15 0.50 0000 0 0";
}

// The same vehicle as the game-ready line a save writes.
inline std::string savedLine(const std::string& name, const std::string& mass = "1500.0") {
    std::string padded = name;
    if (padded.size() < 14) {
        padded.append(14 - padded.size(), ' ');
    }
    std::string massField = mass;
    if (massField.size() < 7) {
        massField.insert(0, 7 - massField.size(), ' ');
    }
    return padded + " " + massField +
           " 2.0 1.5 4.8 0.00 0.00 -0.10 75 0.90 0.75 0.50 4 110.0 2.0 R P 0.80 0.55 1 30.0 "
           "1.20 0.10 0.30 1.00  12500 0.25 -0.15 0.50 0000 0 0";
}

}  // namespace wendrake::testing
