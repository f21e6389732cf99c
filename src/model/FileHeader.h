// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "model/ProgramVersion.h"

namespace wendrake {

inline constexpr std::string_view kHomepage = "https://wendrake.org/";

// The two comment lines every saved file starts with, each ending in CR LF.
// `mark` is the file's comment mark: ';' for handling files, '#' otherwise.
std::string headerBlock(char mark);

// True for a header line an earlier save wrote: from its comment mark on it
// holds the "File created with Wendrake V" line or the homepage line, in any
// letter case. Saving drops such lines so the new header replaces them.
bool isOwnHeaderLine(std::string_view fromMark, char mark);

// True for a whole line that an earlier save wrote as its header: its first
// comment mark starts an own header line with only blanks before it. A line
// with text before the mark ("objs # File created with ...") is no header
// and is kept.
bool isOldHeaderLine(std::string_view line, char mark);

}  // namespace wendrake
