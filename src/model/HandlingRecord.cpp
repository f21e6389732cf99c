// SPDX-License-Identifier: GPL-3.0-or-later
#include "HandlingRecord.h"

#include <algorithm>

namespace wendrake {

namespace {

constexpr auto N = ValueCheck::MustBeNumeric;

constexpr std::array<HandlingFieldInfo, kHandlingFieldCount> kFields{{
    {"0.0", ValueCheck::MustNotBeNumeric, 15},  // Autoname
    {"0.0", N, 17},                             // Gewicht
    {"0.0", N, 19},                             // Breite
    {"0.0", N, 21},                             // Hoehe
    {"0.0", N, 23},                             // Laenge
    {"0.0", N, 25},                             // MassenmittelpX
    {"0.0", N, 27},                             // MassenmittelpY
    {"0.0", N, 29},                             // MassenmittelpZ
    {"0", N, 31},                               // SubMerged
    {"0.0", N, 33},                             // TractionMulti
    {"0.0", N, 35},                             // TractionLoss
    {"0.0", N, 37},                             // TractionBias
    {"0", N, 39},                               // Gaenge
    {"0.0", N, 41},                             // Geschwindigkeit
    {"0.0", N, 43},                             // Beschleunigung
    {"F", ValueCheck::None, 45},                // Antrieb
    {"P", ValueCheck::MustNotBeNumeric, 49},    // MotorTyp
    {"0.0", N, 53},                             // Bremsstaerke
    {"0.0", N, 55},                             // BrakeBias
    {"0", N, 57},                               // ABS
    {"0.0", N, 58},                             // Radeinschlag
    {"0.0", N, 65},                             // Kraftlevel
    {"0.0", N, 67},                             // DLevel
    {"0.0", N, 75},                             // PedSeat
    {"0.0", N, 77},                             // Koll
    {"0", N, 79},                               // Preis
    {"0.0", N, 69},                             // OLimit
    {"0.0", N, 71},                             // ULimit
    {"0.0", N, 73},                             // Bias
    {"0000", ValueCheck::None, -1},             // Flags
    {"0", N, 81},                               // FrontLichter
    {"0", N, 86},                               // RearLichter
}};

}  // namespace

int writtenFieldCount(const HandlingRecord& record) {
    if (!record.extraValues.empty()) {
        return kHandlingFieldCount;
    }
    int count = static_cast<int>(
        std::min(record.valueCount, static_cast<std::size_t>(kHandlingFieldCount)));
    for (int k = kHandlingFieldCount - 1; k >= count; --k) {
        if (!record.fields[static_cast<std::size_t>(k)].empty()) {
            count = k + 1;
            break;
        }
    }
    return std::max(count, 1);
}

std::optional<int> firstMissingValue(const HandlingRecord& record) {
    const int written = writtenFieldCount(record);
    for (int k = 0; k < written; ++k) {
        if (record.fields[static_cast<std::size_t>(k)].empty()) {
            return k;
        }
    }
    return std::nullopt;
}

const HandlingFieldInfo& handlingFieldInfo(int index) {
    return kFields.at(static_cast<std::size_t>(index));
}

}  // namespace wendrake
