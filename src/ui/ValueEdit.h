// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QString>

namespace wendrake {

// Characters a handling value cannot hold: they would split or cut the line.
inline const QString kHandlingSeparators = QStringLiteral(" \t;");
// Characters a vehicle definition value cannot hold.
inline const QString kVehicleDefSeparators = QStringLiteral(" \t,#");

// A text box for text of a game file (a value, a name, the author): it takes
// only what the file can store on the line (see acceptOnlyStorableText) and
// leaves `separators` out of typed and pasted text. Nothing else is checked;
// ranges are only hints.
QLineEdit* valueEdit(const char* objectName, const QString& separators, QWidget* parent = nullptr);

}  // namespace wendrake
