// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <limits>
#include <span>
#include <string>
#include <vector>

#include "ArgumentParser.h"
#include "Commands.h"
#include "Output.h"
#include "files/DiskFiles.h"
#include "files/MemoryUse.h"
#include "model/FileHeader.h"

namespace wendrake {

namespace {

struct Command {
    const char* name;
    const char* synopsis;     // after "wendrake "
    const char* summary;      // its line in the usage
    const char* description;  // the text of `wendrake help NAME`
    std::vector<OptionSpec> options;
    std::size_t fewestOperands;
    std::size_t mostOperands;
    const char* tooFew;  // what the command is missing then
    int (*run)(const ParsedArguments&, const LanguageTable&);
};

constexpr std::size_t kAny = std::numeric_limits<std::size_t>::max();

const OptionSpec kHelp = {"--help", "-h", nullptr, "print the help of the command"};
const OptionSpec kVersion = {"--version", "-v", nullptr, "print the version"};
const OptionSpec kLanguage = {"--lang", nullptr, "NAME",
                              "the language of the messages: a .lng file beside the\n"
                              "program (English, Deutsch); without it, the language last\n"
#ifdef _WIN32
                              "chosen in the editor, else Windows's display language\n"
                              "(German gives Deutsch, any other English)"};
#else
                              "chosen in the editor, else the locale's (LC_ALL,\n"
                              "LC_MESSAGES, LANG: de gives Deutsch, any other English)"};
#endif
const OptionSpec kKeepLayout = {"--keep-layout", nullptr, nullptr,
                                "keep the file's layout: every line stays as it stands,\n"
                                "only the lines of changed vehicles are rewritten, new\n"
                                "vehicles come after the last one, no header is added"};
const OptionSpec kWarnings = {"--warnings", nullptr, nullptr,
                              "list warnings too: values outside the range named beside\n"
                              "their box, a model name two definitions share, a handling\n"
                              "line no definition uses; marked \"Warning:\" (in the\n"
                              "language of the messages), they leave the exit status as it is"};
const OptionSpec kEndOfOptions = {"--", nullptr, nullptr,
                                  "end the options: the words after it are files or names"};

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"check",
         "check [--warnings] [--lang NAME] FILE...",
         "list the suspicious values of each file",
         "Reads each FILE as the editor opens it and prints one line per value the\n"
         "editor would flag: file, car, parameter and error, separated by tabs.\n"
         "A handling file named with a vehicle definition file is compared with it:\n"
         "a car definition whose handling ID has no line in it is an error.\n"
         "With --warnings, each file's warnings follow its errors.\n"
         "The files are never changed. Exit status: 0 nothing found (or warnings\n"
         "only), 1 errors listed, 2 a file could not be read.\n",
         {kWarnings, kLanguage},
         1,
         kAny,
         "needs at least one file",
         runCheck},
        {"format",
         "format [--keep-layout] FILE [-o OUT]",
         "write FILE as Save writes it (to OUT, or in place)",
         "Writes FILE exactly as the editor's Save writes it, to OUT or over FILE\n"
         "itself (atomically). Exit status 0, or 2 when the file could not be read\n"
         "or written.\n",
         {kKeepLayout, {"-o", nullptr, "OUT", "write to OUT instead of over FILE"}, kLanguage},
         1,
         1,
         "needs a file",
         runFormat},
        {"export",
         "export HANDLING -o OUT NAME...",
         "write the exchange file of the named vehicles",
         "Writes the exchange file of the named vehicles of the handling file\n"
         "HANDLING to OUT, in the order given, as the export window writes it.\n"
         "A name the file does not hold is reported on standard error and makes\n"
         "the exit status 1; 2 when a file could not be read or written.\n",
         {{"-o", nullptr, "OUT", "the exchange file to write (required)"}, kLanguage},
         2,
         kAny,
         "needs a handling file and at least one vehicle name",
         runExport},
        {"import",
         "import [--replace] [--keep-layout] HANDLING EXCHANGE... [-o OUT]",
         "add the vehicles of exchange files and save",
         "Adds the vehicles of each EXCHANGE file to the handling file HANDLING as\n"
         "the Import button does, then writes what Save writes, to OUT or over\n"
         "HANDLING. Suspicious values of the added lines go to standard error as\n"
         "check prints them, and the exit status is then 1; 2 when a file could\n"
         "not be read or written.\n",
         {{"--replace", nullptr, nullptr,
           "a vehicle of a name the file holds takes the imported values\n"
           "instead of being added once more"},
          kKeepLayout,
          {"-o", nullptr, "OUT", "write to OUT instead of over HANDLING"},
          kLanguage},
         2,
         kAny,
         "needs a handling file and at least one exchange file",
         runImport},
    };
    return table;
}

