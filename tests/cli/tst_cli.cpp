#include <QtTest>

#include <QProcess>

#include "support/WindowSession.h"
#include "ui/frmExport.h"

using namespace wendrake;
using namespace wendrake::testing;

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

}  // namespace

// The command line, run as a program without a display.
class CommandLineTests : public QObject {
    Q_OBJECT
  private slots:
    void versionAndHelp() {
        const Run version = run({"--version"});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, QByteArray("Wendrake 2.0.0\n"));
        const Run help = run({"--help"});
        QCOMPARE(help.status, 0);
        for (const char* command :
             {"check", "format", "export", "import", "--lang", "-o", "--keep-layout"}) {
            QVERIFY2(help.out.contains(command), command);
        }
    }

    void checkReportsRowsAndNeverChangesTheFile() {
        const QString clean = copy("handling/lf_only.cfg");
        const QByteArray before = contents(clean);
        const Run good = run({"check", clean});
        QCOMPARE(good.status, 0);
        QVERIFY(good.out.isEmpty());
        QCOMPARE(contents(clean), before);  // the line ends are repaired in memory only

        const QString problems = copy("handling/problems.cfg");
        const Run bad = run({"check", "--lang", "English", clean, problems});
        QCOMPARE(bad.status, 1);
        const QList<QByteArray> rows = bad.out.split('\n');
        QCOMPARE(rows.size(), 7);  // six rows and the empty text after the last line end
        QCOMPARE(rows[0],
                 problems.toLocal8Bit() +
                     "\tSHORT_LINE\t\tWrong number of values: 31 values found, 32 expected");
        QCOMPARE(rows[3], problems.toLocal8Bit() + "\tBAD_MASS\tMass (kg)\tMust be a number");
        QCOMPARE(rows[5], problems.toLocal8Bit() +
                              "\tTWIN_VAN\t\tThis name stands more than once in the file");

        const Run german = run({"check", "--lang", "Deutsch", problems});
        QCOMPARE(german.status, 1);
        QVERIFY(german.out.contains("\tGewicht (kg)\t"));

        // Without --lang the remembered language is used.
        QVERIFY(QDir(config_.path()).mkpath("Wendrake"));
        QVERIFY(writeBytes(config_.filePath("Wendrake/Wendrake.conf"),
                           "[Settings]\nLanguage=Deutsch\n"));
        QCOMPARE(run({"check", problems}).out, german.out);
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
        const Run result = run({"check", "--lang", "English", copy("handling/problems.cfg")}, link);
        QCOMPARE(result.status, 1);
        QVERIFY2(result.out.contains("\tBAD_MASS\tMass (kg)\tMust be a number\n"),
                 result.err.constData());
    }

    void checkFailsPerFileWithTheEditorsMessage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("missing") << "missing.cfg" << QByteArray(": Error: ");
        QTest::newRow("unknown type") << "plain.txt" << QByteArray(": Error: Filetype unknown!\n");
    }

    void checkFailsPerFileWithTheEditorsMessage() {
        QFETCH(QString, name);
        QFETCH(QByteArray, message);
        const QString path =
            name == "missing.cfg" ? dir_.filePath(name) : copy("handling/problems.cfg", name);
        const Run result = run({"check", path, copy("handling/plain.cfg")});
        QCOMPARE(result.status, 2);
        QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.startsWith(path.toLocal8Bit() + message), result.err.constData());
        QCOMPARE(result.err.count('\n'), 1);
    }

    // What Save writes after opening; the line-end repair happens in memory.
    // (scripts/test formats every sample and test file twice.)
    void formatWritesWhatSaveWrites() {
        const QString plain = copy("handling/plain.cfg");
        QCOMPARE(run({"format", plain}).status, 0);
        const QByteArray formatted = contents(plain);
        QVERIFY(formatted.startsWith("; File created with Wendrake V2.0.0\r\n"));

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

        const Run usage = run({"format"});
        QCOMPARE(usage.status, 2);
        QVERIFY(usage.err.contains("Usage:"));
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
        s.window.cmdExportCar_Click();
        frmExport* exporter = s.window.exportWindow;
        for (const char* name : {"TWIN_VAN", "CAR"}) {  // TWIN_VAN stands twice in the file
            exporter->lst1->findItems(name, Qt::MatchExactly).first()->setSelected(true);
        }
        exporter->cmdAdd_Click();
        const QString byWindow = s.dir.filePath("window-exchange.cfg");
        s.desktop.saveChoices.enqueue(byWindow);
        exporter->cmdExport_Click();
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
        s.window.cmdImportCar_Click();
        s.window.cmdSave_Click();
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
    Run run(const QStringList& args, const QString& program = QStringLiteral(WENDRAKE_EXECUTABLE)) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", config_.path());
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
            env.remove(name);
        }
        process.setProcessEnvironment(env);
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
