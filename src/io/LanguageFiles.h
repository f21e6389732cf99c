// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "FileAccess.h"
#include "model/LanguageTable.h"

namespace wendrake {

// The languages in `folder`: the names of its "*.lng" files (".lng" in any
// case) without the extension, sorted by name. A file named just ".lng" gives
// an empty name and ends the list.
QStringList listLanguages(const QString& folder);

// Loads the language file listed as `name` into the table, over the
// built-in English texts. On failure (the file is missing or unreadable) the
// table is unchanged.
FileResult loadLanguageFile(const QString& folder, const QString& name, LanguageTable& table);

// The language to start with, in the window and on the command line alike:
// the remembered one when it is listed, else the one of the user's locale
// (see localeLanguage); empty when none is listed.
QString startLanguage(const QStringList& languages, const QString& remembered);

// The language of a locale name as LANG gives it ("de_DE.UTF-8" gives
// Deutsch): the listed language named by the locale's language in its own
// tongue or in English, else English, else the first listed.
QString localeLanguage(const QStringList& languages, const QString& localeName);

// The ISO 639 code ("de") of a language file's name, which names its
// language in its own tongue or in English ("Deutsch", "German"); empty when
// the name is no language.
QString languageCode(const QString& languageName);

// Text k of the language, as shown.
inline QString languageText(const LanguageTable& table, int k) {
    const std::string& text = table.text(k);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Game files are 8-bit text in no declared code page: shown as Latin-1 and
// stored back the same way, so every byte survives.
inline QString fromBytes(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
inline std::string toBytes(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace wendrake
