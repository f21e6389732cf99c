#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString kHandlingData = QStringLiteral(WENDRAKE_TEST_DATA "/handling/");

struct Run {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class CommandLineTests : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void versionAndHelp();
    void checkReportsRowsAndStatus();
    void checkFailsPerFileWithTheEditorsMessage_data();
    void checkFailsPerFileWithTheEditorsMessage();
    void checkNeverChangesTheFile();
    void formatWritesWhatSaveWritesAndIsStable();
    void formatOfAnUnreadableTargetKeepsTheFile();
    void exportAndImportCarryVehiclesBetweenFiles();

  private:
    Run run(const QStringList& args);
    QString copy(const QString& fixture, const QString& as = {});
    QTemporaryDir dir_;
    QTemporaryDir config_;
};

void CommandLineTests::init() {
    QVERIFY(dir_.isValid());
}

Run CommandLineTests::run(const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config_.path());
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(WENDRAKE_EXECUTABLE), args);
    if (!process.waitForFinished(30000)) {
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}

QString CommandLineTests::copy(const QString& fixture, const QString& as) {
    const QString target = dir_.filePath(as.isEmpty() ? fixture : as);
    QFile::remove(target);
    QFile::copy(kHandlingData + fixture, target);
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

void CommandLineTests::versionAndHelp() {
    const Run version = run({"--version"});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out, QByteArray("Wendrake 2.0.0\n"));
    const Run help = run({"--help"});
    QCOMPARE(help.status, 0);
    for (const char* command : {"check", "format", "--lang", "-o"}) {
        QVERIFY2(help.out.contains(command), command);
    }
}

void CommandLineTests::checkReportsRowsAndStatus() {
    const QString clean = copy("plain.cfg");
    const Run good = run({"check", clean});
    QCOMPARE(good.status, 0);
    QVERIFY(good.out.isEmpty());

    const QString problems = copy("problems.cfg");
    const Run bad = run({"check", "--lang", "English", clean, problems});
    QCOMPARE(bad.status, 1);
    const QList<QByteArray> rows = bad.out.split('\n');
    QCOMPARE(rows.size(), 6);  // five rows and the empty text after the last line end
    QCOMPARE(rows[0], problems.toLocal8Bit() +
                          "\tSHORT_LINE\t\tWrong number of values: 31 values found, 32 expected");
    QCOMPARE(rows[3], problems.toLocal8Bit() + "\tBAD_MASS\tMass (kg)\tMust be a number");

    const Run german = run({"check", "--lang", "Deutsch", problems});
    QCOMPARE(german.status, 1);
    QVERIFY(german.out.contains("\tGewicht (kg)\t"));

    // Without --lang the remembered language is used.
    QDir(config_.path()).mkpath("Wendrake");
    QFile settings(config_.path() + "/Wendrake/Wendrake.conf");
    QVERIFY(settings.open(QIODevice::WriteOnly));
    settings.write("[Settings]\nLanguage=Deutsch\n");
    settings.close();
    QCOMPARE(run({"check", problems}).out, german.out);
}

void CommandLineTests::checkFailsPerFileWithTheEditorsMessage_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("message");
    QTest::newRow("missing") << "missing.cfg" << QByteArray(": Error: ");
    QTest::newRow("unknown type") << "plain.txt" << QByteArray(": Error: Filetype unknown!\n");
    QTest::newRow("capital extension") << "PLAIN.CFG" << QByteArray(": Error: Filetype unknown!\n");
}

void CommandLineTests::checkFailsPerFileWithTheEditorsMessage() {
    QFETCH(QString, name);
    QFETCH(QByteArray, message);
    const QString path = name == "missing.cfg" ? dir_.filePath(name) : copy("problems.cfg", name);
    const QString good = copy("plain.cfg");
    const Run result = run({"check", path, good});
    QCOMPARE(result.status, 2);
    QVERIFY(result.out.isEmpty());
    QVERIFY2(result.err.startsWith(path.toLocal8Bit() + message), result.err.constData());
    QCOMPARE(result.err.count('\n'), 1);
}

