// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "model/LanguageTable.h"

namespace wendrake {

// A caption with its unit: any unit the language text names in brackets at
// its end gives way to the program's, so every language shows the same
// units, spelt the same way. `unit` is UTF-8; null leaves the caption as it is.
QString withUnit(QString caption, const char* unit);

// The caption of handling value `field` with its unit, as the pages, the
// table and the compare view show it (without a mnemonic).
QString handlingCaption(int field, const LanguageTable& language);

// The caption of vehicle definition value `field`; the first value after
// the type names both of its meanings (wheel model for cars, low detail
// model for planes).
QString vehicleDefCaption(int field, const LanguageTable& language);

}  // namespace wendrake
