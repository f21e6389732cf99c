#include "CommandLine.h"

#include <cstdio>
#include <optional>
#include <string>
#include <unordered_set>

#include "model/ExchangeFile.h"
#include "model/VehicleImport.h"
#include "model/DocumentFiles.h"
#include "model/FileHeader.h"
#include "io/FileAccess.h"
#include "io/LanguageFiles.h"
#include "io/ProgramFolder.h"
#include "io/SettingsStore.h"

namespace wendrake {

namespace {

enum ExitStatus { Clean = 0, RowsFound = 1, Failed = 2 };

constexpr const char* kUsage =
    "Usage:\n"
    "  wendrake [FILE]                       start the editor, with FILE open\n"
    "  wendrake FILE --screenshot PNG        open FILE, save a picture of the window, quit\n"
    "  wendrake check [--lang NAME] FILE...  list the suspicious values of each file\n"
    "  wendrake format FILE [-o OUT]         write FILE as Save writes it (to OUT, or in place)\n"
    "  wendrake export HANDLING -o OUT NAME...\n"
    "                                        write the exchange file of the named vehicles\n"
    "  wendrake import HANDLING EXCHANGE... [-o OUT]\n"
    "                                        add the vehicles of exchange files and save\n"
    "  wendrake --version                    print the version\n"
    "  wendrake --help                       print this help\n"
    "\n"
    "check prints one line per suspicious value: file, car, parameter, error, separated by\n"
    "tabs. Exit status: 0 nothing found, 1 values listed, 2 a file could not be read.\n"
    "The files are never changed by check. import reports the suspicious values of the\n"
    "added lines the same way on standard error and then exits with 1.\n";

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
// memory only. Nothing is ever undone here, so no snapshot is taken.
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
    if (const auto failure =
            loadIntoDocument(opened.document, *kind, opened.bytes, language, Snapshot::Skipped)) {
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
    if (!loadLanguageFile(folder, name, table).ok) {
        writeOut(stderr, "wendrake: cannot read the language file " + localBytes(name) + ".lng\n");
        return std::nullopt;
    }
    return table;
}

// Prints the error rows from `from` on, one line each, as check prints them.
// Row by row: a hostile file's rows can be far larger than the file.
void writeRows(std::FILE* stream, const QString& file, const ErrorRows& rows, std::size_t from) {
    const std::string fileName = localBytes(file);
    for (std::size_t i = from; i < rows.size(); ++i) {
        const ErrorListEntry& row = rows[i];
        writeOut(stream, fileName + '\t');
        writeOut(stream, row.car());
        writeOut(stream, '\t' + row.parameter + '\t' + row.error + '\n');
    }
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
        writeRows(stdout, file, opened->document.Errors, 0);
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

// Splits "FILE... [-o OUT] NAME..." style arguments: `-o` takes the next one.
struct FilesAndOutput {
    QStringList files;
    QString output;
    bool valid = true;
};

FilesAndOutput splitOutput(const QStringList& args) {
    FilesAndOutput parsed;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("-o")) {
            if (i + 1 >= args.size() || !parsed.output.isEmpty()) {
                parsed.valid = false;
                return parsed;
            }
            parsed.output = args[++i];
        } else {
            parsed.files << args[i];
        }
    }
    return parsed;
}

int writeOrReport(const QString& target, std::string_view text) {
    const FileResult written = writeFileAtomically(target, text);
    if (!written.ok) {
        reportFailure(target, errorNotice(written.code, written.description));
        return Failed;
    }
    return Clean;
}

// A handling file opened as the editor opens it; export and import work on
// handling files only.
std::optional<OpenedFile> openHandlingFile(const QString& path, const LanguageTable& language) {
    auto opened = openAsEditorDoes(path, language);
    if (opened && opened->document.kind != DataFileKind::Handling) {
        reportFailure(path, QStringLiteral("Error: Filetype unknown!"));
        return std::nullopt;
    }
    return opened;
}

int runExport(const QStringList& args) {
    const FilesAndOutput parsed = splitOutput(args);
    if (!parsed.valid || parsed.output.isEmpty() || parsed.files.size() < 2) {
        reportUsage("export needs a handling file, -o OUT and at least one vehicle name");
        return Failed;
    }
    const auto table = loadLanguage(QString());
    if (!table) {
        return Failed;
    }
    const QString handling = parsed.files.first();
    const auto opened = openHandlingFile(handling, *table);
    if (!opened) {
        return Failed;
    }
    const std::unordered_set<std::string_view> listed(opened->document.Autos.entries().begin(),
                                                      opened->document.Autos.entries().end());
    std::vector<std::string> names;
    for (const QString& name : parsed.files.mid(1)) {
        names.push_back(toBytes(name));
        if (!listed.contains(names.back())) {
            writeOut(stderr, "wendrake: no vehicle named " + names.back() + " in " +
                                 localBytes(handling) + "\n");
        }
    }
    const EditorDocument& document = opened->document;
    return writeOrReport(parsed.output, BuildExchangeFile(document.HandlingRecords, names,
                                                          document.Author, document.Date));
}

int runImport(const QStringList& args) {
    const FilesAndOutput parsed = splitOutput(args);
    if (!parsed.valid || parsed.files.size() < 2) {
        reportUsage("import needs a handling file and at least one exchange file");
        return Failed;
    }
    const auto table = loadLanguage(QString());
    if (!table) {
        return Failed;
    }
    const QString handling = parsed.files.first();
    auto opened = openHandlingFile(handling, *table);
    if (!opened) {
        return Failed;
    }
    EditorDocument& document = opened->document;
    document.Errors.clear();  // the reading's own rows are check's business
    const HandlingReadTexts texts = HandlingReadTexts::fromLanguage(*table);
    bool rowsReported = false;
    for (const QString& exchange : parsed.files.mid(1)) {
        const FileBytes read = readFileBytes(exchange);
        if (!read.result.ok) {
            reportFailure(exchange, errorNotice(read.result.code, read.result.description));
            return Failed;
        }
        const ImportResult imported =
            ImportVehicles(document, read.bytes, texts, table->text(Text::TooManyVehicles));
        if (imported.failure) {
            reportFailure(exchange, readFailureNotice(*imported.failure));
            return Failed;
        }
        const auto firstRow = static_cast<std::size_t>(imported.firstErrorRow);
        writeRows(stderr, exchange, document.Errors, firstRow);
        rowsReported = rowsReported || document.Errors.size() > firstRow;
    }
    const int status = writeOrReport(parsed.output.isEmpty() ? handling : parsed.output,
                                     buildSaveText(document, opened->bytes));
    return status == Clean && rowsReported ? RowsFound : status;
}

}  // namespace

bool isCommandLineRequest(const QStringList& arguments) {
    if (arguments.size() < 2) {
        return false;
    }
    static const QStringList commands = {
        QStringLiteral("check"),  QStringLiteral("format"),    QStringLiteral("export"),
        QStringLiteral("import"), QStringLiteral("--version"), QStringLiteral("--help"),
        QStringLiteral("-h"),     QStringLiteral("-v"),
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
    if (command == QLatin1String("export")) {
        return runExport(rest);
    }
    if (command == QLatin1String("import")) {
        return runImport(rest);
    }
    return runFormat(rest);
}

}  // namespace wendrake
