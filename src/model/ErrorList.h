// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace wendrake {

// How sure a row is. An error is a value the game or the editor cannot take
// as it stands; a warning is one that is well formed but unusual (a value
// outside the range its box names), which a player may well mean.
enum class Severity { Error, Warning };

// One row of the error list: a suspicious value found while reading
// handling lines. All three texts are in the language chosen at the time.
struct ErrorListEntry {
    // The vehicle's name, shared by the rows of one line: a hostile line's
    // huge name is held once, not once per row.
    std::shared_ptr<const std::string> carName;
    std::string parameter;
    std::string error;
    int field = -1;  // the handling field concerned; -1 when the whole line is
    Severity severity = Severity::Error;

    ErrorListEntry() = default;
    ErrorListEntry(std::shared_ptr<const std::string> name, std::string parameterText,
                   std::string errorText, int fieldIndex = -1)
        : carName(std::move(name)),
          parameter(std::move(parameterText)),
          error(std::move(errorText)),
          field(fieldIndex) {}
    ErrorListEntry(std::string name, std::string parameterText, std::string errorText,
                   int fieldIndex = -1)
        : ErrorListEntry(std::make_shared<const std::string>(std::move(name)),
                         std::move(parameterText), std::move(errorText), fieldIndex) {}

    const std::string& car() const {
        static const std::string none;
        return carName ? *carName : none;
    }

    bool operator==(const ErrorListEntry& other) const {
        return car() == other.car() && parameter == other.parameter && error == other.error &&
               field == other.field && severity == other.severity;
    }
};

using ErrorRows = std::vector<ErrorListEntry>;

}  // namespace wendrake
