// SPDX-License-Identifier: GPL-3.0-or-later
#include "ValueMark.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QLineEdit>
#include <QStyle>

#include "ui/Explanation.h"

namespace wendrake {

namespace {

constexpr char kSignName[] = "problemSign";
constexpr char kTintProperty[] = "wendrakeTint";  // 0 none, 1 warning, 2 error

int tintCode(const std::optional<ValueMark>& mark) {
    if (!mark) {
        return 0;
    }
    return mark->severity == Severity::Error ? 2 : 1;
}

// Only the active and inactive colours of the box's face change: the rest
// (the disabled look, focus frame, text, selection) stays the palette's.
void tint(QWidget* control, const std::optional<ValueMark>& mark) {
    const int code = tintCode(mark);
    if (control->property(kTintProperty).toInt() == code) {
        return;
    }
    control->setProperty(kTintProperty, code);
    control->setPalette(QPalette());
    if (!mark) {
        return;
    }
    const QPalette natural = control->palette();
    QPalette palette;
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (const QPalette::ColorRole role : {QPalette::Base, QPalette::Button}) {
            palette.setColor(group, role, tinted(natural.color(group, role), mark->severity));
        }
    }
    control->setPalette(palette);
}

void showSign(QWidget* control, const std::optional<ValueMark>& mark) {
    auto* box = qobject_cast<QLineEdit*>(control);
    if (box == nullptr) {
        return;
    }
    QAction* sign = markSign(box);
    if (!mark) {
        if (sign != nullptr) {
            // Later: the sign's own click may be what mended the value.
            box->removeAction(sign);
            sign->setObjectName(QString());
            sign->deleteLater();
        }
        return;
    }
    if (sign == nullptr) {
        sign = new QAction(box);
        sign->setObjectName(QString::fromLatin1(kSignName));
        box->addAction(sign, QLineEdit::TrailingPosition);
    }
    sign->setIcon(box->style()->standardIcon(mark->severity == Severity::Error
                                                 ? QStyle::SP_MessageBoxCritical
                                                 : QStyle::SP_MessageBoxWarning));
    const QString said =
        mark->fix ? mark->message + QLatin1Char('\n') + mark->fixHint : mark->message;
    sign->setText(mark->message);
    sign->setToolTip(said);
    QObject::disconnect(sign, &QAction::triggered, nullptr, nullptr);
    // The fix is also a key of the box, for those who do not use a mouse.
    sign->setShortcut(mark->fix ? fixKey() : QKeySequence());
    sign->setShortcutContext(Qt::WidgetShortcut);
    if (mark->fix) {
        QObject::connect(sign, &QAction::triggered, sign, mark->fix);
    }
}

}  // namespace

QColor tinted(const QColor& base, Severity severity) {
    const QColor tint = severity == Severity::Error ? QColor(235, 45, 45) : QColor(245, 170, 0);
    const double share = base.lightnessF() > 0.5 ? 0.22 : 0.38;
    const auto mix = [share](int from, int to) {
        return static_cast<int>(from + (to - from) * share + 0.5);
    };
    return QColor(mix(base.red(), tint.red()), mix(base.green(), tint.green()),
                  mix(base.blue(), tint.blue()));
}

QKeySequence fixKey() {
    return QKeySequence(Qt::CTRL | Qt::Key_Period);
}

QAction* markSign(const QWidget* control) {
    return control->findChild<QAction*>(QString::fromLatin1(kSignName), Qt::FindDirectChildrenOnly);
}

void showMark(QWidget* control, const std::optional<ValueMark>& mark) {
    if (control == nullptr) {
        return;
    }
    tint(control, mark);
    showSign(control, mark);
    tellProblem(control, mark ? mark->message : QString());
}

}  // namespace wendrake
