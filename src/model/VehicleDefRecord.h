// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "SourceLine.h"

namespace wendrake {

// The values of a vehicle line of the "cars" section of default.ide.
enum class VehicleDefField : int {
    ID = 0,
    ModelName,
    TXDName,
    Typ,
    HandlingID,
    GameName,
    Klasse,
    Frequenz,
    Level,
    CompRules,
    Extra1,
    Extra2,
};

inline constexpr int kVehicleDefFieldCount = 12;

// One vehicle definition; every value is the text as read or typed, a value
// the line does not have is the empty text.
struct VehicleDefRecord {
    std::array<std::string, kVehicleDefFieldCount> fields{};
    // How many of the twelve values the line held. The writer puts back as
    // many, and more only where a player filled a later value in, so that a
    // line keeps its values whatever its type.
    std::size_t namedValueCount = 0;
    // The values after the twelfth, as other versions of the game write them
    // (an animation group and more), each after its comma: ",0.8,0.8,0". One
    // text rather than a list, so that a line of millions of values costs no
    // more than its bytes.
    std::string laterValues;
    std::string trailingComment;  // from the line's "#" on, written back after the values
    SourceLine source;

    std::string& operator[](VehicleDefField f) { return fields[static_cast<std::size_t>(f)]; }
    const std::string& operator[](VehicleDefField f) const {
        return fields[static_cast<std::size_t>(f)];
    }
    const std::string& name() const { return (*this)[VehicleDefField::HandlingID]; }

    bool operator==(const VehicleDefRecord&) const = default;
};

}  // namespace wendrake
