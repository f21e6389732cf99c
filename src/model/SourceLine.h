// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

namespace wendrake {

// The line of the file on disk that a record was read from or last written
// as, known by a hash of its bytes: a save that keeps the file's layout finds
// the record's line by it and writes the record there. It is no part of the
// record's value, so records of equal values are equal wherever they stand.
struct SourceLine {
    std::size_t hash = 0;
    bool known = false;  // false: the record was added since the file was read

    static SourceLine of(std::string_view line) {
        return {std::hash<std::string_view>{}(line), true};
    }

    bool operator==(const SourceLine&) const { return true; }
};

// Whether a read or a save tells each record its line. Only a save keeping
// the layout asks for it: a session that never makes one (a check, a save
// in the standard layout that ends the session) skips the hash of every line.
enum class SourceLines { Recorded, Skipped };

}  // namespace wendrake
