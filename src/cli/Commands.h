// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

#include "ArgumentParser.h"
#include "model/LanguageTable.h"

namespace wendrake {

// The language of the messages: `requested` (--lang) when given, else the
// one last chosen in the editor, else the locale's. Reports and returns
// nothing when there is no such language file.
std::optional<LanguageTable> loadLanguage(const std::string& requested);

// The commands that work on files. Each gets its words, parsed and counted
// against its usage, and the language of its messages; each returns the
// exit status.
int runCheck(const ParsedArguments& args, const LanguageTable& language);
int runFormat(const ParsedArguments& args, const LanguageTable& language);
int runExport(const ParsedArguments& args, const LanguageTable& language);
int runImport(const ParsedArguments& args, const LanguageTable& language);

}  // namespace wendrake