void CommandLineTests::checkNeverChangesTheFile() {
    const QString path = copy("lf_only.cfg");
    const QByteArray before = contents(path);
    QCOMPARE(run({"check", path}).status, 0);
    QCOMPARE(contents(path), before);
}

void CommandLineTests::formatWritesWhatSaveWritesAndIsStable() {
    // Line ends are repaired in memory: all three variants give one text.
    const QString plain = copy("plain.cfg");
    const QString out = dir_.filePath("out.cfg");
    QCOMPARE(run({"format", plain, "-o", out}).status, 0);
    const QByteArray formatted = contents(out);
    QVERIFY(formatted.startsWith("; File created with Wendrake V2.0.0\r\n"));
    for (const char* variant : {"lf_only.cfg", "cr_only.cfg"}) {
        const QString path = copy(variant);
        const QByteArray before = contents(path);
        QCOMPARE(run({"format", path, "-o", out}).status, 0);
        QCOMPARE(contents(out), formatted);
        QCOMPARE(contents(path), before);
    }

    // In place, twice: the second run changes nothing.
    QCOMPARE(run({"format", plain}).status, 0);
    QCOMPARE(contents(plain), formatted);
    QCOMPARE(run({"format", plain}).status, 0);
    QCOMPARE(contents(plain), formatted);
}

void CommandLineTests::formatOfAnUnreadableTargetKeepsTheFile() {
    const QString input = copy("plain.cfg");
    const QString folder = dir_.filePath("folder.cfg");
    QVERIFY(QDir().mkpath(folder));
    const Run result = run({"format", input, "-o", folder});
    QCOMPARE(result.status, 2);
    QVERIFY(result.err.startsWith(folder.toLocal8Bit() + ": Error: "));
    QVERIFY(QFileInfo(folder).isDir());

    const Run usage = run({"format"});
    QCOMPARE(usage.status, 2);
    QVERIFY(usage.err.contains("Usage:"));
}

void CommandLineTests::exportAndImportCarryVehiclesBetweenFiles() {
    const QString source = copy("problems.cfg");
    const QString exchange = dir_.filePath("exchange.cfg");
    const Run exported = run({"export", source, "-o", exchange, "TUNED_GT", "SHORT_LINE"});
    QCOMPARE(exported.status, 0);
    const QList<QByteArray> lines = contents(exchange).split('\n');
    QCOMPARE(lines.size(), 17);  // 16 lines and the empty text after the last line end
    QCOMPARE(lines[2], QByteArray("; Author: Jo Tester\r"));
    QVERIFY(lines[12].startsWith("TUNED_GT        1250.0 "));
    QCOMPARE(lines[15], QByteArray(";the end\r"));
    QCOMPARE(run({"export", source, "TUNED_GT"}).status, 2);  // no -o

    QFile appended(exchange);
    QVERIFY(appended.open(QIODevice::Append));
    appended.write("EXTRA_SHORT 1500.0 2.0\r\n");
    appended.close();

    const QString target = copy("plain.cfg");
    const QByteArray before = contents(target);
    const QString out = dir_.filePath("merged.cfg");
    const Run imported = run({"import", target, exchange, "-o", out});
    QCOMPARE(imported.status, 1);  // the short line is reported
    QVERIFY(imported.err.startsWith(exchange.toLocal8Bit() + "\tEXTRA_SHORT\t\t"));
    QVERIFY(imported.err.contains(": 3 "));
    QCOMPARE(imported.err.count('\n'), 1);
    QCOMPARE(contents(target), before);
    const QByteArray merged = contents(out);
    QVERIFY(merged.indexOf("SHORT_LINE ") > merged.indexOf("MULE "));
    QVERIFY(merged.indexOf("TUNED_GT ") > merged.indexOf("SHORT_LINE "));

    // In place, and a second time: every import appends again.
    QCOMPARE(run({"import", target, exchange, exchange}).status, 1);
    QCOMPARE(contents(target).count("TUNED_GT "), 2);
}

QTEST_GUILESS_MAIN(CommandLineTests)
#include "tst_cli.moc"
