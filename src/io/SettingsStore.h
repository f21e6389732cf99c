// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace wendrake {

// The per-user settings store of the program (application name "Wendrake"),
// by section and key, values as text.
QString readSetting(const QString& section, const QString& key, const QString& fallback = {});
void writeSetting(const QString& section, const QString& key, const QString& value);

}  // namespace wendrake
