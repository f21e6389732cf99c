// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/EditorDocument.h"

namespace wendrake::fuzz {

// The lines of a file's text as every reader takes them: a byte order mark
// set aside, a line ended by CR LF, a lone CR or a lone LF.
std::vector<std::string_view> textLines(std::string_view bytes);

// Stops the run unless every line of `disk` that a save has to keep (comment
// lines and the lines the program does not read as records of `kind`,
// blank lines aside) stands in `saved` in the same order and exactly once:
// `saved` may hold it more often only where the program writes a line of the
// same text itself, for a record of `document` or as a header, section
// keyword, closing line or author or date line.
void expectKeptLines(const EditorDocument& document, std::string_view disk, std::string_view saved);

}  // namespace wendrake::fuzz
