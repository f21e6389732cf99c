// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace wendrake {

struct LanguageName {
    const char* codes;    // " de deu ger ": each code between blanks
    const char* native;   // "Deutsch", UTF-8; empty when unknown
    const char* english;  // "German"
};

// The language of an ISO 639 code ("de", "DE", "deu", "ger"); nothing for a
// code that names none.
const LanguageName* languageOfCode(std::string_view code);

}  // namespace wendrake
