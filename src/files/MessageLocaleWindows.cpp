// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageLocale.h"

#include <windows.h>

#include "WideText.h"

namespace wendrake {

// The language Windows itself shows its menus and messages in ("de-DE"),
// which the user chose for that purpose; the regional format (dates,
// numbers) may well be another's.
std::string messageLocaleName() {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    if (LCIDToLocaleName(MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT), name,
                         LOCALE_NAME_MAX_LENGTH, 0) <= 0) {
        return {};
    }
    return utf8FromWide(name);
}

}  // namespace wendrake
