// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShownText.h"

#include <QLineEdit>

#include "io/LanguageFiles.h"

namespace wendrake {

QString shownText(std::string_view value) {
    if (value.size() <= kLongestShownText) {
        return QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size()));
    }
    return QString::fromLatin1(value.data(), static_cast<qsizetype>(kLongestShownText)) +
           QChar(0x2026);
}

void showValue(QLineEdit* box, std::string_view value) {
    const bool cut = value.size() > kLongestShownText;
    box->setReadOnly(cut);
    // The same text again would only move the cursor and repaint the box.
    QString text = shownText(value);
    if (text != box->text()) {
        box->setText(text);
    }
}

}  // namespace wendrake
