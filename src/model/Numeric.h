// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wendrake {

// True when the whole token reads as a decimal number: an optional sign,
// digits with at most one decimal point, and an optional exponent. Nothing
// else counts (no thousands separators, no hexadecimal, no decimal comma).
bool isNumeric(std::string_view token);

// A number written with a decimal comma ("1350,5", as German players write
// it) with a point in its place ("1350.5"); nullopt for any other text,
// which no single comma turned into a number.
std::optional<std::string> withDecimalPoint(std::string_view token);

}  // namespace wendrake
