// SPDX-License-Identifier: GPL-3.0-or-later
#include "Explanation.h"

#include <QVariant>
#include <QWidget>

namespace wendrake {

namespace {

constexpr char kExplanation[] = "wendrakeExplanation";
constexpr char kProblem[] = "wendrakeProblem";

QString joined(const QString& first, const QString& second) {
    if (first.isEmpty() || second.isEmpty()) {
        return first.isEmpty() ? second : first;
    }
    return first + QLatin1Char('\n') + second;
}

// The problem of the value, then what the value does.
QString problemAndExplanation(const QWidget* control) {
    return joined(problemOf(control), explanationOf(control));
}

void describe(QWidget* control) {
    const QString described = problemAndExplanation(control);
    control->setToolTip(described);
    control->setAccessibleDescription(described);
}

}  // namespace

void explain(QWidget* control, const QString& explanation) {
    control->setProperty(kExplanation, explanation);
    describe(control);
}

QString explanationOf(const QWidget* control) {
    return control->property(kExplanation).toString();
}

void tellProblem(QWidget* control, const QString& problem) {
    if (problemOf(control) == problem) {
        return;
    }
    control->setProperty(kProblem, problem);
    describe(control);
}

QString problemOf(const QWidget* control) {
    return control->property(kProblem).toString();
}

QString describedWithNote(const QWidget* control, const QString& note) {
    return joined(note, problemAndExplanation(control));
}

}  // namespace wendrake
