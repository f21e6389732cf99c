// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace wendrake {

QString withTrailingSeparator(const QString& folder) {
    const QChar separator = QDir::separator();
    return folder.endsWith(separator) ? folder : folder + separator;
}

// The folder of the file itself, not of a link to it: the installed command
// /usr/bin/wendrake is a link into the program folder. Qt resolves links on
// Linux already but documents it nowhere, so it is done here, on every
// platform. When the file cannot be found any more, Qt's answer stands.
QString programFolder() {
    const QFileInfo program(QCoreApplication::applicationFilePath());
    const QString real = program.canonicalPath();
    return withTrailingSeparator(QDir::toNativeSeparators(real.isEmpty() ? program.path() : real));
}

}  // namespace wendrake
