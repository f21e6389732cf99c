#include <QtTest>

#include <QTemporaryDir>

#include "model/DocumentFiles.h"
#include "platform/LanguageFiles.h"
#include "support/ScriptedDesktop.h"
#include "ui/frmMain.h"

using namespace wendrake;
using Kind = ScriptedDesktop::MessageKind;

namespace {

const QString kLanguages = QStringLiteral(WENDRAKE_LANGUAGES "/");
const QString kHandlingData = QStringLiteral(WENDRAKE_TEST_DATA "/handling/");

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A main window on a scripted desktop, with a copy of a fixture to work on.
struct Session {
    ScriptedDesktop desktop;
    frmMain window{desktop, kLanguages};
    QTemporaryDir dir;

    Session() {
        desktop.settings.insert(QStringLiteral("Settings/Language"), QStringLiteral("English"));
        window.start();
    }

    QString copy(const QString& fixture, const QString& as = {}) {
        const QString target = dir.filePath(as.isEmpty() ? fixture : as);
        QFile::copy(kHandlingData + fixture, target);
        QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return target;
    }

    void open(const QString& path, int filter = 1) {
        desktop.openChoices.enqueue(OpenDialogChoice{path, filter});
        window.cmdOpen_Click();
    }

    QString text(int number) const { return languageText(window.language(), number); }
    EditorDocument& document() { return window.document(); }
};

}  // namespace

class OpenSaveTests : public QObject {
    Q_OBJECT
  private slots:
    void startRemembersProgramAndLanguage();
    void startWithoutLanguageFileEnds();
    void cancelledOpenChangesNothing();
    void openFillsTheWindowAndRemembersTheChoice();
    void unsavedChangesAreAskedAbout();
    void missingFileKeepsTheLoadedDocument();
    void rejectedFileEndsWithNothingLoaded_data();
    void rejectedFileEndsWithNothingLoaded();
    void lineEndRepairWritesTheFileOrOpensFromMemory();
    void fileNamedAtStartOpensWithTheFilterOfItsName();
    void saveWritesTheFileAndCommits();
    void failedWriteLeavesFileAndDocument();
    void saveWithoutTheFileOnDiskWritesNothing();
    void saveAsAdoptsTheNewPath();
    void quittingWithUnsavedChangesAsks();
};

void OpenSaveTests::startRemembersProgramAndLanguage() {
    Session s;
    QCOMPARE(s.desktop.settings.value("Exe/Path"), kLanguages);
    QCOMPARE(s.desktop.settings.value("Exe/Version"), QStringLiteral("2.0.0"));
    QCOMPARE(s.window.cmbSprache->count(), 2);
    QCOMPARE(s.window.cmbSprache->currentText(), QStringLiteral("English"));
    QCOMPARE(s.window.cmdOpen->text(), s.text(8));
    QVERIFY(!s.window.cmdSave->isEnabled());
    QVERIFY(!s.window.FrameAutos->isEnabled());

    // Choosing a language applies it at once and remembers it.
    s.window.cmbSprache->setCurrentIndex(s.window.cmbSprache->findText("Deutsch"));
    s.window.cmbSprache_Click();
    QCOMPARE(s.window.cmdOpen->text(), QStringLiteral("Lade Datei"));
    QCOMPARE(s.desktop.settings.value("Settings/Language"), QStringLiteral("Deutsch"));
}

void OpenSaveTests::startWithoutLanguageFileEnds() {
    QTemporaryDir empty;
    ScriptedDesktop desktop;
    frmMain window(desktop, empty.path() + QLatin1Char('/'));
    QVERIFY(!window.start());
    QCOMPARE(desktop.texts(Kind::Notice),
             QStringList{"No language-file found! Please reinstall the application."});
}

void OpenSaveTests::cancelledOpenChangesNothing() {
    Session s;
    s.window.cmdOpen_Click();
    QCOMPARE(s.desktop.openRequests.size(), 1);
    QVERIFY(s.desktop.messages.isEmpty());
    QVERIFY(!s.desktop.settings.contains("Settings/OpenPath"));
    QVERIFY(!s.window.cmdSave->isEnabled());
}

