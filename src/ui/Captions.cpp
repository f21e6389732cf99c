// SPDX-License-Identifier: GPL-3.0-or-later
#include "Captions.h"

#include "io/LanguageFiles.h"
#include "model/HandlingRecord.h"

namespace wendrake {

namespace {

// The flags have no caption of their own: their group's title names them.
constexpr int kFlagsTitle = 7;

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

}  // namespace wendrake
