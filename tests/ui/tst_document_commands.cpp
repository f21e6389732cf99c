#include <QtTest>

#include <QTemporaryDir>

#include "model/HandlingLine.h"
#include "platform/LanguageFiles.h"
#include "support/ScriptedDesktop.h"
#include "ui/frmMain.h"

using namespace wendrake;
using Kind = ScriptedDesktop::MessageKind;

namespace {

const QString kLanguages = QStringLiteral(WENDRAKE_LANGUAGES "/");
const QString kTestData = QStringLiteral(WENDRAKE_TEST_DATA "/");

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList rows(const QAbstractItemModel* model) {
    QStringList texts;
    for (int k = 0; k < model->rowCount(); ++k) {
        texts << model->index(k, 0).data().toString();
    }
    return texts;
}

// An exchange file as players pass them: header lines, a vehicle the table
// lacks, one it has, and a line of the table's BRISK with too few values.
const QByteArray kExchange =
    "; File created with Wendrake V2.0.0\r\n"
    "; Homepage: https://wendrake.org/\r\n"
    "; Author: Someone\r\n"
    "; Created today\r\n"
    ";\r\n"
    "NOVA            1111.0 1.9 1.3 4.3 0.00 0.00 -0.15 70 1.10 0.85 0.50 5 138.0 3.2 R P 1.10 "
    "0.50 1 34.0 1.50 0.10 0.25 0.80  32000 0.20 -0.10 0.50 0810 1 1\r\n"
    "MULE            2222.0 2.2 2.5 5.6 0.00 0.00 0.25 85 0.80 0.70 0.55 4 86.0 1.5 F D 0.60 "
    "0.55 0 30.0 0.90 0.10 0.40 1.40   7800 0.30 -0.20 0.50 0220 0 0\r\n"
    "BRISK           3333.0 1.7 1.4 3.8\r\n"
    ";\r\n"
    ";the end\r\n";

// The main window on a scripted desktop, with copies of fixtures to work on.
struct Session {
    ScriptedDesktop desktop;
    QTemporaryDir dir;
    frmMain window;

    explicit Session(const QString& programFolder = kLanguages) : window(desktop, programFolder) {
        desktop.settings.insert(QStringLiteral("Settings/Language"), QStringLiteral("English"));
        window.start();
    }

    // Opens a copy of `fixture` ("handling/plain.cfg") named `as`.
    QString open(const QString& fixture, const QString& as) {
        const QString target = dir.filePath(as);
        QFile::copy(kTestData + fixture, target);
        QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        window.openFile(target);
        return target;
    }

    void importFile(const QString& path) {
        desktop.openChoices.enqueue(OpenDialogChoice{path, 1});
        window.cmdImportCar_Click();
    }

    void undo(bool answer) {
        desktop.answers.enqueue(answer);
        window.cmdUndo_Click();
    }

    QString text(int number) const { return languageText(window.language(), number); }
    EditorDocument& document() { return window.document(); }
    QStringList listed() const { return rows(window.cmbAutos->model()); }
};

}  // namespace

class DocumentCommandsTests : public QObject {
    Q_OBJECT
  private slots:
    void backupCopiesTheFileAsItIsOnDisk();
    void undoReturnsHandlingToTheLastOpenOrSave();
    void undoRestoresVehicleDefinitions();
    void undoRestoresPaletteAndChoosers();
    void importAppendsEveryLineOfAListedName();
    void importOfNothingChangesNothing();
    void infoAndManual();
};

void DocumentCommandsTests::backupCopiesTheFileAsItIsOnDisk() {
    Session s;
    s.window.cmdBackup_Click();  // nothing loaded
    QVERIFY(s.desktop.messages.isEmpty());

    const QString path = s.open("handling/plain.cfg", "handling.cfg");
    const QByteArray original = contents(path);
    const QString backup = path + ".backup";
    s.window.SSTab1->txtAuthor->setText("Not saved");
    s.window.cmdBackup_Click();
    QCOMPARE(contents(backup), original);
    QCOMPARE(s.desktop.texts(Kind::Information), QStringList{s.text(60) + "\r\n" + backup});
    QVERIFY(s.desktop.texts(Kind::Question).isEmpty());

    // An existing backup is replaced only when the player agrees.
    writeBytes(backup, "older backup");
    s.desktop.answers.enqueue(false);
    s.window.cmdBackup_Click();
    QCOMPARE(s.desktop.texts(Kind::Question), QStringList{s.text(61)});
    QCOMPARE(contents(backup), QByteArray("older backup"));
    QCOMPARE(s.desktop.texts(Kind::Information).size(), 1);
    s.desktop.answers.enqueue(true);
    s.window.cmdBackup_Click();
    QCOMPARE(contents(backup), original);

    // A failed copy leaves the old backup and says so instead of success.
    writeBytes(backup, "older backup");
    s.desktop.answers.enqueue(true);
    s.desktop.nextWriteFailure = FileResult::failure(5, "Permission denied");
    s.window.cmdBackup_Click();
    QCOMPARE(s.desktop.texts(Kind::Notice), QStringList{"Error: 5 - Permission denied"});
    QCOMPARE(s.desktop.texts(Kind::Information).size(), 2);
    QCOMPARE(contents(backup), QByteArray("older backup"));

    // A file opened from its backup gets a backup of its own.
    writeBytes(backup, original);
    s.window.openFile(backup);
    s.window.cmdBackup_Click();
    QCOMPARE(contents(backup + ".backup"), original);
    QCOMPARE(s.desktop.texts(Kind::Information).last(), s.text(60) + "\r\n" + backup + ".backup");
}

