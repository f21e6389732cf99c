#include "CommandLine.h"

#include <cstdio>
#include <optional>
#include <string>

#include "model/DocumentFiles.h"
#include "model/FileHeader.h"
#include "platform/FileAccess.h"
#include "platform/LanguageFiles.h"
#include "platform/ProgramFolder.h"
#include "platform/SettingsStore.h"

namespace wendrake {

namespace {

enum ExitStatus { Clean = 0, RowsFound = 1, Failed = 2 };

constexpr const char* kUsage =
    "Usage:\n"
    "  wendrake [FILE]                       start the editor, with FILE open\n"
    "  wendrake FILE --screenshot PNG        open FILE, save a picture of the window, quit\n"
    "  wendrake check [--lang NAME] FILE...  list the suspicious values of each file\n"
    "  wendrake format FILE [-o OUT]         write FILE as Save writes it (to OUT, or in place)\n"
    "  wendrake --version                    print the version\n"
    "  wendrake --help                       print this help\n"
    "\n"
    "check prints one line per suspicious value: file, car, parameter, error, separated by\n"
    "tabs. Exit status: 0 nothing found, 1 values listed, 2 a file could not be read.\n"
    "The files are never changed by check.\n";

void writeOut(std::FILE* stream, const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

std::string localBytes(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// One line per file: a message of several lines is joined with blanks.
void reportFailure(const QString& file, const QString& message) {
    QString oneLine = message;
    oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    writeOut(stderr, localBytes(file) + ": " + localBytes(oneLine) + "\n");
}

void reportUsage(const char* problem) {
    writeOut(stderr, std::string("wendrake: ") + problem + "\n\n" + kUsage);
}

// A file read and loaded as the editor opens it, line ends repaired in
// memory only.
struct OpenedFile {
    EditorDocument document;
    std::string bytes;
};

std::optional<OpenedFile> openAsEditorDoes(const QString& path, const LanguageTable& language) {
    const std::optional<DataFileKind> kind = kindFromFileName(localBytes(path));
    if (!kind) {
        reportFailure(path, QStringLiteral("Error: Filetype unknown!"));
        return std::nullopt;
    }
    FileBytes read = readFileBytes(path);
    if (!read.result.ok) {
        reportFailure(path, errorNotice(read.result.code, read.result.description));
        return std::nullopt;
    }
    OpenedFile opened;
    opened.bytes =
        needsLineEndRepair(read.bytes) ? repairLineEnds(read.bytes) : std::move(read.bytes);
    if (const auto failure = loadIntoDocument(opened.document, *kind, opened.bytes, language)) {
        reportFailure(path, readFailureNotice(*failure));
        return std::nullopt;
    }
    return opened;
}

std::optional<LanguageTable> loadLanguage(const QString& requested) {
    const QString folder = programFolder();
    const QStringList languages = listLanguages(folder);
    if (languages.isEmpty()) {
        writeOut(stderr, "No language-file found! Please reinstall the application.\n");
        return std::nullopt;
    }
    QString name = requested;
    if (name.isEmpty()) {
        name = startLanguage(languages,
                             readSetting(QStringLiteral("Settings"), QStringLiteral("Language")));
    } else if (!languages.contains(name)) {
        writeOut(stderr, "wendrake: unknown language \"" + localBytes(name) + "\"; available: " +
                             localBytes(languages.join(QStringLiteral(", "))) + "\n");
        return std::nullopt;
    }
    LanguageTable table;
    if (!loadLanguageFile(folder, name, table)) {
        writeOut(stderr, "wendrake: cannot read the language file " + localBytes(name) + ".lng\n");
        return std::nullopt;
    }
    return table;
}

int runCheck(const QStringList& args) {
    QString language;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--lang")) {
            if (i + 1 >= args.size()) {
                reportUsage("--lang needs a language name");
                return Failed;
            }
            language = args[++i];
        } else {
            files << args[i];
        }
    }
    if (files.isEmpty()) {
        reportUsage("check needs at least one file");
        return Failed;
    }
    const auto table = loadLanguage(language);
    if (!table) {
        return Failed;
    }
    int status = Clean;
    for (const QString& file : files) {
        const auto opened = openAsEditorDoes(file, *table);
        if (!opened) {
            status = Failed;
            continue;
        }
        std::string rows;
        for (const ErrorListEntry& row : opened->document.Errors) {
            rows +=
                localBytes(file) + '\t' + row.car + '\t' + row.parameter + '\t' + row.error + '\n';
        }
        writeOut(stdout, rows);
        if (!opened->document.Errors.empty() && status == Clean) {
            status = RowsFound;
        }
    }
    return status;
}

int runFormat(const QStringList& args) {
    QString input;
    QString output;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("-o")) {
            if (i + 1 >= args.size()) {
                reportUsage("-o needs a file name");
                return Failed;
            }
            output = args[++i];
        } else if (input.isEmpty()) {
            input = args[i];
        } else {
            reportUsage("format takes one file");
            return Failed;
        }
    }
    if (input.isEmpty()) {
        reportUsage("format needs a file");
        return Failed;
    }
    const auto table = loadLanguage(QString());
    if (!table) {
        return Failed;
    }
    const auto opened = openAsEditorDoes(input, *table);
    if (!opened) {
        return Failed;
    }
    const QString target = output.isEmpty() ? input : output;
    const FileResult written =
        writeFileAtomically(target, buildSaveText(opened->document, opened->bytes));
    if (!written.ok) {
        reportFailure(target, errorNotice(written.code, written.description));
        return Failed;
    }
    return Clean;
}

}  // namespace

bool isCommandLineRequest(const QStringList& arguments) {
    if (arguments.size() < 2) {
        return false;
    }
    static const QStringList commands = {
        QStringLiteral("check"),  QStringLiteral("format"), QStringLiteral("--version"),
        QStringLiteral("--help"), QStringLiteral("-h"),     QStringLiteral("-v"),
    };
    return commands.contains(arguments.at(1));
}

int runCommandLine(const QStringList& arguments) {
    const QString command = arguments.value(1);
    const QStringList rest = arguments.mid(2);
    if (command == QLatin1String("--version") || command == QLatin1String("-v")) {
        writeOut(stdout, "Wendrake " + std::string(kProgramVersion) + "\n");
        return Clean;
    }
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        writeOut(stdout, kUsage);
        return Clean;
    }
    if (command == QLatin1String("check")) {
        return runCheck(rest);
    }
    return runFormat(rest);
}

}  // namespace wendrake
