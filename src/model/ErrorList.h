#pragma once

#include <string>
#include <vector>

namespace wendrake {

// One row of the error list: a suspicious value found while reading
// handling lines. All three texts are in the language chosen at the time.
struct ErrorListEntry {
    std::string car;
    std::string parameter;
    std::string error;
    int field = -1;  // the handling field concerned; -1 when the whole line is

    bool operator==(const ErrorListEntry&) const = default;
};

using ErrorRows = std::vector<ErrorListEntry>;

}  // namespace wendrake
