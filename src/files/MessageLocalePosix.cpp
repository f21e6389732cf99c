// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageLocale.h"

#include <cstdlib>

namespace wendrake {

// The first of LC_ALL, LC_MESSAGES and LANG that is set, as the C library
// takes it.
std::string messageLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) {
            return value;
        }
    }
    return {};
}

}  // namespace wendrake