void OpenSaveTests::openFillsTheWindowAndRemembersTheChoice() {
    Session s;
    const QString path = s.copy("plain.cfg");
    s.desktop.settings.insert("Settings/FileIndex", "1");
    s.desktop.settings.insert("Settings/OpenPath", path);
    s.open(path);

    const OpenDialogRequest& request = s.desktop.openRequests.first();
    QCOMPARE(request.title, s.text(13));
    QCOMPARE(request.initialFilter, 1);
    QCOMPARE(request.initialFile, path);
    QCOMPARE(request.filters.size(), 3);
    QCOMPARE(request.filters[2].patterns, (QStringList{"*.dat", "*.dat.backup"}));

    QVERIFY(s.desktop.messages.isEmpty());
    QCOMPARE(s.desktop.busyDepth, 0);
    QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), path);
    QCOMPARE(s.window.windowTitle(), "Zerrin PC-Version - CAR-Editor [" + path + "]");
    QStringList shown;
    for (int i = 0; i < s.window.cmbAutos->count(); ++i) {
        shown << s.window.cmbAutos->itemText(i);
    }
    QCOMPARE(shown, (QStringList{"ARROW", "BRISK", "MULE", "ZEPHYR"}));
    QCOMPARE(s.window.cmbAutos->currentIndex(), 0);
    const auto& current = s.document().HandlingRecords.at(s.document().CurrentHandling);
    QCOMPARE(QString::fromStdString(current.name()), QStringLiteral("ARROW"));
    QCOMPARE(s.window.SSTab1->txtAuthor->text(), QStringLiteral("Jo Tester"));
    QCOMPARE(s.window.SSTab1->txtDate->text(), QStringLiteral("2026-01-15"));
    QVERIFY(s.document().SavedFlag);
    QVERIFY(s.window.cmdSave->isEnabled());
    QVERIFY(s.window.cmdSaveAs->isEnabled());
    QVERIFY(s.window.FrameAutos->isEnabled());

    // Picking another vehicle changes the current record, never the flag.
    s.window.cmbAutos->setCurrentIndex(3);
    QCOMPARE(s.document().HandlingRecords.at(s.document().CurrentHandling).name(),
             std::string("ZEPHYR"));
    QVERIFY(s.document().SavedFlag);
}

void OpenSaveTests::unsavedChangesAreAskedAbout() {
    Session s;
    const QString path = s.copy("plain.cfg");
    s.open(path);
    s.window.SSTab1->txtAuthor->setText("Someone else");
    QVERIFY(!s.document().SavedFlag);

    s.desktop.answers.enqueue(false);
    s.window.cmdOpen_Click();
    QCOMPARE(s.desktop.texts(Kind::Question), QStringList{s.text(118)});
    QCOMPARE(s.desktop.openRequests.size(), 1);  // only the first open showed the dialog
    QCOMPARE(s.document().Author, std::string("Someone else"));

    s.desktop.answers.enqueue(true);
    s.open(path);
    QCOMPARE(s.desktop.openRequests.size(), 2);
    QCOMPARE(s.document().Author, std::string("Jo Tester"));
    QVERIFY(s.document().SavedFlag);
}

void OpenSaveTests::missingFileKeepsTheLoadedDocument() {
    Session s;
    const QString path = s.copy("plain.cfg");
    s.open(path);
    const QString gone = s.dir.filePath("gone.cfg");
    s.open(gone);
    QCOMPARE(s.desktop.texts(Kind::Notice), QStringList{s.text(12)});
    QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), gone);
    QCOMPARE(QString::fromStdString(s.document().FilePath), path);
    QCOMPARE(s.window.cmbAutos->count(), 4);

    s.window.SSTab1->txtDate->setText("2027-01-01");
    s.window.cmdSave_Click();
    QVERIFY(contents(path).contains("; Created 2027-01-01\r\n"));
    QVERIFY(!QFile::exists(gone));
}

void OpenSaveTests::rejectedFileEndsWithNothingLoaded_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QString>("notice");
    QTest::newRow("cfg with the vehicle filter") << "a.cfg" << 2 << "Error: Filetype unknown!";
    QTest::newRow("capital extension") << "A.CFG" << 1 << "Error: Filetype unknown!";
    QTest::newRow("vehicle line with too few values") << "default.ide" << 2 << "";
    QTest::newRow("no vehicle in it") << "empty.cfg" << 1 << "Error: 380 - ";
}

