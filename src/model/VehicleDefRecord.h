#pragma once

#include <array>
#include <string>

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
    std::string trailingComment;  // from the line's "#" on, written back after the values

    std::string& operator[](VehicleDefField f) { return fields[static_cast<std::size_t>(f)]; }
    const std::string& operator[](VehicleDefField f) const {
        return fields[static_cast<std::size_t>(f)];
    }
    const std::string& name() const { return (*this)[VehicleDefField::HandlingID]; }

    bool operator==(const VehicleDefRecord&) const = default;
};

}  // namespace wendrake
