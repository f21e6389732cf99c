// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

namespace wendrake {

// The range a handling value usually lies in: the one the hint beside its box
// names. Both ends belong to it; a range "0.0 or more" has no upper end.
struct UsualRange {
    double low;
    std::optional<double> high;
};

// The usual range of handling field `field`, or nullopt for a field whose
// box names none (name, drive, engine, ABS, flags, lights).
std::optional<UsualRange> usualRange(int field);

// True when `value` reads as a number outside the field's usual range. Text
// that is no number is the reader's error, not a range's business: false. A
// number too large or too small for a double is outside any range.
bool isOutsideUsualRange(int field, std::string_view value);

}  // namespace wendrake
