// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "model/ErrorList.h"

class QAction;
class QColor;
class QKeySequence;
class QWidget;

namespace wendrake {

// What the file check finds wrong with the value of one control.
struct ValueMark {
    Severity severity = Severity::Warning;
    QString message;  // one line per row
    // Mends the value in one step (a decimal comma); empty for none.
    std::function<void()> fix;
    QString fixHint;  // says how the sign mends it
};

// Shows `mark` on `control`, nullopt takes it away: the box is tinted red
// for an error and amber for a warning (mixed from the palette's own
// colour, so it reads in light and dark palettes and a disabled box looks
// disabled), a text box shows the sign of the severity at its end (a click
// on it, or fixKey(), mends the value where a fix is given), and the message stands
// before the control's explanation in its tooltip and accessible
// description. Nothing changes when the mark is the one shown.
void showMark(QWidget* control, const std::optional<ValueMark>& mark);

// `base` with a share of red (an error) or amber (a warning): enough to be
// seen on a light base, a little more on a dark one, where text stays light.
QColor tinted(const QColor& base, Severity severity);

// The key that takes a text box's fix while the box has the focus: Ctrl+.
QKeySequence fixKey();

// The sign a text box shows at its end, if any: for tests and the pictures.
QAction* markSign(const QWidget* control);

}  // namespace wendrake
