#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace wendrake {

QString withTrailingSeparator(const QString& folder) {
    const QChar separator = QDir::separator();
    return folder.endsWith(separator) ? folder : folder + separator;
}

QString programFolder() {
    return withTrailingSeparator(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

}  // namespace wendrake
