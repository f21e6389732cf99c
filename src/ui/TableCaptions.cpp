// SPDX-License-Identifier: GPL-3.0-or-later
#include "TableCaptions.h"

#include <array>

#include "io/LanguageFiles.h"
#include "model/HandlingRecord.h"
#include "model/VehicleDefRecord.h"
#include "ui/Captions.h"

namespace wendrake {

namespace {

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
    for (int field = 0; field < kVehicleDefFieldCount; ++field) {
        captions << vehicleDefCaption(field, language);
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
