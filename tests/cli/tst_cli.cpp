// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "model/ProgramVersion.h"

#include <QProcess>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "support/WindowSession.h"
#include "ui/ExportDialog.h"

using namespace wendrake;
using namespace wendrake::testing;

namespace {

// What --version prints.
QByteArray versionLine() {
    return "Wendrake " + QByteArray(kProgramVersion.data(), kProgramVersion.size()) + "\n";
}

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

using Environment = QMap<QString, QString>;

// A handling line that reads without a row, after the vehicle's name.
const QByteArray kValues =
    " 12345.0 2.0 1.4 4.5 0.0 0.1 -0.2 70 1.1 0.8 0.5 5 120.0 20.0 R P 6.0 0.55 1 35.0 1.2 0.1 "
    "0.2 1.0  25000 0.3 -0.2 0.5 0022 2 3\r\n";

}  // namespace

// The command line, run as a program without a display.
class CommandLineTests : public QObject {
    Q_OBJECT
  private slots:
    void checkReportsRowsAndNeverChangesTheFile() {
        const QString clean = copy("handling/lf_only.cfg");
        const QByteArray before = contents(clean);
        const QString problems = copy("handling/problems.cfg");
        const Run bad = run({"check", "--lang", "English", clean, problems});
        QCOMPARE(contents(clean), before);  // the line ends are repaired in memory only
        QCOMPARE(bad.status, 1);
        const QList<QByteArray> rows = bad.out.split('\n');
        QCOMPARE(rows.size(), 7);  // six rows of problems.cfg and the empty text after the last
        QCOMPARE(rows[0],
                 problems.toLocal8Bit() +
                     "\tSHORT_LINE\t\tWrong number of values: 31 values found, 32 expected");
        QCOMPARE(rows[3], problems.toLocal8Bit() + "\tBAD_MASS\tMass (kg)\tMust be a number");
        QCOMPARE(rows[5], problems.toLocal8Bit() +
                              "\tTWIN_VAN\t\tThis name stands more than once in the file");

        // Without --lang the remembered language is used.
        QVERIFY(QDir(config_.path()).mkpath("Wendrake"));
        QVERIFY(writeBytes(config_.filePath("Wendrake/Wendrake.conf"),
                           "[Settings]\nLanguage=Deutsch\n"));
        const Run german = run({"check", problems});
        QCOMPARE(german.status, 1);
        QVERIFY(german.out.contains("\tGewicht (kg)\t"));
    }

    // The installed command is a link to the program; the language files lie
    // beside the program file, not beside the link.
    void findsItsFilesWhenStartedThroughALink() {
#ifdef Q_OS_WIN
        QSKIP("a link to a program is a shortcut file on Windows");
#endif
        QVERIFY(QDir(dir_.path()).mkpath("bin"));
        const QString link = dir_.filePath("bin/wendrake");
        QVERIFY(QFile::link(QStringLiteral(WENDRAKE_EXECUTABLE), link));
        const Run result =
            runAs(link, {"check", "--lang", "English", copy("handling/problems.cfg")});
        QCOMPARE(result.status, 1);
        QVERIFY2(result.out.contains("\tBAD_MASS\tMass (kg)\tMust be a number\n"),
                 result.err.constData());
    }

