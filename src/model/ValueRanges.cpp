// SPDX-License-Identifier: GPL-3.0-or-later
#include "ValueRanges.h"

#include <array>
#include <charconv>
#include <system_error>

#include "HandlingRecord.h"
#include "Numeric.h"

namespace wendrake {

namespace {

using Range = std::optional<UsualRange>;

constexpr Range between(double low, double high) {
    return UsualRange{low, high};
}
constexpr Range atLeast(double low) {
    return UsualRange{low, std::nullopt};
}

// The numbers of the hints beside the boxes, field by field.
const std::array<Range, kHandlingFieldCount> kRanges{{
    std::nullopt,            // name
    between(1.0, 50000.0),   // mass
    between(0.0, 20.0),      // width
    between(0.0, 20.0),      // height
    between(0.0, 20.0),      // length
    between(-10.0, 10.0),    // centre of mass X
    between(-10.0, 10.0),    // centre of mass Y
    between(-10.0, 10.0),    // centre of mass Z
    between(10.0, 120.0),    // submerged
    between(0.5, 2.0),       // traction multiplier
    between(0.0, 1.0),       // traction loss
    between(0.0, 1.0),       // traction bias
    between(1.0, 5.0),       // gears
    between(5.0, 150.0),     // top speed
    between(0.1, 10.0),      // acceleration
    std::nullopt,            // drive
    std::nullopt,            // engine
    between(0.1, 10.0),      // brake strength
    between(0.0, 1.0),       // brake bias
    std::nullopt,            // ABS
    between(10.0, 40.0),     // steering lock
    atLeast(0.0),            // force level
    atLeast(0.0),            // damping level
    atLeast(0.0),            // seat offset
    between(0.2, 5.0),       // collision damage
    between(1.0, 100000.0),  // price
    between(-1.0, 1.0),      // upper limit
    between(-1.0, 1.0),      // lower limit
    between(-1.0, 1.0),      // bias front/rear
    std::nullopt,            // flags
    std::nullopt,            // front lights
    std::nullopt,            // rear lights
}};

}  // namespace

std::optional<UsualRange> usualRange(int field) {
    if (field < 0 || field >= kHandlingFieldCount) {
        return std::nullopt;
    }
    return kRanges[static_cast<std::size_t>(field)];
}

bool isOutsideUsualRange(int field, std::string_view value) {
    const Range range = usualRange(field);
    if (!range || !isNumeric(value)) {
        return false;
    }
    // from_chars reads no "+" and never looks at the locale, which the
    // command line takes from the environment.
    if (value.front() == '+') {
        value.remove_prefix(1);
    }
    double number = 0.0;
    const auto read = std::from_chars(value.data(), value.data() + value.size(), number);
    if (read.ec == std::errc::result_out_of_range) {
        return true;
    }
    return number < range->low || (range->high && number > *range->high);
}

}  // namespace wendrake
