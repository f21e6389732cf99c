// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace wendrake {

// Windows's own words for an error of GetLastError(), in UTF-8, without the
// closing full stop and line end; "Windows error N" when it has none.
std::string windowsErrorText(unsigned long error);

}  // namespace wendrake
