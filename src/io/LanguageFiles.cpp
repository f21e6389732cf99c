#include "LanguageFiles.h"

#include <QDir>

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
    return languages.isEmpty() ? QString() : languages.first();
}

}  // namespace wendrake
