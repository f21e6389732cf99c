// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableCaptions.h"

#include <array>

#include "io/LanguageFiles.h"
#include "model/HandlingRecord.h"
#include "model/VehicleDefRecord.h"
#include "ui/Captions.h"

namespace wendrake {

namespace {

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

QStringList handlingCaptions(const LanguageTable& language) {
    QStringList captions;
    for (int field = 0; field < kHandlingFieldCount; ++field) {
        captions << handlingCaption(field, language);
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
