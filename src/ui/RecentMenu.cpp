// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecentMenu.h"

#include <QDir>

namespace wendrake {

QString menuSafeText(const QString& text) {
    QString safe = text;
    return safe.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

void fillRecentMenu(QMenu* menu, const QStringList& paths, const QString& clearText,
                    const std::function<void(const QString&)>& open,
                    const std::function<void()>& clear) {
    menu->clear();
    for (qsizetype k = 0; k < paths.size(); ++k) {
        // 1 to 9, then 0 for the tenth, as the keys lie on the keyboard.
        const qsizetype key = (k + 1) % 10;
        const QString path = paths.at(k);
        QAction* action = menu->addAction(
            QStringLiteral("&%1  %2").arg(key).arg(menuSafeText(QDir::toNativeSeparators(path))));
        action->setData(path);
        QObject::connect(action, &QAction::triggered, menu, [open, path] { open(path); });
    }
    menu->addSeparator();
    QAction* clearAction = menu->addAction(clearText);
    clearAction->setObjectName(QStringLiteral("clearRecentAction"));
    clearAction->setEnabled(!paths.isEmpty());
    QObject::connect(clearAction, &QAction::triggered, menu, [clear] { clear(); });
}

}  // namespace wendrake
