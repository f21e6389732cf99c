// SPDX-License-Identifier: GPL-3.0-or-later
#include "QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>

#include "io/LanguageFiles.h"

namespace wendrake {

QtTranslation::~QtTranslation() {
    remove();
}

void QtTranslation::follow(const QString& languageName) {
    const QString code = languageCode(languageName);
    if (code == code_) {
        return;
    }
    remove();
    if (code.isEmpty() || code == QLatin1String("en")) {
        return;
    }
    auto translator = std::make_unique<QTranslator>();
    // qtbase holds the standard buttons and the file dialog.
    if (!translator->load(QStringLiteral("qtbase_") + code,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return;
    }
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    code_ = code;
}

void QtTranslation::remove() {
    if (translator_) {
        QCoreApplication::removeTranslator(translator_.get());
        translator_.reset();
    }
    code_.clear();
}

}  // namespace wendrake