void OpenSaveTests::rejectedFileEndsWithNothingLoaded() {
    QFETCH(QString, name);
    QFETCH(int, filter);
    QFETCH(QString, notice);
    Session s;
    s.open(s.copy("plain.cfg"));
    const QString rejected = s.dir.filePath(name);
    const QByteArray bytes = name.startsWith("empty") ? QByteArray("; nothing\r\n")
                             : name.endsWith(".ide")  ? QByteArray("cars\r\n1, a, b\r\nend\r\n")
                                                      : contents(kHandlingData + "plain.cfg");
    writeBytes(rejected, bytes);
    if (notice.isEmpty()) {
        notice = languageText(s.window.language(), Text::TooFewValues) + "2";
    }

    s.open(rejected, filter);
    const QStringList notices = s.desktop.texts(Kind::Notice);
    QCOMPARE(notices.size(), 1);
    QVERIFY2(notices.first().startsWith(notice), qPrintable(notices.first()));
    QVERIFY(s.document().FilePath.empty());
    QVERIFY(s.document().SavedFlag);
    QCOMPARE(s.window.cmbAutos->count(), 0);
    QVERIFY(!s.window.cmdSave->isEnabled());
    QVERIFY(!s.window.cmdSaveAs->isEnabled());
    QVERIFY(s.window.windowTitle().endsWith("[" + rejected + "]"));
    QCOMPARE(s.desktop.busyDepth, 0);
    QVERIFY(!s.desktop.messages.last().whileBusy);

    // Nothing can reach the rejected file any more.
    s.window.cmdSave_Click();
    QCOMPARE(contents(rejected), bytes);
}

void OpenSaveTests::lineEndRepairWritesTheFileOrOpensFromMemory() {
    Session s;
    const QString path = s.copy("lf_only.cfg");
    const QByteArray original = contents(path);
    s.open(path);
    QCOMPARE(contents(path), contents(kHandlingData + "plain.cfg") + "\r\n");
    QCOMPARE(s.window.cmbAutos->count(), 4);

    // When the repaired text cannot be written the file still opens.
    const QString readOnly = s.copy("lf_only.cfg", "second.cfg");
    s.desktop.nextWriteFailure = FileResult::failure(5, "Permission denied");
    s.open(readOnly);
    QCOMPARE(contents(readOnly), original);
    QCOMPARE(s.window.cmbAutos->count(), 4);
    QVERIFY(s.window.cmdSave->isEnabled());
    QVERIFY(s.desktop.texts(Kind::Notice).isEmpty());
}

void OpenSaveTests::fileNamedAtStartOpensWithTheFilterOfItsName() {
    Session s;
    const QString path = s.copy("plain.cfg");
    QVERIFY(QDir::setCurrent(s.dir.path()));
    s.window.openFile("plain.cfg");
    QCOMPARE(QString::fromStdString(s.document().FilePath), path);
    QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), path);
    QCOMPARE(s.desktop.settings.value("Settings/FileIndex"), QStringLiteral("1"));
    QCOMPARE(s.window.cmbAutos->count(), 4);
}

void OpenSaveTests::saveWritesTheFileAndCommits() {
    Session s;
    const QString path = s.copy("plain.cfg");
    s.open(path);
    s.document().HandlingRecords[0][HandlingField::Gewicht] = "999.5";
    s.window.SSTab1->txtAuthor->setText("New Author");
    s.window.cmdSave_Click();

    QCOMPARE(s.desktop.texts(Kind::Information), QStringList{s.text(116)});
    QVERIFY(s.document().SavedFlag);
    QCOMPARE(s.document().HandlingSnapshot, s.document().HandlingRecords);
    const QByteArray saved = contents(path);
    QVERIFY(saved.startsWith("; File created with Wendrake V2.0.0\r\n; Homepage: "));
    QVERIFY(saved.contains("; Author: New Author\r\n"));
    QVERIFY(saved.contains("  999.5 "));
    QVERIFY(saved.endsWith(";the end\r\n\r\n"));
    const qsizetype arrow = saved.indexOf("ARROW ");
    const qsizetype zephyr = saved.indexOf("ZEPHYR ");
    QVERIFY(arrow > 0 && zephyr > arrow);

    // Saving again changes nothing.
    s.window.cmdSave_Click();
    QCOMPARE(contents(path), saved);
}

