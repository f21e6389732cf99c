// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>
#include <QString>
#include <QStringList>
#include <functional>

namespace wendrake {

// A text shown as it is in a menu or on a button: "&" would mark a mnemonic.
QString menuSafeText(const QString& text);

// Fills `menu` with the recent files, numbered 1 to 10 as their keys, and a
// last item that clears the list (disabled when there is nothing to clear).
void fillRecentMenu(QMenu* menu, const QStringList& paths, const QString& clearText,
                    const std::function<void(const QString&)>& open,
                    const std::function<void()>& clear);

}  // namespace wendrake
