// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageFiles.h"

#include <QLocale>

#include "files/LanguageFolder.h"

namespace wendrake {

namespace {

std::vector<std::string> toNames(const QStringList& languages) {
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(languages.size()));
    for (const QString& language : languages) {
        names.push_back(language.toStdString());
    }
    return names;
}

}  // namespace

QStringList listLanguages(const QString& folder) {
    QStringList names;
    for (const std::string& name : listLanguages(folder.toStdString())) {
        names << QString::fromStdString(name);
    }
    return names;
}

FileResult loadLanguageFile(const QString& folder, const QString& name, LanguageTable& table) {
    const auto failure = loadLanguageFile(folder.toStdString(), name.toStdString(), table);
    if (!failure) {
        return {};
    }
    return FileResult::failure(failure->code, QString::fromStdString(failure->description));
}

QString startLanguage(const QStringList& languages, const QString& remembered) {
    return QString::fromStdString(startLanguage(toNames(languages), remembered.toStdString()));
}

QString localeLanguage(const QStringList& languages, const QString& localeName) {
    return QString::fromStdString(localeLanguage(toNames(languages), localeName.toStdString()));
}

QString languageCode(const QString& languageName) {
    if (languageName.isEmpty()) {
        return QString();
    }
    for (int value = QLocale::C + 1; value <= QLocale::LastLanguage; ++value) {
        const auto language = static_cast<QLocale::Language>(value);
        if (languageName.compare(QLocale::languageToString(language), Qt::CaseInsensitive) == 0 ||
            languageName.compare(QLocale(language).nativeLanguageName(), Qt::CaseInsensitive) ==
                0) {
            return QLocale::languageToCode(language, QLocale::ISO639Part1);
        }
    }
    return QString();
}

}  // namespace wendrake
