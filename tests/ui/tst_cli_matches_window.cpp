#include <QtTest>

#include <QProcess>
#include <QTemporaryDir>

#include "exchange/frmExport.h"
#include "support/ScriptedDesktop.h"
#include "ui/frmMain.h"

using namespace wendrake;

namespace {

const QString kHandlingData = QStringLiteral(WENDRAKE_TEST_DATA "/handling/");

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

// The command line and the windows run the same code: for the same choices
// they must write the same bytes.
class CommandLineMatchesWindowTests : public QObject {
    Q_OBJECT
  private slots:
    void exportAndImportWriteWhatTheWindowsWrite();

  private:
    QString copy(const QString& fixture, const QString& as);
    int run(const QStringList& args);
    QTemporaryDir dir_;
};

QString CommandLineMatchesWindowTests::copy(const QString& fixture, const QString& as) {
    const QString target = dir_.filePath(as);
    QFile::copy(kHandlingData + fixture, target);
    QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

int CommandLineMatchesWindowTests::run(const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(WENDRAKE_EXECUTABLE), args);
    return process.waitForFinished(30000) ? process.exitCode() : -1;
}

void CommandLineMatchesWindowTests::exportAndImportWriteWhatTheWindowsWrite() {
    ScriptedDesktop desktop;
    frmMain window(desktop, QStringLiteral(WENDRAKE_LANGUAGES "/"));
    QVERIFY(window.start());

    // Export of two vehicles, one of them standing twice in the file.
    const QString source = copy("problems.cfg", "source.cfg");
    window.openFile(source);
    window.cmdExportCar_Click();
    frmExport* exporter = window.exportWindow;
    QVERIFY(exporter);
    for (const char* name : {"TWIN_VAN", "CAR"}) {
        exporter->lst1->findItems(name, Qt::MatchExactly).first()->setSelected(true);
    }
    exporter->cmdAdd_Click();
    const QString byWindow = dir_.filePath("window-exchange.cfg");
    desktop.saveChoices.enqueue(byWindow);
    exporter->cmdExport_Click();
    const QString byCommand = dir_.filePath("command-exchange.cfg");
    QCOMPARE(run({"export", source, "-o", byCommand, "CAR", "TWIN_VAN"}), 0);
    QVERIFY(!contents(byWindow).isEmpty());
    QCOMPARE(contents(byCommand), contents(byWindow));

    // Import of that exchange file, then Save.
    const QString windowTarget = copy("plain.cfg", "window-target.cfg");
    const QString commandTarget = copy("plain.cfg", "command-target.cfg");
    window.openFile(windowTarget);
    desktop.openChoices.enqueue(OpenDialogChoice{byWindow, 1});
    window.cmdImportCar_Click();
    window.cmdSave_Click();
    QCOMPARE(run({"import", commandTarget, byWindow}), 0);
    QVERIFY(contents(windowTarget).contains("TWIN_VAN "));
    QCOMPARE(contents(commandTarget), contents(windowTarget));
}

QTEST_MAIN(CommandLineMatchesWindowTests)
#include "tst_cli_matches_window.moc"