    void checkFailsPerFileWithTheEditorsMessage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("unknown type") << "plain.txt" << QByteArray(": Error: Filetype unknown!\n");
    }

    void checkFailsPerFileWithTheEditorsMessage() {
        QFETCH(QString, name);
        QFETCH(QByteArray, message);
        const QString path = copy("handling/problems.cfg", name);
        const Run result = run({"check", path, copy("handling/plain.cfg")});
        QCOMPARE(result.status, 2);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.startsWith(path.toLocal8Bit() + message), result.err.constData());
        QCOMPARE(result.err.count('\n'), 1);
    }

    // A file that cannot be read or written gets one line on standard error,
    // in the system's words, and exit status 2; nothing is written. An
    // export that finds none of its vehicles writes nothing either (status 1). Run in
    // the test's folder: "in.cfg" is a readable handling file there, "sub.cfg"
    // a folder.
    void fileFailuresGetOneLine_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("err");
        QTest::newRow("missing") << QStringList{"check", "none.cfg"}
                                 << QByteArray("none.cfg: Error: 5 - No such file or directory\n");
        QTest::newRow("folder") << QStringList{"check", "sub.cfg"}
                                << QByteArray(
                                       "sub.cfg: Error: 5 - sub.cfg is a folder, not a file\n");
        QTest::newRow("folder as output")
            << QStringList{"format", "in.cfg", "-o", "sub.cfg"}
            << QByteArray("sub.cfg: Error: 5 - sub.cfg is a folder, not a file\n");
        QTest::newRow("output in a missing folder")
            << QStringList{"format", "in.cfg", "-o", "none/out.cfg"}
            << QByteArray("none/out.cfg: Error: 5 - No such file or directory\n");
        QTest::newRow("missing exchange file")
            << QStringList{"import", "in.cfg", "none.cfg", "-o", "out.cfg"}
            << QByteArray("none.cfg: Error: 5 - No such file or directory\n");
        QTest::newRow("UTF-16 text, which the game cannot read")
            << QStringList{"format", "utf16.cfg"}
            << QByteArray(
                   "utf16.cfg: The file could not be opened because it is saved as UTF-16 "
                   "text (\"Unicode\"), which the game cannot read. Save it as ANSI or "
                   "UTF-8.\n");
        QTest::newRow("export of no vehicle the file holds")
            << QStringList{"export", "in.cfg", "-o", "utf16.cfg", "NO_SUCH_CAR"}
            << QByteArray("wendrake: no vehicle named NO_SUCH_CAR in in.cfg\n");
        QTest::newRow("export into a folder")
            << QStringList{"export", "in.cfg", "-o", "sub.cfg", "TWIN_VAN"}
            << QByteArray("sub.cfg: Error: 5 - sub.cfg is a folder, not a file\n");
#ifdef Q_OS_UNIX
        if (::geteuid() != 0) {  // permissions do not stop root
            QTest::newRow("unreadable")
                << QStringList{"check", "locked/in.cfg"}
                << QByteArray("locked/in.cfg: Error: 5 - Permission denied\n");
            QTest::newRow("read-only file")
                << QStringList{"format", "in.cfg", "-o", "readonly.cfg"}
                << QByteArray(
                       "readonly.cfg: Error: 2 - Existing file readonly.cfg is not writable\n");
            QTest::newRow("read-only folder")
                << QStringList{"format", "in.cfg", "-o", "locked/out.cfg"}
                << QByteArray("locked/out.cfg: Error: 5 - Permission denied\n");
        }
