// SPDX-License-Identifier: GPL-3.0-or-later
#include "Commands.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_set>

#include "Output.h"
#include "io/DiskFiles.h"
#include "io/FileAccess.h"
#include "io/LanguageFiles.h"
#include "io/ProgramFolder.h"
#include "io/SettingsStore.h"
#include "model/CrossFileChecks.h"
#include "model/DocumentSession.h"
#include "model/DocumentWarnings.h"
#include "model/ExchangeFile.h"
#include "model/VehicleImport.h"

namespace wendrake {

namespace {

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

// Prints the rows from `from` on, one line each, as check prints them; the
// text of a warning starts with `warningMark`. Row by row: a hostile file's
// rows can be far larger than the file.
void writeRows(std::FILE* stream, const QString& file, const ErrorRows& rows, std::size_t from,
               const std::string& warningMark = {}) {
    const std::string fileName = localBytes(file);
    for (std::size_t i = from; i < rows.size(); ++i) {
        const ErrorListEntry& row = rows[i];
        writeOut(stream, fileName + '\t');
        writeOut(stream, row.car());
        writeOut(stream, '\t' + row.parameter + '\t');
        if (row.severity == Severity::Warning) {
            writeOut(stream, warningMark);
        }
        writeOut(stream, row.error + '\n');
    }
}

struct CheckedFile {
    QString name;
    std::unique_ptr<DocumentSession> session;

