// SPDX-License-Identifier: GPL-3.0-or-later
#include "ValueEdit.h"

#include "ui/StorableText.h"

namespace wendrake {

QLineEdit* valueEdit(const char* objectName, const QString& separators, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    acceptOnlyStorableText(edit, separators);
    return edit;
}

}  // namespace wendrake
