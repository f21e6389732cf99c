// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace wendrake {

// Windows names files and speaks to the console in UTF-16; the program
// keeps its texts in UTF-8. A letter that cannot be converted (bytes that
// are no UTF-8, half a surrogate pair) becomes U+FFFD.
std::wstring wideFromUtf8(std::string_view text);
std::string utf8FromWide(std::wstring_view text);

}  // namespace wendrake
