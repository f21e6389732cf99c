#pragma once

#include <array>
#include <string>

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
// the spelling the player wrote.
struct HandlingRecord {
    std::array<std::string, kHandlingFieldCount> fields{};

    std::string& operator[](HandlingField f) { return fields[static_cast<std::size_t>(f)]; }
    const std::string& operator[](HandlingField f) const {
        return fields[static_cast<std::size_t>(f)];
    }
    const std::string& name() const { return (*this)[HandlingField::Autoname]; }

    bool operator==(const HandlingRecord&) const = default;
};

// What the reader checks a value for.
enum class ValueCheck { MustBeNumeric, MustNotBeNumeric, None };

struct HandlingFieldInfo {
    const char* defaultValue;  // taken when a line has fewer values
    ValueCheck check;
    int captionText;  // language text of the field's caption label; -1 when it has none
};

const HandlingFieldInfo& handlingFieldInfo(int index);

}  // namespace wendrake
