// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FlatValues.h"
#include "SourceLine.h"

namespace wendrake {

// The 32 values of a handling line, in file order.
enum class HandlingField : int {
    Autoname = 0,
    Gewicht,
    Breite,
    Hoehe,
    Laenge,
    MassenmittelpX,
    MassenmittelpY,
    MassenmittelpZ,
    SubMerged,
    TractionMulti,
    TractionLoss,
    TractionBias,
    Gaenge,
    Geschwindigkeit,
    Beschleunigung,
    Antrieb,
    MotorTyp,
    Bremsstaerke,
    BrakeBias,
    ABS,
    Radeinschlag,
    Kraftlevel,
    DLevel,
    PedSeat,
    Koll,
    Preis,
    OLimit,
    ULimit,
    Bias,
    Flags,
    FrontLichter,
    RearLichter,
};

inline constexpr int kHandlingFieldCount = 32;

// One vehicle of the handling file. Every value is kept as the text read or
// typed: nothing is converted to a number and back, so the game gets exactly
// the spelling the player wrote. Nothing is invented or cut either: a field
// the line lacks is the empty text, and values after the 32nd (a sibling
// game writes more) are kept to be written back after it.
struct HandlingRecord {
    std::vector<std::string> extraValues;  // the values after the 32nd, in line order
    std::size_t valueCount = 0;            // how many values the line had
    std::string trailingComment;           // from the line's ";" on, written back after the values
    SourceLine source;

    // Const, so that an assignment to it does not compile: set() changes a value.
    const std::string_view value(HandlingField f) const { return values_[index(f)]; }
    const std::string_view value(int k) const { return values_[static_cast<std::size_t>(k)]; }
    const std::string_view operator[](HandlingField f) const { return value(f); }
    const std::string_view name() const { return value(HandlingField::Autoname); }
    void set(HandlingField f, std::string_view text) { values_.set(index(f), text); }
    void set(int k, std::string_view text) { values_.set(static_cast<std::size_t>(k), text); }
    // The 32 values in field order.
    const FlatValues<kHandlingFieldCount>& values() const { return values_; }
    // The first 32 of `values` in field order; fields beyond `count` empty.
    void setValues(const std::string_view* first, std::size_t count) {
        values_.assign(first, count);
    }

    bool operator==(const HandlingRecord&) const = default;

  private:
    static std::size_t index(HandlingField f) { return static_cast<std::size_t>(f); }

    FlatValues<kHandlingFieldCount> values_;
};

// What the reader checks a value for.
enum class ValueCheck { MustBeNumeric, MustNotBeNumeric, None };

// How many fields the record's line holds: those the line had and those
// filled since, up to the last of them (all 32 when there are extra values),
// and always the name.
int writtenFieldCount(const HandlingRecord& record);

// The first field a save must not leave empty, or nullopt when the record
// can be written as a vehicle line that reads back as itself: an empty field
// that the line had, or one before a filled later field or before the extra
// values, would shift every value after it; so would an empty name.
std::optional<int> firstMissingValue(const HandlingRecord& record);

struct HandlingFieldInfo {
    const char* defaultValue;  // the field's neutral value; never put in place of a missing one
    ValueCheck check;
    int captionText;   // language text of the field's caption label; -1 when it has none
    const char* unit;  // UTF-8, the same in every language; null when the value has none
};

const HandlingFieldInfo& handlingFieldInfo(int index);

}  // namespace wendrake