    const EditorDocument& document() const { return session->document(); }
};

// Compares the handling files with the vehicle definition files named
// together: a definition whose handling ID has no line is an error, a line
// no definition uses a warning. Each side is gathered into one set, so the
// files are read once and nothing grows with the product of their sizes.
bool checkAcrossFiles(const std::vector<CheckedFile>& handling,
                      const std::vector<CheckedFile>& definitions, const LanguageTable& language,
                      const std::string* warningMark) {
    const CrossFileTexts texts = CrossFileTexts::fromLanguage(language);
    NameSet lines;
    for (const CheckedFile& file : handling) {
        lines.merge(handlingNames(file.document().HandlingRecords));
    }
    bool errorsFound = false;
    NameSet used;
    for (const CheckedFile& file : definitions) {
        const std::vector<VehicleDefRecord>& records = file.document().VehicleDefRecords;
        const ErrorRows rows = definitionsWithoutLine(records, lines, texts);
        writeRows(stdout, file.name, rows, 0);
        errorsFound = errorsFound || !rows.empty();
        used.merge(usedHandlingIds(records));
    }
    if (warningMark) {
        for (const CheckedFile& file : handling) {
            writeRows(stdout, file.name,
                      linesWithoutDefinition(file.document().HandlingRecords, used, texts), 0,
                      *warningMark);
        }
    }
    return errorsFound;
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

SaveLayout layoutOf(const ParsedArguments& args) {
    return args.has("--keep-layout") ? SaveLayout::KeepFile : SaveLayout::Standard;
}

// The bytes of the file that a name given on the command line stands for.
// The file's names are 8-bit bytes: typed in a UTF-8 terminal, the byte
// 0xC4 of "KÄFER" arrives as the two bytes of "Ä"; passed as the file's own
// bytes, it arrives as it is (and is no valid UTF-8).
std::string nameInFile(const Argument& name, const std::unordered_set<std::string_view>& listed) {
    const bool fitsLatin1 = std::all_of(name.text.begin(), name.text.end(),
                                        [](QChar c) { return c.unicode() <= 0xFF; });
    if (fitsLatin1) {
        std::string typed = toBytes(name.text);
        if (listed.contains(typed)) {
            return typed;
        }
    }
    return name.bytes.toStdString();
}

}  // namespace

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

// Warnings are printed after the errors of their file, so that the lines of
// a check without --warnings are those of a check with it, less the warnings;
// and they leave the exit status as it is.
int runCheck(const ParsedArguments& args, const LanguageTable& language) {
    const bool warnings = args.has("--warnings");
    const std::string warningMark = language.text(Text::WarningMark) + ": ";
    const DocumentWarningTexts warningTexts =
        warnings ? DocumentWarningTexts::fromLanguage(language) : DocumentWarningTexts();
    std::vector<CheckedFile> handling;
    std::vector<CheckedFile> definitions;
    bool rowsFound = false;
    bool failed = false;
    for (const Argument& argument : args.operands) {
        CheckedFile checked{argument.text, openAsEditorDoes(argument.text, language)};
        if (!checked.session) {
            failed = true;
            continue;
        }
        const ErrorRows& rows = checked.document().Errors;
        writeRows(stdout, checked.name, rows, 0);
        rowsFound = rowsFound || !rows.empty();
        if (warnings) {
            writeRows(stdout, checked.name, warnDocument(checked.document(), warningTexts), 0,
                      warningMark);
        }
        if (checked.session->kind() == DataFileKind::Handling) {
            handling.push_back(std::move(checked));
        } else if (checked.session->kind() == DataFileKind::VehicleDefs) {
            definitions.push_back(std::move(checked));
        }
    }
    if (!handling.empty() && !definitions.empty()) {
        rowsFound =
            checkAcrossFiles(handling, definitions, language, warnings ? &warningMark : nullptr) ||
            rowsFound;
    }
    return failed ? Failed : rowsFound ? RowsFound : Clean;
}

int runFormat(const ParsedArguments& args, const LanguageTable& language) {
    const QString input = args.operands.front().text;
    const QString output = args.value("-o");
    const auto opened = openAsEditorDoes(input, language);
    if (!opened) {
        return Failed;
    }
    return saveAsEditorDoes(*opened, output.isEmpty() ? input : output, language, layoutOf(args));
}

// A name the file does not hold is reported and makes the status 1; the
// exchange file of the others is written all the same.
int runExport(const ParsedArguments& args, const LanguageTable& language) {
    const QString handling = args.operands.front().text;
    const auto opened = openHandlingFile(handling, language);
    if (!opened) {
        return Failed;
    }
    const EditorDocument& document = opened->document();
    const std::unordered_set<std::string_view> listed(document.Autos.entries().begin(),
                                                      document.Autos.entries().end());
    std::vector<std::string> names;
    bool allFound = true;
    for (auto name = args.operands.begin() + 1; name != args.operands.end(); ++name) {
        names.push_back(nameInFile(*name, listed));
        if (!listed.contains(names.back())) {
            writeOut(stderr, "wendrake: no vehicle named " + names.back() + " in " +
                                 localBytes(handling) + "\n");
            allFound = false;
        }
    }
    const int status = writeOrReport(
        args.value("-o"),
        BuildExchangeFile(document.HandlingRecords, names, document.Author, document.Date));
    return status == Clean && !allFound ? RowsFound : status;
}

int runImport(const ParsedArguments& args, const LanguageTable& language) {
    const ImportPolicy policy =
        args.has("--replace") ? ImportPolicy::Replace : ImportPolicy::KeepBoth;
    const QString handling = args.operands.front().text;
    auto opened = openHandlingFile(handling, language);
    if (!opened) {
        return Failed;
    }
    DocumentSession& session = *opened;
    const HandlingReadTexts texts = HandlingReadTexts::fromLanguage(language);
    // The reading's own rows are check's business: only the rows of the
    // imported lines are reported.
    const std::size_t rowsBefore = session.document().Errors.size();
    bool rowsReported = false;
    for (auto argument = args.operands.begin() + 1; argument != args.operands.end(); ++argument) {
        const QString& exchange = argument->text;
        const FileBytes read = readFileBytes(exchange);
        if (!read.result.ok) {
            reportFailure(exchange, errorNotice(read.result.code, read.result.description));
            return Failed;
        }
        const ImportResult imported =
            session.importVehicles(read.bytes, texts, language.text(Text::TooManyVehicles), policy);
        if (imported.failure) {
            reportFailure(exchange, readFailureNotice(*imported.failure));
            return Failed;
        }
        const auto firstRow =
            std::max(rowsBefore, static_cast<std::size_t>(imported.firstErrorRow));
        writeRows(stderr, exchange, session.document().Errors, firstRow);
        rowsReported = rowsReported || session.document().Errors.size() > firstRow;
    }
    const QString output = args.value("-o");
    const int status =
        saveAsEditorDoes(session, output.isEmpty() ? handling : output, language, layoutOf(args));
    return status == Clean && rowsReported ? RowsFound : status;
}

}  // namespace wendrake
