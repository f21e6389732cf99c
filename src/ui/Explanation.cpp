// SPDX-License-Identifier: GPL-3.0-or-later
#include "Explanation.h"

#include <QVariant>
#include <QWidget>

namespace wendrake {

namespace {
constexpr char kExplanation[] = "wendrakeExplanation";
}

void explain(QWidget* control, const QString& explanation) {
    control->setProperty(kExplanation, explanation);
    control->setToolTip(explanation);
    control->setAccessibleDescription(explanation);
}

QString explanationOf(const QWidget* control) {
    return control->property(kExplanation).toString();
}

QString describedWithNote(const QWidget* control, const QString& note) {
    const QString explanation = explanationOf(control);
    if (note.isEmpty() || explanation.isEmpty()) {
        return note.isEmpty() ? explanation : note;
    }
    return note + QLatin1Char('\n') + explanation;
}

}  // namespace wendrake
