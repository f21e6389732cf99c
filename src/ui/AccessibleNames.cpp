// SPDX-License-Identifier: GPL-3.0-or-later
#include "AccessibleNames.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSet>

namespace wendrake {

namespace {

// Marks a name given here, so that the next language may replace it.
constexpr const char* kFromCaption = "wendrakeNameFromCaption";

// The caption as read: without the mnemonic marks, "&&" as "&".
QString readText(QString caption) {
    caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return caption.replace(QStringLiteral("&&"), QStringLiteral("&")).trimmed();
}

void give(QWidget* control, const QString& name) {
    const bool handSet =
        !control->accessibleName().isEmpty() && !control->property(kFromCaption).toBool();
    if (handSet || name.isEmpty()) {
        return;
    }
    control->setAccessibleName(name);
    control->setProperty(kFromCaption, true);
}

// The title of the group or dock a list stands in; none for the drop-down
// list of a combo box, which is named with its box.
QString enclosingTitle(QWidget* control) {
    for (QWidget* up = control->parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (qobject_cast<QComboBox*>(up) != nullptr) {
            return {};
        }
        if (auto* group = qobject_cast<QGroupBox*>(up)) {
            return readText(group->title());
        }
        if (auto* dock = qobject_cast<QDockWidget*>(up)) {
            return dock->windowTitle();
        }
    }
    return {};
}

}  // namespace

void nameControlsByCaptions(QWidget* root) {
    QSet<QWidget*> captioned;
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (QWidget* box = label->buddy()) {
            give(box, readText(label->text()));
            captioned.insert(box);
        }
    }
    for (QAbstractItemView* view : root->findChildren<QAbstractItemView*>()) {
        give(view, enclosingTitle(view));
    }
    for (QLineEdit* box : root->findChildren<QLineEdit*>()) {
        if (!captioned.contains(box)) {
            give(box, box->placeholderText());
        }
    }
}

}  // namespace wendrake
