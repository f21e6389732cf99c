// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/FileSystem.h"
#include "model/LanguageTable.h"

namespace wendrake {

// The languages in `folder` (ending in a separator): the names of its
// readable "*.lng" files (".lng" in any case) without the extension, sorted
// by name. A file named just ".lng" gives an empty name and ends the list.
std::vector<std::string> listLanguages(const std::string& folder);

// Loads the language file listed as `name` into the table, over the
// built-in English texts. On failure (the file is missing or unreadable) the
// table is unchanged.
std::optional<FileFailure> loadLanguageFile(const std::string& folder, const std::string& name,
                                            LanguageTable& table);

// The language to start with, in the window and on the command line alike:
// the remembered one when it is listed, else the one of the user's locale
// (see localeLanguage); empty when none is listed.
std::string startLanguage(const std::vector<std::string>& languages, const std::string& remembered);

// The language of a locale name as LANG gives it ("de_DE.UTF-8" gives
// Deutsch): the listed language named by the locale's language in its own
// tongue or in English, else English, else the first listed.
std::string localeLanguage(const std::vector<std::string>& languages,
                           const std::string& localeName);

}  // namespace wendrake
