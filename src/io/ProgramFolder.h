// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace wendrake {

// The folder of the running program file (links to it followed), ending in
// the platform's separator; the language files, pictures and the manual lie
// there.
QString programFolder();

// `folder` with the platform's separator at its end, added only when missing.
QString withTrailingSeparator(const QString& folder);

}  // namespace wendrake
