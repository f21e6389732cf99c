#pragma once

#include <QLineEdit>
#include <QString>

namespace wendrake {

// Characters a handling value cannot hold: they would split or cut the line.
inline const QString kHandlingSeparators = QStringLiteral(" \t;");
// Characters a vehicle definition value cannot hold.
inline const QString kVehicleDefSeparators = QStringLiteral(" \t,#");

// A text box for one value of a game file line: typing a character of
// `forbidden` does nothing, and pasted text loses them. Nothing else is
// checked; ranges are only hints.
QLineEdit* valueEdit(const char* objectName, const QString& forbidden, QWidget* parent = nullptr);

}  // namespace wendrake
