#include "LanguageFiles.h"

#include <QDir>

#include "FileAccess.h"

namespace wendrake {

QStringList listLanguages(const QString& folder) {
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("*.lng")}, QDir::Files | QDir::Readable, QDir::Name);
    QStringList names;
    for (const QString& file : files) {
        names << file.chopped(4);
        if (names.last().isEmpty()) {
            break;
        }
    }
    return names;
}

FileResult loadLanguageFile(const QString& folder, const QString& name, LanguageTable& table) {
    const FileBytes read = readFileBytes(folder + name + QStringLiteral(".lng"));
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
