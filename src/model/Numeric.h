// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace wendrake {

// True when the whole token reads as a decimal number: an optional sign,
// digits with at most one decimal point, and an optional exponent. Nothing
// else counts (no thousands separators, no hexadecimal, no decimal comma).
bool isNumeric(std::string_view token);

}  // namespace wendrake
