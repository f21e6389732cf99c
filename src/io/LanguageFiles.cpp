// SPDX-License-Identifier: GPL-3.0-or-later
#include "LanguageFiles.h"

#include <QDir>
#include <QLocale>

#include "FileAccess.h"

namespace wendrake {

namespace {

// The language files of `folder`, whatever the case of their ".lng" (a name
// filter of QDir ignores case), sorted by name.
QStringList languageFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.lng")}, QDir::Files | QDir::Readable,
                                  QDir::Name);
}

// The file listed as `name`: "Aaa.LNG" is listed as "Aaa" and must be opened
// under its own name where names have case. The exact "Aaa.lng" goes first.
QString languageFilePath(const QString& folder, const QString& name) {
    const QString exact = name + QStringLiteral(".lng");
    const QStringList files = languageFiles(folder);
    if (!files.contains(exact)) {
        for (const QString& file : files) {
            if (file.chopped(4) == name) {
                return folder + file;
            }
        }
    }
    return folder + exact;
}

}  // namespace

QStringList listLanguages(const QString& folder) {
    QStringList names;
    for (const QString& file : languageFiles(folder)) {
        names << file.chopped(4);
        if (names.last().isEmpty()) {
            break;
        }
    }
    return names;
}

FileResult loadLanguageFile(const QString& folder, const QString& name, LanguageTable& table) {
    const FileBytes read = readFileBytes(languageFilePath(folder, name));
    if (read.result.ok) {
        table.load(read.bytes);
    }
    return read.result;
}

QString startLanguage(const QStringList& languages, const QString& remembered) {
    if (languages.contains(remembered)) {
        return remembered;
    }
    return languages.isEmpty() ? QString() : localeLanguage(languages, messageLocaleName());
}

QString localeLanguage(const QStringList& languages, const QString& localeName) {
    // "de_DE.UTF-8@euro" names the language "de"; "C" and "POSIX" name none.
    const QString code = localeName.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    // The language's own locale: de_AT would call its language
    // "Österreichisches Deutsch".
    const QLocale::Language language = QLocale(code).language();
    QStringList wanted;
    if (!code.isEmpty() && language != QLocale::C) {
        wanted << QLocale(language).nativeLanguageName() << QLocale::languageToString(language);
    }
    wanted << QStringLiteral("English");
    for (const QString& name : wanted) {
        for (const QString& listed : languages) {
            if (listed.compare(name, Qt::CaseInsensitive) == 0) {
                return listed;
            }
        }
    }
    return languages.isEmpty() ? QString() : languages.first();
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

QString messageLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty()) {
            return value;
        }
    }
    return QString();
}

}  // namespace wendrake
