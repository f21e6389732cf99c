// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace wendrake {

// Cells as spreadsheets copy them: a tab between the cells of a row, a line
// break (LF, CR LF or CR) after each row. A cell that starts with a double
// quote and has a closing one is quoted: it may hold tabs and line breaks,
// and "" stands for one quote. The line break after the last row is no row.
QList<QStringList> readTabSeparated(const QString& text);

// The same rows as text to paste into a spreadsheet, quoting the cells that
// need it.
QString writeTabSeparated(const QList<QStringList>& rows);

}  // namespace wendrake