const Command* findCommand(const std::string& name) {
    for (const Command& command : commands()) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

// "  wendrake SYNOPSIS" with the summary in a column of its own.
std::string usageLine(const std::string& synopsis, const std::string& summary) {
    constexpr std::size_t kColumn = 40;
    std::string line = "  wendrake " + synopsis;
    line += line.size() < kColumn ? std::string(kColumn - line.size(), ' ')
                                  : "\n" + std::string(kColumn, ' ');
    return line + summary + "\n";
}

std::string optionLines(std::span<const OptionSpec> options) {
    constexpr std::size_t kColumn = 20;
    std::string text;
    for (const OptionSpec& option : options) {
        std::string spelled = option.alias ? std::string(option.alias) + ", " : std::string();
        spelled += option.name;
        if (option.valueName) {
            spelled += std::string(" ") + option.valueName;
        }
        std::string line = "  " + spelled;
        line += line.size() < kColumn ? std::string(kColumn - line.size(), ' ')
                                      : "\n" + std::string(kColumn, ' ');
        for (const char* c = option.description; *c; ++c) {
            line += *c;
            if (*c == '\n') {
                line += std::string(kColumn, ' ');
            }
        }
        text += line + "\n";
    }
    return text;
}

const OptionSpec kCommonOptions[] = {kLanguage, kHelp, kVersion, kEndOfOptions};

std::string usage() {
    std::string text = "Usage:\n";
    text += usageLine("[FILE]", "start the editor, with FILE open");
    text += usageLine("FILE --screenshot PNG", "open FILE, save a picture of the window, quit");
    for (const Command& command : commands()) {
        text += usageLine(command.synopsis, command.summary);
    }
    text += usageLine("help [COMMAND]", "print the help of COMMAND");
    text += usageLine("--version", "print the version");
    text += usageLine("--help", "print this help");
    text += "\nEvery command takes these options:\n" + optionLines(kCommonOptions);
    text +=
        "\n"
        "check prints one line per suspicious value: file, car, parameter, error, separated by\n"
        "tabs. Exit status: 0 nothing found, 1 values listed, 2 a file could not be read.\n"
        "check --warnings lists unusual values too, marked as warnings; warnings alone keep\n"
        "the exit status 0. A handling file and a vehicle definition file named together\n"
        "are compared: a car's handling ID without a line is an error, an unused line a\n"
        "warning.\n"
        "The files are never changed by check. import reports the suspicious values of the\n"
        "added lines the same way on standard error and then exits with 1; export exits\n"
        "with 1 when a named vehicle is not in the file. A wrong command line gets one\n"
        "line on standard error and exit status 2.\n"
        "--keep-layout leaves every line of the file as it stands and in its place, rewrites\n"
        "only the lines of vehicles that changed, adds new vehicles after the last one, and\n"
        "adds no header: a file saved unchanged keeps its bytes.\n";
    return text;
}

std::string commandHelp(const Command& command) {
    std::vector<OptionSpec> options = command.options;
    options.insert(options.end(), {kHelp, kVersion, kEndOfOptions});
    return std::string("Usage: wendrake ") + command.synopsis + "\n\n" + command.description +
           "\nOptions:\n" + optionLines(options);
}

int printVersion() {
    writeOut(stdout, "Wendrake " + std::string(kProgramVersion) + "\n");
    return Clean;
}

// One line, and the exit status of a wrong command line.
int reportProblem(const std::string& problem, const char* seeAlso) {
    writeOut(stderr, "wendrake: " + problem + " (see " + seeAlso + ")\n");
    return Failed;
}

int runCommand(const Command& command, std::span<const Argument> words) {
    std::vector<OptionSpec> table = command.options;
    table.insert(table.end(), {kHelp, kVersion});
    const ParsedArguments args = parseArguments(words, table);
    const std::string seeAlso = std::string("wendrake help ") + command.name;
    const std::string name = command.name;
    if (!args.problem.empty()) {
        return reportProblem(name + ": " + args.problem, seeAlso.c_str());
    }
    if (args.has("--help")) {
        writeOut(stdout, commandHelp(command));
        return Clean;
    }
    if (args.has("--version")) {
        return printVersion();
    }
    if (args.operands.size() < command.fewestOperands) {
        return reportProblem(name + ' ' + command.tooFew, seeAlso.c_str());
    }
    if (args.operands.size() > command.mostOperands) {
        return reportProblem(name + ": unexpected argument " + args.operands[command.mostOperands],
                             seeAlso.c_str());
    }
    if (name == "export" && !args.has("-o")) {
        return reportProblem("export needs -o OUT", seeAlso.c_str());
    }
    // A command reads its files once and ends: their tables may take the
    // memory in large steps (a 5 MB handling file needs some 30 MB).
    growHeapInLargePages(std::size_t{64} * 1024 * 1024);
    const auto language = loadLanguage(args.value("--lang"));
    if (!language) {
        return Failed;
    }
    return command.run(args, *language);
}

int runHelp(std::span<const Argument> words) {
    if (words.empty()) {
        writeOut(stdout, usage());
        return Clean;
    }
    const Command* command = findCommand(words.front());
    if (!command) {
        return reportProblem("help: no command named " + words.front(), "wendrake --help");
    }
    if (words.size() > 1) {
        return reportProblem("help: unexpected argument " + words[1], "wendrake --help");
    }
    writeOut(stdout, commandHelp(*command));
    return Clean;
}

// The words of the window: [FILE] [--screenshot PNG], or the help or the
// version. A word that names neither a command nor a file is a mistake
// (a misspelt command, most often), not a file for the window to open.
struct WindowWords {
    WindowRequest request;
    bool help = false;
    bool version = false;
    std::string problem;
};

WindowWords parseWindowWords(std::span<const Argument> words) {
    static const OptionSpec table[] = {{"--screenshot", nullptr, "PNG", ""}, kHelp, kVersion};
    const ParsedArguments args = parseArguments(words, table);
    WindowWords parsed;
    parsed.help = args.has("--help");
    parsed.version = args.has("--version");
    if (!args.problem.empty()) {
        parsed.problem = args.problem;
    } else if (args.operands.size() > 1) {
        parsed.problem = "unexpected argument " + args.operands[1];
    } else if (!args.operands.empty()) {
        parsed.request.file = args.operands.front();
        if (!parsed.help && !parsed.version && !isRegularFile(parsed.request.file)) {
            parsed.problem = parsed.request.file + " is neither a command nor a file";
        }
    }
    parsed.request.screenshot = args.value("--screenshot");
    return parsed;
}

bool isCommandWord(const std::string& word) {
    return word == "help" || findCommand(word) != nullptr;
}

Arguments wordsAfterProgram(const std::vector<std::string>& arguments) {
    return arguments.empty() ? Arguments() : Arguments(arguments.begin() + 1, arguments.end());
}

}  // namespace

std::optional<WindowRequest> windowRequest(const std::vector<std::string>& arguments) {
    const Arguments words = wordsAfterProgram(arguments);
    if (!words.empty() && isCommandWord(words.front())) {
        return std::nullopt;
    }
    const WindowWords parsed = parseWindowWords(words);
    if (parsed.help || parsed.version || !parsed.problem.empty()) {
        return std::nullopt;
    }
    return parsed.request;
}

int runCommandLine(const std::vector<std::string>& arguments) {
    const Arguments words = wordsAfterProgram(arguments);
    const std::span<const Argument> rest =
        words.empty() ? std::span<const Argument>() : std::span(words).subspan(1);
    if (!words.empty() && words.front() == "help") {
        return runHelp(rest);
    }
    if (const Command* command = words.empty() ? nullptr : findCommand(words.front())) {
        return runCommand(*command, rest);
    }
    const WindowWords parsed = parseWindowWords(words);
    if (!parsed.problem.empty()) {
        return reportProblem(parsed.problem, "wendrake --help");
    }
    if (parsed.help) {
        writeOut(stdout, usage());
        return Clean;
    }
    if (parsed.version) {
        return printVersion();
    }
    return reportProblem("these arguments start the window", "wendrake --help");
}

}  // namespace wendrake