#endif
    }
    void fileFailuresGetOneLine() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, err);
        copy("handling/problems.cfg", "in.cfg");
        copy("handling/utf16.cfg", "utf16.cfg");
        const QByteArray utf16 = contents(dir_.filePath("utf16.cfg"));
        QVERIFY(QDir(dir_.path()).mkpath("sub.cfg"));
        QVERIFY(QDir(dir_.path()).mkpath("locked"));
        copy("handling/problems.cfg", "locked/in.cfg");
        copy("handling/problems.cfg", "readonly.cfg");
        QVERIFY(QFile(dir_.filePath("readonly.cfg")).setPermissions(QFile::ReadOwner));
        QVERIFY(QFile(dir_.filePath("locked/in.cfg")).setPermissions({}));
        QVERIFY(QFile(dir_.filePath("locked")).setPermissions(QFile::ExeOwner));
        const QStringList before = QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden);
        const Run result = run(QStringList{args.front(), "--lang", "English"} + args.mid(1));
        QFile(dir_.filePath("locked"))
            .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(result.err, err);
        QCOMPARE(result.status, args.front() == "export" && !err.contains("Error") ? 1 : 2);
        QCOMPARE(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
        QCOMPARE(contents(dir_.filePath("utf16.cfg")), utf16);
        QVERIFY(QDir(dir_.filePath("sub.cfg")).isEmpty());
    }

    // A file name is the system's bytes, UTF-8 or not: a file named in
    // Latin-1 is read and named in the rows as it is.
    void fileNamesNeedNotBeUtf8() {
        const QByteArray name = "in\xC4.cfg";
        const QString source = copy("handling/problems.cfg", "latin1-name.cfg");
        QCOMPARE(::rename(QFile::encodeName(source).constData(),
                          (QFile::encodeName(dir_.path()) + "/" + name).constData()),
                 0);
        // QProcess passes its arguments as text; the shell passes the bytes.
        const Run result =
            runAs("/bin/sh", {"-c", "exec \"$0\" check --lang English \"$(printf 'in\\304.cfg')\"",
                              QStringLiteral(WENDRAKE_EXECUTABLE)});
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.status, 1);
        QVERIFY(result.out.startsWith(name + "\tSHORT_LINE\t"));
    }

    // The window's arguments go to the window's program beside the command
    // line; without it, one line names it.
    void theWindowsProgramMissingIsOneLine() {
        QVERIFY(QDir(dir_.path()).mkpath("alone"));
        const QString alone = dir_.filePath("alone/wendrake");
        QVERIFY(QFile::copy(QStringLiteral(WENDRAKE_EXECUTABLE), alone));
        const Run result = runAs(alone, {copy("handling/problems.cfg")});
        QCOMPARE(result.status, 2);
        QCOMPARE(result.err, "wendrake: cannot start the window, " +
                                 QFileInfo(alone).canonicalFilePath().toLocal8Bit() +
                                 "-window is missing\n");
        QVERIFY(result.out.isEmpty());
    }

    // Without a display the window is not tried: one line says why and
    // points to the commands, which need none.
    void noDisplayIsOneLine() {
        const Run result = run({copy("handling/problems.cfg")});
        QCOMPARE(result.status, 2);
        QVERIFY2(result.err.startsWith("wendrake: no display to show the window on"),
                 result.err.constData());
        QCOMPARE(result.err.count('\n'), 1);
    }

    // Warnings only ever add lines: the lines of a check without them are
    // those with them less the marked ones, and the exit status is the same.
    void warningsOnlyAddMarkedLines_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("language");
        QTest::addColumn<QByteArray>("mark");
        QStringList everyFile;
        for (const QString& folder :
             {QStringLiteral(WENDRAKE_SAMPLES) + "/", QStringLiteral(WENDRAKE_TEST_DATA) + "/dat/",
              QStringLiteral(WENDRAKE_TEST_DATA) + "/handling/",
              QStringLiteral(WENDRAKE_TEST_DATA) + "/ide/"}) {
            for (const QString& name : QDir(folder).entryList(QDir::Files)) {
                everyFile << folder + name;
            }
        }
        // One run over every file: each file's lines stand apart by its name.
        QTest::newRow("every file, in English")
            << everyFile << "English" << QByteArray("\tWarning: ");
        QTest::newRow("every file, in German")
            << everyFile << "Deutsch" << QByteArray("\tWarnung: ");
    }
    void warningsOnlyAddMarkedLines() {
        QFETCH(QStringList, files);
        QFETCH(QString, language);
        QFETCH(QByteArray, mark);
        const Run plain = run(QStringList{"check", "--lang", language} + files);
        const Run warned = run(QStringList{"check", "--warnings", "--lang", language} + files);
        QCOMPARE(warned.status, plain.status);
        QCOMPARE(warned.err, plain.err);
        QByteArray unmarked;
        for (const QByteArray& line : warned.out.split('\n')) {
            if (!line.isEmpty() && !line.contains(mark)) {
                unmarked += line + '\n';
            }
        }
        QCOMPARE(unmarked, plain.out);
    }

    // A value outside the range beside its box is one warning row, and
    // leaves the exit status 0.
    void aValueOutsideItsRangeIsOneWarning() {
        QByteArray values = kValues;
        values.replace(" 20.0 R ", " 2.0 R ");  // the acceleration inside its range
        values.replace(" 12345.0 ", " 60000 ");
        values.replace(" 0.2 1.0 ", " -0.2 1.0 ");  // a range open above
        const QString handling = dir_.filePath("handling.cfg");
        QVERIFY(writeBytes(handling, "CAR" + values));
        const Run warned = run({"check", "--warnings", "--lang", "English", handling});
        QCOMPARE(warned.status, 0);
        const QByteArray row = handling.toLocal8Bit() + "\tCAR\t";
        QCOMPARE(warned.out,
                 row + "Mass (kg)\tWarning: Outside the usual range (1.0 to 50000.0): 60000\n" +
                     row + "Ped seat offset\tWarning: Outside the usual range (>= 0.0): -0.2\n");
    }

    // Named together, a handling file and a vehicle definition file are
    // compared by handling ID, exactly: a car without its line is an error
    // (other vehicle kinds need none), a line without a definition a warning.
    void handlingAndDefinitionsAreCompared() {
        const QString handling = dir_.filePath("handling.cfg");
        QVERIFY(writeBytes(handling, "USED" + kValues + "SPARE" + kValues));
        const QString definitions = dir_.filePath("default.ide");
        QVERIFY(writeBytes(definitions,
                           "cars\r\n"
                           "1, a, a, car, USED, A, normal, 10, 7, 0\r\n"
                           "2, b, b, car, LOST, B, normal, 10, 7, 0\r\n"
                           "3, b, b, Car, used, C, normal, 10, 7, 0\r\n"
                           "4, d, d, boat, SHIP, D, normal, 10, 7, 0\r\n"
                           "end\r\n"));
        QCOMPARE(run({"check", "--lang", "English", definitions}).status, 0);
        // The acceleration of kValues lies outside its range.
        const QByteArray rows = run({"check", "--lang", "English", "--warnings", handling}).out;
        const Run plain = run({"check", "--lang", "English", handling, definitions});
        QCOMPARE(plain.status, 1);
        const QByteArray missing = definitions.toLocal8Bit() + "\tLOST\tHandling ID\t" +
                                   "No line of the handling file has this handling ID\n" +
                                   definitions.toLocal8Bit() + "\tused\tHandling ID\t" +
                                   "No line of the handling file has this handling ID\n";
        QCOMPARE(plain.out, missing);

        const Run warned = run({"check", "--warnings", "--lang", "English", handling, definitions});
        QCOMPARE(warned.status, 1);
        QCOMPARE(warned.out,
                 rows + definitions.toLocal8Bit() +
                     "\tLOST\tModel name\tWarning: This model name stands more than once in the "
                     "file: b\n" +
                     missing + handling.toLocal8Bit() +
                     "\tSPARE\t\tWarning: No vehicle definition uses this line\n");
    }

    // What Save writes after opening; the line-end repair happens in memory.
    // (scripts/test formats every sample and test file twice.)
    void formatWritesWhatSaveWrites() {
        const QString plain = copy("handling/plain.cfg");
        QCOMPARE(run({"format", plain}).status, 0);
        const QByteArray formatted = contents(plain);
        QVERIFY(formatted.startsWith("; File created with Wendrake V" +
                                     QByteArray(kProgramVersion.data(), kProgramVersion.size()) +
                                     "\r\n"));

        const QString lfOnly = copy("handling/lf_only.cfg");
        const QString out = dir_.filePath("out.cfg");
        QCOMPARE(run({"format", lfOnly, "-o", out}).status, 0);
        QCOMPARE(contents(out), formatted);
        QCOMPARE(contents(lfOnly), contents(kTestData + "handling/lf_only.cfg"));

        const QString folder = dir_.filePath("folder.cfg");
        QVERIFY(QDir().mkpath(folder));
        const Run failed = run({"format", plain, "-o", folder});
        QCOMPARE(failed.status, 2);
        QVERIFY(failed.err.startsWith(folder.toLocal8Bit() + ": Error: "));
        QVERIFY(QFileInfo(folder).isDir());
    }

    // `-o /dev/stdout` writes where the shell sends standard output, in its
    // mode: appended to a log, or into a pipe.
    void formatToStandardOutput_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QByteArray>("before");
        QTest::newRow("appended")
            << "echo kept > out; exec \"$0\" format \"$1\" -o /dev/stdout >> out"
            << QByteArray("kept\n");
        QTest::newRow("piped") << "\"$0\" format \"$1\" -o /dev/stdout | cat > out" << QByteArray();
    }
    void formatToStandardOutput() {
        QFETCH(QString, script);
        QFETCH(QByteArray, before);
        const QString plain = copy("handling/plain.cfg");
        const QString formatted = dir_.filePath("formatted.cfg");
        QCOMPARE(run({"format", plain, "-o", formatted}).status, 0);
        const Run result =
            runAs("/bin/sh", {"-c", script, QStringLiteral(WENDRAKE_EXECUTABLE), plain});
        QCOMPARE(result.err, QByteArray());
        QCOMPARE(result.status, 0);
        QCOMPARE(contents(dir_.filePath("out")), before + contents(formatted));
    }

    // A mistake on the command line gets one line on standard error and
    // status 2, before any window or file is touched.
    void badInvocationsGetOneLine_data() {
        QTest::addColumn<QStringList>("args");
        const QString plain = copy("handling/plain.cfg");
        QTest::newRow("no command, no file") << QStringList{"bogus"};
        QTest::newRow("a file that is not there") << QStringList{dir_.filePath("missing.cfg")};
        QTest::newRow("unknown option for the window") << QStringList{plain, "--bogus"};
        QTest::newRow("an option of another command") << QStringList{"check", "-o", "x", plain};
        QTest::newRow("option without its value") << QStringList{"format", plain, "--lang"};
        QTest::newRow("format of two files") << QStringList{"format", plain, plain};
        QTest::newRow("export without a name") << QStringList{"export", plain, "-o", "x.cfg"};
        QTest::newRow("-o twice") << QStringList{"import", plain, plain, "-o", "a", "-o", "b"};
        QTest::newRow("help of no command") << QStringList{"help", "bogus"};
        QTest::newRow("unknown language") << QStringList{"check", "--lang", "Klingon", plain};
        QTest::newRow("export over the file it reads")
            << QStringList{"export", plain, "-o", plain, "ZEPHYR"};
        QFile::link(plain, dir_.filePath("link.cfg"));
        QTest::newRow("export over it through a link")
            << QStringList{"export", plain, "-o", dir_.filePath("link.cfg"), "ZEPHYR"};
        QTest::newRow("import over an exchange file it reads")
            << QStringList{"import", copy("handling/plain.cfg", "other.cfg"), plain, "-o", plain};
    }

    void badInvocationsGetOneLine() {
        QFETCH(QStringList, args);
        const QByteArray before = contents(dir_.filePath("plain.cfg"));
        const Run result = run(args);
        QCOMPARE(result.status, 2);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.startsWith("wendrake: ") && result.err.count('\n') == 1,
                 result.err.constData());
        QCOMPARE(contents(dir_.filePath("plain.cfg")), before);
        QVERIFY(!QFileInfo::exists(dir_.filePath("x.cfg")) &&
                !QFileInfo::exists(dir_.filePath("a")));
    }

    void helpVersionAndDoubleDashEverywhere_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("output");
        QTest::newRow("-h of export")
            << QStringList{"export", "-h"} << 0 << QByteArray("wendrake export ");
        QTest::newRow("--version of format")
            << QStringList{"format", "--version"} << 0 << versionLine();
        QTest::newRow("--version of the window")
            << QStringList{copy("handling/plain.cfg"), "-v"} << 0 << versionLine();
        copy("handling/problems.cfg", "-p.cfg");  // in the working folder
        QTest::newRow("-- ends the options")
            << QStringList{"check", "--lang", "English", "--", "-p.cfg"} << 1
            << QByteArray("\tBAD_MASS\tMass (kg)\t");
    }

    void helpVersionAndDoubleDashEverywhere() {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QByteArray, output);
        const Run result = run(args);
        QCOMPARE(result.status, status);
        QVERIFY2(result.out.contains(output), result.out.constData());
    }

    // Every command answers in the language of --lang; without it, in the
    // remembered one (checkReportsRowsAndNeverChangesTheFile), else in the
    // locale's (LC_ALL, LC_MESSAGES, LANG, the first one set counts). Every
    // command takes the language from the same code: check is run with every
    // choice, the others with --lang against the locale and the locale alone.
    void everyCommandSpeaksTheChosenLanguage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("english");
        QTest::addColumn<QByteArray>("german");
        const QString shortIde = dir_.filePath("short.ide");
        QVERIFY(writeBytes(shortIde, "cars\r\n1, m, t\r\nend\r\n"));
        const QString shortLine = dir_.filePath("short-line.cfg");
        QVERIFY(writeBytes(shortLine, "SHORT 1500.0 2.0\r\n"));
        const QString out = dir_.filePath("language-out.cfg");
        QTest::newRow("check") << QStringList{"check", copy("handling/problems.cfg")}
                               << QByteArray("\tMass (kg)\t") << QByteArray("\tGewicht (kg)\t");
        const QByteArray unreadableEnglish = "The file could not be opened";
        const QByteArray unreadableGerman = "Die Datei konnte nicht geladen werden";
        QTest::newRow("format") << QStringList{"format", shortIde} << unreadableEnglish
                                << unreadableGerman;
        QTest::newRow("export") << QStringList{"export", shortIde, "-o", out, "CAR"}
                                << unreadableEnglish << unreadableGerman;
        QTest::newRow("import") << QStringList{"import", copy("handling/plain.cfg"), shortLine,
                                               "-o", out}
                                << QByteArray("Wrong number of values")
                                << QByteArray("Falsche Anzahl von Werten");
    }

    void everyCommandSpeaksTheChosenLanguage() {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, english);
        QFETCH(QByteArray, german);
        QFile::remove(config_.filePath("Wendrake/Wendrake.conf"));  // no remembered language
        const QStringList english_ = {"--lang", "English"};
        const QStringList german_ = {"--lang", "Deutsch"};
        const Environment de = {{"LANG", "de_DE.UTF-8"}};
        const struct {
            QStringList options;
            Environment env;
            QByteArray expected;
        } choices[] = {
            {english_, de, english},
            {german_, {}, german},
            {{}, {}, english},
            {{}, de, german},
            {{}, {{"LANG", "en_US.UTF-8"}, {"LC_ALL", "de_AT.UTF-8"}}, german},
            {{}, {{"LANG", "de_DE.UTF-8"}, {"LC_MESSAGES", "C"}}, english},
        };
        const bool everyChoice = args.first() == QLatin1String("check");
        for (const auto& choice : choices) {
            if (!everyChoice && &choice != &choices[0] && &choice != &choices[3]) {
                continue;
            }
            QStringList withOptions = args;
            for (qsizetype k = choice.options.size(); k-- > 0;) {
                withOptions.insert(1, choice.options[k]);
            }
            const Run result = run(withOptions, choice.env);
            const QByteArray said = result.out + result.err;
            QVERIFY2(said.contains(choice.expected),
                     (withOptions.join(' ') + " said: " + said).toLocal8Bit().constData());
        }
    }

    // Names are bytes of the file: one typed in a UTF-8 terminal is found by
    // its Latin-1 bytes, one passed as the file's own bytes as it is. A name
    // the file does not hold makes the status 1.
    void exportFindsNamesInBothSpellings_data() {
        QTest::addColumn<QByteArray>("name");  // a printf format
        QTest::addColumn<int>("status");
        QTest::newRow("typed in UTF-8") << QByteArray("K\\303\\204FER") << 0;
        QTest::newRow("the file's own byte") << QByteArray("K\\304FER") << 0;
        QTest::newRow("not in the file") << QByteArray("KAEFER") << 1;
    }

    void exportFindsNamesInBothSpellings() {
#ifdef Q_OS_WIN
        QSKIP("needs a POSIX shell to pass bytes that are not UTF-8");
#endif
        QFETCH(QByteArray, name);
        QFETCH(int, status);
        const QString handling = dir_.filePath("eight-bit.cfg");
        QVERIFY(writeBytes(handling, "CAR" + kValues +
                                         "K\xC4"
                                         "FER" +
                                         kValues));
        const QString out = dir_.filePath("exchange.cfg");
        const Run result =
            runAs("/bin/sh", {"-c", "exec \"$0\" export \"$1\" -o \"$2\" CAR \"$(printf \"$3\")\"",
                              WENDRAKE_EXECUTABLE, handling, out, name});
        QCOMPARE(result.status, status);
        QCOMPARE(contents(out).contains("\r\nK\xC4"
                                        "FER "),
                 status == 0);
        QVERIFY(contents(out).contains("\r\nCAR "));
        QCOMPARE(result.err.isEmpty(), status == 0);
    }

    // The manual page describes everything --help offers.
    // A vehicle named twice is exported once, or importing the file would
    // bring a repeated name.
    void exportWritesANameGivenTwiceOnce() {
        const QString handling = dir_.filePath("twice.cfg");
        QVERIFY(writeBytes(handling, "CAR" + kValues));
        const QString out = dir_.filePath("exchange.cfg");
        QCOMPARE(run({"export", handling, "-o", out, "CAR", "CAR"}).status, 0);
        QCOMPARE(contents(out).count("\r\nCAR "), 1);
    }

    void manPageNamesEveryCommandAndOption() {
        QFile page(QStringLiteral(WENDRAKE_MAN_PAGE));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString manual = QString::fromUtf8(page.readAll()).replace("\\-", "-");
        const QString help = QString::fromUtf8(run({"--help"}).out);
        QStringList named;
        for (const auto& match :
             QRegularExpression("^  wendrake ([a-z]+)", QRegularExpression::MultilineOption)
                 .globalMatch(help)) {
            named << match.captured(1);
        }
        for (const auto& match :
             QRegularExpression("(?<![\\w-])--?[a-z][a-z-]*").globalMatch(help)) {
            named << match.captured(0);
        }
        named.removeDuplicates();
        QVERIFY(named.size() > 10);
        for (const QString& word : named) {
            const QRegularExpression inManual("(?<![\\w-])" + QRegularExpression::escape(word) +
                                              "(?![\\w-])");
            QVERIFY2(manual.contains(inManual), qPrintable(word));
        }
    }

    // Keeping the layout, format leaves an unchanged file's bytes, and import
    // adds the vehicles after the last vehicle line and changes nothing else.
    void keepLayoutLeavesEveryOtherLine() {
        const QString plain = copy("handling/plain.cfg");
        const QByteArray before = contents(plain);
        QCOMPARE(run({"format", "--keep-layout", plain}).status, 0);
        QCOMPARE(contents(plain), before);

        const QString exchange = dir_.filePath("one.cfg");
        const QByteArray nova =
            "NOVA           12345.0 2.0 1.4 4.5 0.0 0.1 -0.2 70 1.1 0.8 0.5 5 120.0 20.0 R P 6.0 "
            "0.55 1 35.0 1.2 0.1 0.2 1.0  25000 0.3 -0.2 0.5 0022 2 3";
        QVERIFY(writeBytes(exchange, nova + "\r\n"));
        const QString out = dir_.filePath("imported.cfg");
        QCOMPARE(run({"import", "--keep-layout", plain, exchange, "-o", out}).status, 0);
        QByteArray expected = before;
        expected.insert(expected.indexOf(";\r\n;the end"), nova + "\r\n");
        QCOMPARE(contents(out), expected);
    }

    // The command line and the windows run the same code: for the same
    // choices they must write the same bytes.
    void exportAndImportWriteWhatTheWindowsWrite() {
        WindowSession s;
        s.open("handling/problems.cfg", "source.cfg");
        s.window.exportVehicles();
        ExportDialog* exporter = s.window.findChild<ExportDialog*>();
        for (const char* name : {"TWIN_VAN", "CAR"}) {  // TWIN_VAN stands twice in the file
            exporter->findChild<QListWidget*>("lst1")
                ->findItems(name, Qt::MatchExactly)
                .first()
                ->setSelected(true);
        }
        exporter->addChosen();
        const QString byWindow = s.dir.filePath("window-exchange.cfg");
        s.desktop.saveChoices.enqueue(byWindow);
        exporter->exportChosen();
        const QString source = copy("handling/problems.cfg");
        const QString byCommand = dir_.filePath("command-exchange.cfg");
        QCOMPARE(run({"export", source, "-o", byCommand, "CAR", "TWIN_VAN"}).status, 0);
        QVERIFY(contents(byWindow).contains("; Author: Jo Tester\r\n"));
        QCOMPARE(contents(byCommand), contents(byWindow));
        QCOMPARE(run({"export", source, "CAR"}).status, 2);  // no -o

        // Import of that exchange file with a short line added, then Save.
        QVERIFY(writeBytes(byCommand, contents(byCommand) + "EXTRA_SHORT 1500.0 2.0\r\n"));
        const QString windowTarget = s.open("handling/plain.cfg", "window-target.cfg");
        s.desktop.openChoices.enqueue(OpenDialogChoice{byCommand, 1});
        s.desktop.choices.enqueue(1);  // keep both, as the command line does by default
        s.window.importVehicles();
        s.window.save();
        const QString commandTarget = copy("handling/plain.cfg", "command-target.cfg");
        const Run imported = run({"import", commandTarget, byCommand});
        QCOMPARE(imported.status, 1);  // the short line is reported
        QVERIFY(imported.err.startsWith(byCommand.toLocal8Bit() + "\tEXTRA_SHORT\t\t"));
        QVERIFY(imported.err.contains(": 3 "));
        // ... and so is TWIN_VAN, which now stands twice.
        QCOMPARE(imported.err.count('\n'), 2);
        QVERIFY(contents(windowTarget).contains("TWIN_VAN "));
        QCOMPARE(contents(commandTarget), contents(windowTarget));

        const QByteArray before = contents(commandTarget);
        const QString out = dir_.filePath("merged.cfg");
        QCOMPARE(run({"import", commandTarget, byCommand, "-o", out}).status, 1);
        QCOMPARE(contents(commandTarget), before);
        QCOMPARE(contents(out).count("TWIN_VAN "), 4);  // every import appends again
    }

  private:
    Run run(const QStringList& args, const Environment& extra = {}) {
        return runAs(QStringLiteral(WENDRAKE_EXECUTABLE), args, extra);
    }
    // Without a display, and in the C locale unless `extra` sets one.
    Run runAs(const QString& program, const QStringList& args, const Environment& extra = {}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", config_.path());
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANG", "LC_ALL",
                                 "LC_MESSAGES", "LANGUAGE"}) {
            env.remove(name);
        }
        for (auto it = extra.begin(); it != extra.end(); ++it) {
            env.insert(it.key(), it.value());
        }
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(dir_.path());
        process.start(program, args);
        if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
            return {};
        }
        return {process.exitCode(), process.readAllStandardOutput(),
                process.readAllStandardError()};
    }
    QString copy(const QString& fixture, const QString& as = {}) {
        return copyTestFile(fixture, dir_.path(), as);
    }

    QTemporaryDir dir_;
    QTemporaryDir config_;
};

QTEST_MAIN(CommandLineTests)
#include "tst_cli.moc"