void DocumentCommandsTests::undoReturnsHandlingToTheLastOpenOrSave() {
    Session s;
    const QString path = s.open("handling/plain.cfg", "handling.cfg");
    const auto opened = s.document().HandlingRecords;
    const QString exchange = s.dir.filePath("nova.cfg");
    writeBytes(exchange, kExchange);

    s.window.SSTab1->txtGewicht->setText("1.0");  // ARROW, shown first
    s.importFile(exchange);
    s.window.cmbAutos->setCurrentIndex(3);
    s.undo(false);
    QCOMPARE(s.document().HandlingRecords.size(), opened.size() + 3);
    QCOMPARE(s.desktop.texts(Kind::Information).size(), 1);  // the import's only

    s.undo(true);
    QCOMPARE(s.document().HandlingRecords, opened);
    QCOMPARE(s.listed(), (QStringList{"ARROW", "BRISK", "MULE", "ZEPHYR"}));
    QCOMPARE(s.window.cmbAutos->currentIndex(), 0);
    QCOMPARE(s.window.SSTab1->txtGewicht->text(), "1500.0");
    QCOMPARE(s.window.SSTab1->txtAuthor->text(), "Jo Tester");
    QVERIFY(!s.document().SavedFlag);  // undo is no save
    QCOMPARE(s.desktop.texts(Kind::Information).last(), s.text(99));

    // After a save, undo returns to what was saved.
    s.window.SSTab1->txtGewicht->setText("1234.5");
    s.window.cmdSave_Click();
    const auto saved = s.document().HandlingRecords;
    s.undo(true);
    QCOMPARE(s.document().HandlingRecords, saved);
    QCOMPARE(s.window.SSTab1->txtGewicht->text(), "1234.5");
    QVERIFY(s.document().SavedFlag);
    QVERIFY(contents(path).contains(" 1234.5 "));
}

void DocumentCommandsTests::undoRestoresVehicleDefinitions() {
    Session s;
    s.open("ide/plain.ide", "default.ide");
    const auto opened = s.document().VehicleDefRecords;
    const QStringList names = s.listed();
    s.window.SSTab2->txtHandlingID->setText("RENAMED");
    QVERIFY(s.listed() != names);

    s.undo(true);
    QCOMPARE(s.document().VehicleDefRecords, opened);
    QCOMPARE(s.listed(), names);
    QCOMPARE(s.window.SSTab2->txtHandlingID->text(), names.first());
    QVERIFY(!s.document().SavedFlag);
}

void DocumentCommandsTests::undoRestoresPaletteAndChoosers() {
    Session s;
    s.open("dat/plain.dat", "carcols.dat");
    ColourPages* pages = s.window.SSTab3;
    const auto palette = s.document().ColourEntries;
    const auto cars = s.document().CarColourRecords;
    const QStringList entries = rows(pages->lstColors->model());

    pages->lstColors->setCurrentRow(1);
    pages->txtColorName->setText("snow");
    pages->cmdNewColor_Click();
    pages->setCurrentIndex(1);  // the choosers take up the changed palette
    pages->cmdAddColor_Click();
    QVERIFY(rows(pages->cmbColor1->model()) != entries);
    QVERIFY(s.document().CarColourRecords != cars);

    s.undo(true);
    QCOMPARE(s.document().ColourEntries, palette);
    QCOMPARE(s.document().CarColourRecords, cars);
    QCOMPARE(rows(pages->lstColors->model()), entries);
    QCOMPARE(rows(pages->cmbColor1->model()), entries);
    QCOMPARE(rows(pages->cmbColor2->model()), entries);
    QCOMPARE(s.window.cmbAutos->currentIndex(), 0);
    QCOMPARE(rows(pages->lstCarColors->model()).size(), 1);  // cab's one pair, as read
    QVERIFY(!s.document().SavedFlag);
}