void OpenSaveTests::failedWriteLeavesFileAndDocument() {
    Session s;
    const QString path = s.copy("plain.cfg");
    s.open(path);
    const QByteArray before = contents(path);
    const auto snapshot = s.document().HandlingSnapshot;
    s.document().HandlingRecords[0][HandlingField::Gewicht] = "1.0";
    s.document().SavedFlag = false;

    s.desktop.nextWriteFailure = FileResult::failure(28, "No space left on device");
    s.window.cmdSave_Click();
    QCOMPARE(contents(path), before);
    QVERIFY(!s.document().SavedFlag);
    QCOMPARE(s.document().HandlingSnapshot, snapshot);
    QVERIFY(s.desktop.texts(Kind::Information).isEmpty());
    QVERIFY(
        s.desktop.texts(Kind::Notice).first().startsWith("Error: 28 - No space left on device"));

    // A real failure: the chosen target is a folder.
    const QString folder = s.dir.filePath("folder.cfg");
    QVERIFY(QDir().mkpath(folder));
    s.desktop.saveChoices.enqueue(folder);
    s.window.cmdSaveAs_Click();
    QCOMPARE(s.desktop.texts(Kind::Notice).size(), 2);
    QVERIFY(s.desktop.texts(Kind::Notice).last().startsWith("Error: "));
    QCOMPARE(QString::fromStdString(s.document().FilePath), path);
    QVERIFY(!s.document().SavedFlag);
}

void OpenSaveTests::saveWithoutTheFileOnDiskWritesNothing() {
    Session s;
    const QString path = s.copy("plain.cfg");
    s.open(path);
    QFile::remove(path);
    s.window.cmdSave_Click();
    QVERIFY(!QFile::exists(path));
    QCOMPARE(s.desktop.texts(Kind::Notice).size(), 1);
    QVERIFY(s.desktop.texts(Kind::Information).isEmpty());
}

void OpenSaveTests::saveAsAdoptsTheNewPath() {
    Session s;
    const QString path = s.copy("plain.cfg");
    const QByteArray original = contents(path);
    s.open(path);

    s.window.cmdSaveAs_Click();  // cancelled
    QVERIFY(s.desktop.messages.isEmpty());
    QCOMPARE(s.desktop.saveRequests.first().filters.first().patterns, QStringList{"*.cfg"});

    const QString copy = s.dir.filePath("copy.cfg");
    s.desktop.saveChoices.enqueue(copy);
    s.window.cmdSaveAs_Click();
    QCOMPARE(QString::fromStdString(s.document().FilePath), copy);
    QVERIFY(s.window.windowTitle().endsWith("[" + copy + "]"));
    QCOMPARE(contents(path), original);
    QVERIFY(contents(copy).contains("ZEPHYR "));
    QCOMPARE(s.desktop.texts(Kind::Information), QStringList{s.text(116)});
    QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), path);  // save as does not store it
}

void OpenSaveTests::quittingWithUnsavedChangesAsks() {
    Session s;
    s.open(s.copy("plain.cfg"));
    s.window.show();
    s.window.cmdEnde_Click();  // nothing unsaved: no question
    QVERIFY(s.desktop.texts(Kind::Question).isEmpty());
    QVERIFY(!s.window.isVisible());

    s.window.show();
    s.window.SSTab1->txtAuthor->setText("x");
    s.desktop.answers.enqueue(false);
    s.window.cmdEnde_Click();
    QCOMPARE(s.desktop.texts(Kind::Question), QStringList{s.text(117)});
    QVERIFY(s.window.isVisible());

    s.desktop.answers.enqueue(true);
    QVERIFY(s.window.close());
    QVERIFY(!s.window.isVisible());
}

QTEST_MAIN(OpenSaveTests)
#include "tst_open_save.moc"
