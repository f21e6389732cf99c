// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsStore.h"

#include <QSettings>

namespace wendrake {

namespace {

QSettings store() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Wendrake"),
                     QStringLiteral("Wendrake"));
}

QString qualified(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

}  // namespace

QString readSetting(const QString& section, const QString& key, const QString& fallback) {
    return store().value(qualified(section, key), fallback).toString();
}

void writeSetting(const QString& section, const QString& key, const QString& value) {
    store().setValue(qualified(section, key), value);
}

}  // namespace wendrake
