// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableCaptions.h"

#include <array>

#include "io/LanguageFiles.h"
#include "model/HandlingRecord.h"
#include "model/VehicleDefRecord.h"

namespace wendrake {

namespace {

// The unit of each handling value in file order, the same in every language.
// clang-format off
constexpr std::array<const char*, kHandlingFieldCount> kHandlingUnits{
    nullptr, "kg", "m", "m", "m", "m", "m", "m",              // name to centre of mass
    "%", nullptr, nullptr, nullptr, nullptr, "km/h", "m/s²",  // to acceleration
    nullptr, nullptr, nullptr, nullptr, nullptr, "°",         // to steering lock
    nullptr, nullptr, nullptr, nullptr, "$",                  // to price
    nullptr, nullptr, nullptr, "hex", nullptr, nullptr};      // to the lights
// clang-format on

constexpr int kFlagsCaption = 7;

// The language texts of the vehicle definition captions, in file order;
// the first value after the type has two captions, by the vehicle's type.
constexpr std::array<std::array<int, 2>, kVehicleDefFieldCount> kVehicleDefCaptions{{{125, -1},
                                                                                     {129, -1},
                                                                                     {131, -1},
                                                                                     {135, -1},
                                                                                     {127, -1},
                                                                                     {133, -1},
                                                                                     {137, -1},
                                                                                     {139, -1},
                                                                                     {141, -1},
                                                                                     {143, -1},
                                                                                     {145, 151},
                                                                                     {148, -1}}};

constexpr int kModelNameCaption = 129;

// A caption with its unit: a unit the language text names in brackets at
// its end gives way to the program's, so every language spells it alike.
QString withUnit(QString caption, const char* unit) {
    caption = caption.trimmed();
    if (unit == nullptr) {
        return caption;
    }
    if (caption.endsWith(QLatin1Char(')'))) {
        const qsizetype open = caption.lastIndexOf(QLatin1Char('('));
        if (open > 0) {
            caption = caption.left(open).trimmed();
        }
    }
    return caption + QStringLiteral(" (") + QString::fromUtf8(unit) + QLatin1Char(')');
}

QStringList handlingCaptions(const LanguageTable& language) {
    QStringList captions;
    for (int field = 0; field < kHandlingFieldCount; ++field) {
        const int caption = handlingFieldInfo(field).captionText;
        captions << withUnit(languageText(language, caption >= 0 ? caption : kFlagsCaption),
                             kHandlingUnits[static_cast<std::size_t>(field)]);
    }
    return captions;
}

QStringList vehicleDefCaptions(const LanguageTable& language) {
    QStringList captions;
    for (const auto& [caption, other] : kVehicleDefCaptions) {
        QString text = languageText(language, caption).trimmed();
        if (other >= 0) {
            text += QStringLiteral(" / ") + languageText(language, other).trimmed();
        }
        captions << text;
    }
    return captions;
}

}  // namespace

QStringList tableCaptions(DataFileKind kind, const LanguageTable& language) {
    switch (kind) {
        case DataFileKind::Handling:
            return handlingCaptions(language);
        case DataFileKind::VehicleDefs:
            return vehicleDefCaptions(language);
        case DataFileKind::CarColours:
            return {languageText(language, kModelNameCaption).trimmed(),
                    languageText(language, Text::ColourPairsColumn).trimmed()};
    }
    return {};
}

}  // namespace wendrake
