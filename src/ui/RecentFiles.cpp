// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecentFiles.h"

#include <QDir>
#include <QFileInfo>

namespace wendrake {

namespace {

const QString kSection = QStringLiteral("RecentFiles");

QString key(int position) {
    return QStringLiteral("File%1").arg(position + 1);
}

// One file, one entry: "a/../b.cfg" and "b.cfg" from the same folder are the same.
QString normalized(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

QStringList RecentFiles::paths() const {
    QStringList paths;
    for (int k = 0; k < kLimit; ++k) {
        const QString path = desktop_.setting(kSection, key(k));
        if (!path.isEmpty() && !paths.contains(path)) {
            paths << path;
        }
    }
    return paths;
}

void RecentFiles::add(const QString& path) {
    const QString entry = normalized(path);
    QStringList paths = this->paths();
    paths.removeAll(entry);
    paths.prepend(entry);
    store(paths);
}

void RecentFiles::remove(const QString& path) {
    QStringList paths = this->paths();
    paths.removeAll(path);
    paths.removeAll(normalized(path));
    store(paths);
}

void RecentFiles::clear() {
    store({});
}

void RecentFiles::store(const QStringList& paths) {
    // Every key is written: an emptied one must not bring back an old entry.
    for (int k = 0; k < kLimit; ++k) {
        desktop_.setSetting(kSection, key(k), k < paths.size() ? paths.at(k) : QString());
    }
}

}  // namespace wendrake
