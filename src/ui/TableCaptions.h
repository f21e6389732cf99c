// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

#include "model/DataFileKind.h"
#include "model/LanguageTable.h"

namespace wendrake {

// The column captions of the table of all vehicles of a file of `kind`: the
// captions of the pages, each with the unit of its value.
QStringList tableCaptions(DataFileKind kind, const LanguageTable& language);

}  // namespace wendrake
