// SPDX-License-Identifier: GPL-3.0-or-later
#include "Commands.h"

#include <algorithm>
#include <memory>
#include <string>
#include <unordered_set>

#include "Output.h"
#include "files/DiskFiles.h"
#include "files/FileErrors.h"
#include "files/LanguageFolder.h"
#include "files/ProgramFolder.h"
#include "files/SettingsFile.h"
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
std::unique_ptr<DocumentSession> openAsEditorDoes(const std::string& path,
                                                  const LanguageTable& language,
                                                  NameList nameList = NameList::Filled,
                                                  SourceLines sourceLines = SourceLines::Recorded) {
    const std::optional<DataFileKind> kind = kindFromFileName(path);
    if (!kind) {
        reportFailure(path, "Error: Filetype unknown!");
        return nullptr;
    }
    auto session = std::make_unique<DocumentSession>();
    DiskFiles files;
    OpenOptions options;
    options.repairOnDisk = false;
    options.snapshot = Snapshot::Skipped;
    options.nameList = nameList;
    options.sourceLines = sourceLines;
    const OpenOutcome opened = session->openFile(path, *kind, files, language, options);
    switch (opened.status) {
        case OpenOutcome::Status::Opened:
            return session;
        case OpenOutcome::Status::Missing: {
            // The system's own words for why the file cannot be read.
            std::string bytes;
            const auto missing = readFile(path, bytes);
            reportFailure(path, missing ? failureNotice(*missing) : std::string());
            break;
        }
        case OpenOutcome::Status::ReadFailed:
            reportFailure(path, failureNotice(*opened.fileFailure));
            break;
        case OpenOutcome::Status::Invalid:
            reportFailure(path, readFailureText(*opened.readFailure));
            break;
    }
    return nullptr;
}

// Saves as the editor's Save does; reports a failure and returns its status.
int saveAsEditorDoes(DocumentSession& session, const std::string& target,
                     const LanguageTable& language, SaveLayout layout) {
    DiskFiles files;
    SaveOptions options;
    options.layout = layout;
    // The session ends with this save: no later save asks where a record stands.
    options.sourceLines = SourceLines::Skipped;
    const SaveOutcome saved = session.saveTo(target, files, options);
    using Status = SaveOutcome::Status;
    switch (saved.status) {
        case Status::Saved:
            if (saved.layoutChanged) {
                reportFailure(target,
                              "the file changed on disk while it was read; "
                              "not every line kept its place");
            }
            return Clean;
        case Status::MissingValue:
            reportFailure(target, language.text(Text::EmptyValue) + ' ' +
                                      std::to_string(saved.missing.record + 1) + ", " +
                                      std::to_string(saved.missing.field + 1));
            return Failed;
        case Status::SourceMissing:
            reportFailure(session.path(), language.text(Text::FileMissing));
            return Failed;
        case Status::WriteFailed:
            reportFailure(target, failureNotice(*saved.failure));
            return Failed;
        case Status::NotLoaded:
        case Status::ReadFailed:
        case Status::BackupFailed:
            reportFailure(session.path(),
                          saved.failure ? failureNotice(*saved.failure) : std::string());
            return Failed;
    }
    return Failed;
}

