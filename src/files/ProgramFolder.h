// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace wendrake {

// The folder of the running program file, links to it followed, ending in
// the platform's separator: the language files, pictures, the manual and
// the window's program lie there. The installed command /usr/bin/wendrake
// is a link into that folder.
std::string runningProgramFolder();

}  // namespace wendrake
