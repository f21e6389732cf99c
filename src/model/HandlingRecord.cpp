// SPDX-License-Identifier: GPL-3.0-or-later
#include "HandlingRecord.h"

#include <algorithm>

namespace wendrake {

namespace {

constexpr auto N = ValueCheck::MustBeNumeric;

constexpr std::array<HandlingFieldInfo, kHandlingFieldCount> kFields{{
    {"0.0", ValueCheck::MustNotBeNumeric, 15, nullptr},  // Autoname
    {"0.0", N, 17, "kg"},                                // Gewicht
    {"0.0", N, 19, "m"},                                 // Breite
    {"0.0", N, 21, "m"},                                 // Hoehe
    {"0.0", N, 23, "m"},                                 // Laenge
    {"0.0", N, 25, "m"},                                 // MassenmittelpX
    {"0.0", N, 27, "m"},                                 // MassenmittelpY
    {"0.0", N, 29, "m"},                                 // MassenmittelpZ
    {"0", N, 31, "%"},                                   // SubMerged
    {"0.0", N, 33, nullptr},                             // TractionMulti
    {"0.0", N, 35, nullptr},                             // TractionLoss
    {"0.0", N, 37, nullptr},                             // TractionBias
    {"0", N, 39, nullptr},                               // Gaenge
    {"0.0", N, 41, "km/h"},                              // Geschwindigkeit
    {"0.0", N, 43, "m/s²"},                              // Beschleunigung
    {"F", ValueCheck::None, 45, nullptr},                // Antrieb
    {"P", ValueCheck::MustNotBeNumeric, 49, nullptr},    // MotorTyp
    {"0.0", N, 53, nullptr},                             // Bremsstaerke
    {"0.0", N, 55, nullptr},                             // BrakeBias
    {"0", N, 57, nullptr},                               // ABS
    {"0.0", N, 58, "°"},                                 // Radeinschlag
    {"0.0", N, 65, nullptr},                             // Kraftlevel
    {"0.0", N, 67, nullptr},                             // DLevel
    {"0.0", N, 75, nullptr},                             // PedSeat
    {"0.0", N, 77, nullptr},                             // Koll
    {"0", N, 79, "$"},                                   // Preis
    {"0.0", N, 69, nullptr},                             // OLimit
    {"0.0", N, 71, nullptr},                             // ULimit
    {"0.0", N, 73, nullptr},                             // Bias
    {"0000", ValueCheck::None, -1, "hex"},               // Flags
    {"0", N, 81, nullptr},                               // FrontLichter
    {"0", N, 86, nullptr},                               // RearLichter
}};

}  // namespace

int writtenFieldCount(const HandlingRecord& record) {
    if (!record.extraValues.empty()) {
        return kHandlingFieldCount;
    }
    int count = static_cast<int>(
        std::min(record.valueCount, static_cast<std::size_t>(kHandlingFieldCount)));
    for (int k = kHandlingFieldCount - 1; k >= count; --k) {
        if (!record.value(k).empty()) {
            count = k + 1;
            break;
        }
    }
    return std::max(count, 1);
}

std::optional<int> firstMissingValue(const HandlingRecord& record) {
    const int written = writtenFieldCount(record);
    for (int k = 0; k < written; ++k) {
        if (record.value(k).empty()) {
            return k;
        }
    }
    return std::nullopt;
}

const HandlingFieldInfo& handlingFieldInfo(int index) {
    return kFields.at(static_cast<std::size_t>(index));
}

}  // namespace wendrake
