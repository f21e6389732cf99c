#include "CommandLine.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>

#include "io/DiskFiles.h"
#include "io/FileAccess.h"
#include "io/LanguageFiles.h"
#include "io/ProgramFolder.h"
#include "io/SettingsStore.h"
#include "model/DocumentSession.h"
#include "model/ExchangeFile.h"
#include "model/FileHeader.h"
#include "model/VehicleImport.h"

namespace wendrake {

namespace {

enum ExitStatus { Clean = 0, RowsFound = 1, Failed = 2 };

constexpr const char* kUsage =
    "Usage:\n"
    "  wendrake [FILE]                       start the editor, with FILE open\n"
    "  wendrake FILE --screenshot PNG        open FILE, save a picture of the window, quit\n"
    "  wendrake check [--lang NAME] FILE...  list the suspicious values of each file\n"
    "  wendrake format [--keep-layout] FILE [-o OUT]\n"
    "                                        write FILE as Save writes it (to OUT, or in place);\n"
    "                                        with --keep-layout, as Save writes it when it keeps\n"
    "                                        the file's layout\n"
    "  wendrake export HANDLING -o OUT NAME...\n"
    "                                        write the exchange file of the named vehicles\n"
    "  wendrake import [--replace] [--keep-layout] HANDLING EXCHANGE... [-o OUT]\n"
    "                                        add the vehicles of exchange files and save;\n"
    "                                        with --replace, vehicles of the same names in\n"
    "                                        HANDLING take the imported values instead\n"
    "  wendrake --version                    print the version\n"
    "  wendrake --help                       print this help\n"
    "\n"
    "check prints one line per suspicious value: file, car, parameter, error, separated by\n"
    "tabs. Exit status: 0 nothing found, 1 values listed, 2 a file could not be read.\n"
    "The files are never changed by check. import reports the suspicious values of the\n"
    "added lines the same way on standard error and then exits with 1.\n"
    "--keep-layout leaves every line of the file as it stands and in its place, rewrites\n"
    "only the lines of vehicles that changed, adds new vehicles after the last one, and\n"
    "adds no header: a file saved unchanged keeps its bytes.\n";

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

// A file opened as the editor opens it, through the same session, except
// that the line-end repair stays in memory: the command line never changes
// a file it was not asked to write. Nothing is ever undone here, so no
// snapshot is taken.
std::unique_ptr<DocumentSession> openAsEditorDoes(const QString& path,
                                                  const LanguageTable& language) {
    const std::optional<DataFileKind> kind = kindFromFileName(localBytes(path));
    if (!kind) {
        reportFailure(path, QStringLiteral("Error: Filetype unknown!"));
        return nullptr;
    }
    auto session = std::make_unique<DocumentSession>();
    DiskFiles files;
    OpenOptions options;
    options.repairOnDisk = false;
    options.snapshot = Snapshot::Skipped;
    const OpenOutcome opened =
        session->openFile(path.toStdString(), *kind, files, language, options);
    switch (opened.status) {
        case OpenOutcome::Status::Opened:
            return session;
        case OpenOutcome::Status::Missing: {
            // The system's own words for why the file cannot be read.
            const FileResult missing = readFileBytes(path).result;
            reportFailure(path, errorNotice(missing.code, missing.description));
            break;
        }
        case OpenOutcome::Status::ReadFailed:
            reportFailure(path, errorNotice(*opened.fileFailure));
            break;
        case OpenOutcome::Status::Invalid:
            reportFailure(path, readFailureNotice(*opened.readFailure));
            break;
    }
    return nullptr;
}

// Saves as the editor's Save does; reports a failure and returns its status.
int saveAsEditorDoes(DocumentSession& session, const QString& target, const LanguageTable& language,
                     SaveLayout layout) {
    DiskFiles files;
    SaveOptions options;
    options.layout = layout;
    const SaveOutcome saved = session.saveTo(target.toStdString(), files, options);
    using Status = SaveOutcome::Status;
    switch (saved.status) {
        case Status::Saved:
            if (saved.layoutChanged) {
                reportFailure(target, QStringLiteral("the file changed on disk while it was read; "
                                                     "not every line kept its place"));
            }
            return Clean;
        case Status::MissingValue:
            reportFailure(target, languageText(language, Text::EmptyValue) +
                                      QStringLiteral(" %1, %2")
                                          .arg(saved.missing.record + 1)
                                          .arg(saved.missing.field + 1));
            return Failed;
        case Status::SourceMissing:
            reportFailure(QString::fromStdString(session.path()),
                          languageText(language, Text::FileMissing));
            return Failed;
        case Status::WriteFailed:
            reportFailure(target, errorNotice(*saved.failure));
            return Failed;
        case Status::NotLoaded:
        case Status::ReadFailed:
        case Status::BackupFailed:
            reportFailure(QString::fromStdString(session.path()),
                          saved.failure ? errorNotice(*saved.failure) : QString());
            return Failed;
    }
    return Failed;
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
        const ErrorRows& rows = opened->document().Errors;
        writeRows(stdout, file, rows, 0);
        if (!rows.empty() && status == Clean) {
            status = RowsFound;
        }
    }
    return status;
}

// Takes --keep-layout out of the arguments.
SaveLayout takeLayout(QStringList& args) {
    return args.removeAll(QStringLiteral("--keep-layout")) > 0 ? SaveLayout::KeepFile
                                                               : SaveLayout::Standard;
}

int runFormat(const QStringList& arguments) {
    QStringList args = arguments;
    const SaveLayout layout = takeLayout(args);
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
    return saveAsEditorDoes(*opened, output.isEmpty() ? input : output, *table, layout);
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
std::unique_ptr<DocumentSession> openHandlingFile(const QString& path,
                                                  const LanguageTable& language) {
    auto opened = openAsEditorDoes(path, language);
    if (opened && opened->kind() != DataFileKind::Handling) {
        reportFailure(path, QStringLiteral("Error: Filetype unknown!"));
        return nullptr;
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
    const EditorDocument& document = opened->document();
    const std::unordered_set<std::string_view> listed(document.Autos.entries().begin(),
                                                      document.Autos.entries().end());
    std::vector<std::string> names;
    for (const QString& name : parsed.files.mid(1)) {
        names.push_back(toBytes(name));
        if (!listed.contains(names.back())) {
            writeOut(stderr, "wendrake: no vehicle named " + names.back() + " in " +
                                 localBytes(handling) + "\n");
        }
    }
    return writeOrReport(parsed.output, BuildExchangeFile(document.HandlingRecords, names,
                                                          document.Author, document.Date));
}

int runImport(const QStringList& arguments) {
    QStringList args = arguments;
    const SaveLayout layout = takeLayout(args);
    const ImportPolicy policy = args.removeAll(QStringLiteral("--replace")) > 0
                                    ? ImportPolicy::Replace
                                    : ImportPolicy::KeepBoth;
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
    DocumentSession& session = *opened;
    const HandlingReadTexts texts = HandlingReadTexts::fromLanguage(*table);
    // The reading's own rows are check's business: only the rows of the
    // imported lines are reported.
    const std::size_t rowsBefore = session.document().Errors.size();
    bool rowsReported = false;
    for (const QString& exchange : parsed.files.mid(1)) {
        const FileBytes read = readFileBytes(exchange);
        if (!read.result.ok) {
            reportFailure(exchange, errorNotice(read.result.code, read.result.description));
            return Failed;
        }
        const ImportResult imported =
            session.importVehicles(read.bytes, texts, table->text(Text::TooManyVehicles), policy);
        if (imported.failure) {
            reportFailure(exchange, readFailureNotice(*imported.failure));
            return Failed;
        }
        const auto firstRow =
            std::max(rowsBefore, static_cast<std::size_t>(imported.firstErrorRow));
        writeRows(stderr, exchange, session.document().Errors, firstRow);
        rowsReported = rowsReported || session.document().Errors.size() > firstRow;
    }
    const int status = saveAsEditorDoes(session, parsed.output.isEmpty() ? handling : parsed.output,
                                        *table, layout);
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
