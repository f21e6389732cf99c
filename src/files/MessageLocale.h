// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace wendrake {

// The name of the locale that the user's messages follow, such as
// "de_DE.UTF-8" or "de-DE"; empty when none is set. localeLanguage reads
// the language from either form.
std::string messageLocaleName();

}  // namespace wendrake