void DocumentCommandsTests::importAppendsEveryLineOfAListedName() {
    Session s;
    s.open("handling/plain.cfg", "handling.cfg");
    const auto opened = s.document().HandlingRecords;
    const QString exchange = s.dir.filePath("nova.cfg");
    writeBytes(exchange, kExchange);
    s.window.cmbAutos->setCurrentIndex(2);

    s.importFile(exchange);
    const OpenDialogRequest& request = s.desktop.openRequests.last();
    QCOMPARE(request.title, s.text(114));
    QCOMPARE(request.filters.first().patterns, QStringList{"*.cfg"});
    const auto& records = s.document().HandlingRecords;
    QCOMPARE(records.size(), opened.size() + 3);
    QCOMPARE(records[4].name(), std::string("NOVA"));
    QCOMPARE(records[5][HandlingField::Gewicht], std::string("2222.0"));
    QCOMPARE(records[6][HandlingField::Gewicht], std::string("3333.0"));
    QCOMPARE(s.listed(), (QStringList{"ARROW", "BRISK", "MULE", "NOVA", "ZEPHYR"}));
    QCOMPARE(s.window.cmbAutos->currentIndex(), 0);
    QCOMPARE(s.window.SSTab1->txtGewicht->text(), "1500.0");
    QVERIFY(!s.document().SavedFlag);
    QCOMPARE(s.desktop.texts(Kind::Information), QStringList{s.text(115)});
    QVERIFY(!s.desktop.messages.last().whileBusy);

    // The short line is reported, and the error window shows it.
    const ErrorListEntry& count = s.document().Errors.back();
    QCOMPARE(count.car, std::string("BRISK"));
    QCOMPARE(QString::fromStdString(count.error), s.text(102) + ": 5 " + s.text(103));
    QVERIFY(s.window.errorWindow->isVisible());
    QCOMPARE(s.window.errorWindow->lstErrors->model()->rowCount(),
             static_cast<int>(s.document().Errors.size()));

    // The same file again appends the same lines again.
    s.importFile(exchange);
    QCOMPARE(records.size(), opened.size() + 6);
    QCOMPARE(s.window.cmbAutos->count(), 5);
}

void DocumentCommandsTests::importOfNothingChangesNothing() {
    Session s;
    s.open("handling/plain.cfg", "handling.cfg");
    const auto opened = s.document().HandlingRecords;

    s.window.cmdImportCar_Click();  // cancelled
    QVERIFY(s.desktop.messages.isEmpty());

    s.importFile(s.dir.filePath("gone.cfg"));
    QCOMPARE(s.desktop.texts(Kind::Notice), QStringList{s.text(12)});
    QVERIFY(!s.desktop.messages.last().whileBusy);
    QCOMPARE(s.desktop.busyDepth, 0);
    QCOMPARE(s.document().HandlingRecords, opened);
    QVERIFY(s.document().SavedFlag);
}

void DocumentCommandsTests::infoAndManual() {
    QTemporaryDir folder;
    QVERIFY(QFile::copy(kLanguages + "English.lng", folder.filePath("English.lng")));
    Session s(folder.path() + "/");
    s.window.cmdInfo_Click();
    const QStringList info = s.desktop.texts(Kind::Information).first().split("\r\n");
    QCOMPARE(info.first(), "Wendrake V" + s.desktop.settings.value("Exe/Version"));
    QCOMPARE(info.size(), 14);
    QVERIFY(info.contains("https://wendrake.org/"));

    // A manual in the current folder is not the program's.
    QVERIFY(QDir::setCurrent(s.dir.path()));
    writeBytes(s.dir.filePath("Anleitung.htm"), "<html></html>");
    s.window.cmdHelp_Click();
    QCOMPARE(s.desktop.texts(Kind::Notice), QStringList{s.text(121)});
    QVERIFY(s.desktop.openedDocuments.isEmpty());

    const QString manual = folder.filePath("Anleitung.htm");
    writeBytes(manual, "<html></html>");
    s.window.cmdHelp_Click();
    QCOMPARE(s.desktop.openedDocuments, QStringList{manual});
    QCOMPARE(s.desktop.busyDepth, 0);
    QCOMPARE(s.desktop.texts(Kind::Notice).size(), 1);
}

QTEST_MAIN(DocumentCommandsTests)
#include "tst_document_commands.moc"
