// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "FlatValues.h"
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

    // Const, so that an assignment to it does not compile: set() changes a value.
    const std::string_view value(VehicleDefField f) const { return values_[index(f)]; }
    const std::string_view value(int k) const { return values_[static_cast<std::size_t>(k)]; }
    const std::string_view operator[](VehicleDefField f) const { return value(f); }
    const std::string_view name() const { return value(VehicleDefField::HandlingID); }
    void set(VehicleDefField f, std::string_view text) { values_.set(index(f), text); }
    void set(int k, std::string_view text) { values_.set(static_cast<std::size_t>(k), text); }
    // The twelve values in field order.
    const FlatValues<kVehicleDefFieldCount>& values() const { return values_; }
    // The first twelve of `values` in field order; fields beyond `count` empty.
    void setValues(const std::string_view* first, std::size_t count) {
        values_.assign(first, count);
    }
    // Value `k` of a record whose values are given in order, each once,
    // starting from a record of no values.
    void appendValue(std::size_t k, std::string_view text) { values_.append(k, text); }
    // Room for values of `bytes` bytes together, so that appending them
    // allocates once.
    void reserveValues(std::size_t bytes) { values_.reserve(bytes); }

    bool operator==(const VehicleDefRecord&) const = default;

  private:
    static std::size_t index(VehicleDefField f) { return static_cast<std::size_t>(f); }

    FlatValues<kVehicleDefFieldCount> values_;
};

}  // namespace wendrake
