// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace wendrake {

// The folder of the running program file (links to it followed), ending in
// the platform's separator; the language files, pictures and the manual lie
// there.
QString programFolder();

}  // namespace wendrake
