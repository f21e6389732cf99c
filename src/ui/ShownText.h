// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>
#include <string_view>

class QLineEdit;

namespace wendrake {

// No value of a real file comes near this many characters. A hostile file's
// value of megabytes is shown cut, since laying out such a text would keep
// the window busy for minutes; the record always keeps the whole value.
inline constexpr std::size_t kLongestShownText = 1000;

// A value as a list row shows it: whole, or cut and ended by "…".
QString shownText(std::string_view value);

// Shows `value` in `box`. A value too long to show whole is shown cut and
// cannot be edited there, so that no edit stores the cut text in its place.
void showValue(QLineEdit* box, std::string_view value);

}  // namespace wendrake
