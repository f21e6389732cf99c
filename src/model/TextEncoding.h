// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace wendrake {

bool isValidUtf8(std::string_view bytes);

// True for text in UTF-16 as Notepad saves "Unicode" (two bytes a letter,
// which the game reads as noise): a byte order mark, then letters of which
// none lies beyond Latin-1, so that one byte of each is zero, as in every
// game file saved so. Text that merely starts with the mark's two bytes, as
// a vehicle's name may, is not: the values after the name are never so.
bool isUtf16Text(std::string_view bytes);

// Windows-1252 text as UTF-8. The five bytes that code page leaves undefined
// keep their Latin-1 meaning, so no byte is lost.
std::string windows1252ToUtf8(std::string_view bytes);

}  // namespace wendrake