// Prints the rows from `from` on, one line each, as check prints them; the
// text of a warning starts with `warningMark`. Row by row: a hostile file's
// rows can be far larger than the file.
void writeRows(std::FILE* stream, const std::string& fileName, const ErrorRows& rows,
               std::size_t from, const std::string& warningMark = {}) {
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
    std::string name;
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

int writeOrReport(const std::string& target, std::string_view text) {
    if (const auto failure = replaceFile(target, text)) {
        reportFailure(target, failureNotice(*failure));
        return Failed;
    }
    return Clean;
}

// A handling file opened as the editor opens it; export and import work on
// handling files only.
std::unique_ptr<DocumentSession> openHandlingFile(const std::string& path,
                                                  const LanguageTable& language) {
    auto opened = openAsEditorDoes(path, language);
    if (opened && opened->kind() != DataFileKind::Handling) {
        reportFailure(path, "Error: Filetype unknown!");
        return nullptr;
    }
    return opened;
}

SaveLayout layoutOf(const ParsedArguments& args) {
    return args.has("--keep-layout") ? SaveLayout::KeepFile : SaveLayout::Standard;
}

// The Latin-1 bytes of a name typed as UTF-8; nothing when it holds a
// letter beyond Latin-1 or is no UTF-8 at all. Only the lead bytes C2 and C3
// start a letter of Latin-1 beyond ASCII.
std::optional<std::string> latin1FromUtf8(std::string_view typed) {
    std::string bytes;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        const auto lead = static_cast<unsigned char>(typed[i]);
        if (lead < 0x80) {
            bytes += static_cast<char>(lead);
            continue;
        }
        const auto next = i + 1 < typed.size() ? static_cast<unsigned char>(typed[i + 1]) : 0;
        if ((lead != 0xC2 && lead != 0xC3) || (next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        bytes += static_cast<char>(((lead & 0x1F) << 6) | (next & 0x3F));
        ++i;
    }
    return bytes;
}

// The bytes of the file that a name given on the command line stands for.
// The file's names are 8-bit bytes: typed in a UTF-8 terminal, the byte
// 0xC4 of "KÄFER" arrives as the two bytes of "Ä"; passed as the file's own
// bytes, it arrives as it is (and is no valid UTF-8).
std::string nameInFile(const Argument& name, const std::unordered_set<std::string_view>& listed) {
    if (const std::optional<std::string> typed = latin1FromUtf8(name)) {
        if (listed.contains(*typed)) {
            return *typed;
        }
    }
    return name;
}

// An output that is a file the command reads would lose that file to a
// mistyped name (`export mod.cfg -o mod.cfg CAR` leaves one vehicle): such a
// command is refused before anything is read or written.
bool outputReplacesInput(const std::string& output, const std::string& input,
                         const std::string& command) {
    if (output.empty() || !isSameFile(output, input)) {
        return false;
    }
    writeOut(stderr, "wendrake: -o " + output + " names " + input + ", which " + command +
                         " reads: choose another output file\n");
    return true;
}

}  // namespace

std::optional<LanguageTable> loadLanguage(const std::string& requested) {
    const std::string folder = runningProgramFolder();
    const std::vector<std::string> languages = listLanguages(folder);
    if (languages.empty()) {
        writeOut(stderr, "No language-file found! Please reinstall the application.\n");
        return std::nullopt;
    }
    std::string name = requested;
    if (name.empty()) {
        name = startLanguage(languages, readUserSetting("Settings", "Language"));
    } else if (std::find(languages.begin(), languages.end(), name) == languages.end()) {
        std::string available;
        for (const std::string& language : languages) {
            available += (available.empty() ? "" : ", ") + language;
        }
        writeOut(stderr,
                 "wendrake: unknown language \"" + name + "\"; available: " + available + "\n");
        return std::nullopt;
    }
    LanguageTable table;
    if (loadLanguageFile(folder, name, table)) {
        writeOut(stderr, "wendrake: cannot read the language file " + name + ".lng\n");
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
        // A check reports rows: it never shows nor writes the vehicle list.
        CheckedFile checked{argument, openAsEditorDoes(argument, language, NameList::Skipped,
                                                       SourceLines::Skipped)};
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
    const std::string input = args.operands.front();
    const std::string output = args.value("-o");
    // Only a save keeping the layout finds the records' lines again.
    const SaveLayout layout = layoutOf(args);
    const auto opened = openAsEditorDoes(
        input, language, NameList::Filled,
        layout == SaveLayout::KeepFile ? SourceLines::Recorded : SourceLines::Skipped);
    if (!opened) {
        return Failed;
    }
    return saveAsEditorDoes(*opened, output.empty() ? input : output, language, layout);
}

// A name the file does not hold is reported and makes the status 1; the
// exchange file of the others is written all the same.
int runExport(const ParsedArguments& args, const LanguageTable& language) {
    const std::string handling = args.operands.front();
    if (outputReplacesInput(args.value("-o"), handling, "an export")) {
        return Failed;
    }
    const auto opened = openHandlingFile(handling, language);
    if (!opened) {
        return Failed;
    }
    const EditorDocument& document = opened->document();
    const std::unordered_set<std::string_view> listed(document.Autos.entries().begin(),
                                                      document.Autos.entries().end());
    std::vector<std::string> names;
    std::unordered_set<std::string> named;  // a name given twice is exported once
    std::size_t found = 0;
    for (auto name = args.operands.begin() + 1; name != args.operands.end(); ++name) {
        std::string inFile = nameInFile(*name, listed);
        if (!named.insert(inFile).second) {
            continue;
        }
        if (listed.contains(inFile)) {
            ++found;
        } else {
            writeOut(stderr, "wendrake: no vehicle named " + inFile + " in " + handling + "\n");
        }
        names.push_back(std::move(inFile));
    }
    // An exchange file without a vehicle serves no one, and -o may name a
    // player's earlier export: a mistyped name must not empty it.
    if (found == 0) {
        return RowsFound;
    }
    const int status = writeOrReport(
        args.value("-o"),
        BuildExchangeFile(document.HandlingRecords, names, document.Author, document.Date));
    return status == Clean && found < names.size() ? RowsFound : status;
}

int runImport(const ParsedArguments& args, const LanguageTable& language) {
    const ImportPolicy policy =
        args.has("--replace") ? ImportPolicy::Replace : ImportPolicy::KeepBoth;
    const std::string handling = args.operands.front();
    for (auto exchange = args.operands.begin() + 1; exchange != args.operands.end(); ++exchange) {
        if (outputReplacesInput(args.value("-o"), *exchange, "an import")) {
            return Failed;
        }
    }
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
        const std::string& exchange = *argument;
        std::string bytes;
        if (const auto failure = readFile(exchange, bytes)) {
            reportFailure(exchange, failureNotice(*failure));
            return Failed;
        }
        const ImportResult imported =
            session.importVehicles(bytes, texts, language.text(Text::TooManyVehicles), policy);
        if (imported.failure) {
            reportFailure(exchange, readFailureText(*imported.failure));
            return Failed;
        }
        const auto firstRow =
            std::max(rowsBefore, static_cast<std::size_t>(imported.firstErrorRow));
        writeRows(stderr, exchange, session.document().Errors, firstRow);
        rowsReported = rowsReported || session.document().Errors.size() > firstRow;
    }
    const std::string output = args.value("-o");
    const int status =
        saveAsEditorDoes(session, output.empty() ? handling : output, language, layoutOf(args));
    return status == Clean && rowsReported ? RowsFound : status;
}

}  // namespace wendrake
