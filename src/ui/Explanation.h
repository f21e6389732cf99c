// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace wendrake {

// What a control's value does in the game, in the control's tooltip and for
// screen readers as its accessible description. A note a text box gives
// about a refused edit stands before the explanation and leaves it in place.
void explain(QWidget* control, const QString& explanation);

// The explanation last given to `control`; empty when it has none.
QString explanationOf(const QWidget* control);

// What the file check finds wrong with the control's value, before its
// explanation in the tooltip and accessible description; empty for none.
void tellProblem(QWidget* control, const QString& problem);
QString problemOf(const QWidget* control);

// The accessible description of `control` with `note` (empty for none)
// before its problem and explanation.
QString describedWithNote(const QWidget* control, const QString& note);

}  // namespace wendrake
