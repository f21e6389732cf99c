// SPDX-License-Identifier: GPL-3.0-or-later
#include "Captions.h"

#include <array>

#include "io/LanguageFiles.h"
#include "model/HandlingRecord.h"
#include "model/VehicleDefRecord.h"

namespace wendrake {

namespace {

// The flags have no caption of their own: their group's title names them.
constexpr int kFlagsTitle = 7;

// The language texts of the vehicle definition captions, in file order,
// with the second meaning of the first extra value.
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

}  // namespace

QString withUnit(QString caption, const char* unit) {
    if (unit == nullptr) {
        return caption;
    }
    caption = caption.trimmed();
    if (caption.endsWith(QLatin1Char(')'))) {
        const qsizetype open = caption.lastIndexOf(QLatin1Char('('));
        if (open > 0) {
            caption = caption.left(open).trimmed();
        }
    }
    return caption + QStringLiteral(" (") + QString::fromUtf8(unit) + QLatin1Char(')');
}

QString handlingCaption(int field, const LanguageTable& language) {
    const HandlingFieldInfo& info = handlingFieldInfo(field);
    const int caption = info.captionText >= 0 ? info.captionText : kFlagsTitle;
    return withUnit(languageText(language, caption).trimmed(), info.unit);
}

QString vehicleDefCaption(int field, const LanguageTable& language) {
    if (field < 0 || field >= kVehicleDefFieldCount) {
        return {};
    }
    const auto& [caption, other] = kVehicleDefCaptions[static_cast<std::size_t>(field)];
    QString text = languageText(language, caption).trimmed();
    if (other >= 0) {
        text += QStringLiteral(" / ") + languageText(language, other).trimmed();
    }
    return text;
}

}  // namespace wendrake
