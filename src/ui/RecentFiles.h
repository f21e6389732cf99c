// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "ui/Desktop.h"

namespace wendrake {

// The files last opened or saved, newest first, kept in the settings so that
// the next start offers them again.
class RecentFiles {
  public:
    static constexpr int kLimit = 10;

    explicit RecentFiles(Desktop& desktop) : desktop_(desktop) {}

    QStringList paths() const;
    // Puts `path` first; an entry of the same file moves there, the oldest
    // beyond the limit drops out.
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

  private:
    void store(const QStringList& paths);

    Desktop& desktop_;
};

}  // namespace wendrake
