// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "support/WindowSession.h"
#include "ui/ExportDialog.h"

using namespace wendrake;
using namespace wendrake::testing;
using Kind = ScriptedDesktop::MessageKind;

namespace {

// An exchange file as players pass them: a vehicle the table lacks, one it
// has, and a line of the table's BRISK with too few values.
const QByteArray kExchange =
    qb(join({"; Author: Someone", ";", dataLine("NOVA", "1111.0"), dataLine("MULE", "2222.0"),
             "BRISK 3333.0 1.7 1.4 3.8", ";", ";the end"}));

struct Session : WindowSession {
    using WindowSession::WindowSession;

    void importFile(const QString& path) {
        desktop.openChoices.enqueue(OpenDialogChoice{path, 1});
        window.importVehicles();
    }
    void undo(bool answer) {
        desktop.answers.enqueue(answer);
        window.revertToSaved();
    }

    // The export window, first opened over plain.cfg (ARROW, BRISK, MULE, ZEPHYR).
    ExportDialog& exporter() {
        if (!window.findChild<ExportDialog*>()) {
            open("handling/plain.cfg", "handling.cfg");
            window.exportVehicles();
        }
        return *window.findChild<ExportDialog*>();
    }
    // Chooses `names` and exports them to `target` (nothing when cancelled).
    void exportTo(const QStringList& names, const std::optional<QString>& target) {
        select(exporter().findChild<QListWidget*>("lst1"), names);
        exporter().addChosen();
        desktop.saveChoices.enqueue(target);
        exporter().exportChosen();
    }
    static void select(QListWidget* list, const QStringList& names) {
        list->clearSelection();
        for (const QString& name : names) {
            list->findItems(name, Qt::MatchExactly).first()->setSelected(true);
        }
    }
};

}  // namespace

// Backup, undo, import, export and the info box, as the main window's
// buttons run them.
class DocumentCommandsTests : public QObject {
    Q_OBJECT
  private slots:
    void backupCopiesTheFileAsItIsOnDisk() {
        Session s;
        s.window.createBackup();  // nothing loaded
        QVERIFY(s.desktop.messages.isEmpty());

        const QString path = s.open("handling/plain.cfg", "handling.cfg");
        const QByteArray original = contents(path);
        const QString backup = path + ".backup";
        s.box("txtAuthor")->setText("Not saved");
        s.window.createBackup();
        QCOMPARE(contents(backup), original);
        QCOMPARE(s.desktop.texts(Kind::Status), QStringList{s.text(60) + " " + backup});
        QVERIFY(s.desktop.texts(Kind::Question).isEmpty());

        // An existing backup is replaced only when the player agrees.
        QVERIFY(writeBytes(backup, "older backup"));
        s.desktop.answers.enqueue(false);
        s.window.createBackup();
        QCOMPARE(s.desktop.texts(Kind::Question), QStringList{s.text(61)});
        QCOMPARE(contents(backup), QByteArray("older backup"));
        QCOMPARE(s.desktop.texts(Kind::Status).size(), 1);
        s.desktop.answers.enqueue(true);
        s.window.createBackup();
        QCOMPARE(contents(backup), original);

        // A failed copy leaves the old backup and says so instead of success.
        QVERIFY(writeBytes(backup, "older backup"));
        s.desktop.answers.enqueue(true);
        s.desktop.nextWriteFailure = FileResult::failure(5, "Permission denied");
        s.window.createBackup();
        QCOMPARE(s.desktop.texts(Kind::Notice),
                 QStringList{"Error: 5 - Permission denied\r\n" + backup});
        QCOMPARE(s.desktop.texts(Kind::Status).size(), 2);
        QCOMPARE(contents(backup), QByteArray("older backup"));

        // A file opened from its backup gets a backup of its own.
        QVERIFY(writeBytes(backup, original));
        s.window.openFile(backup);
        s.window.createBackup();
        QCOMPARE(contents(backup + ".backup"), original);
        QCOMPARE(s.desktop.texts(Kind::Status).last(), s.text(60) + " " + backup + ".backup");
    }

    // Undo goes back to the last open or save in every kind of file, once
    // the player agrees: the records, every list and chooser of the window
    // and the boxes show what they showed then, the shown entry stays shown,
    // and nothing is left to undo.
    void undoReturnsToTheLastOpenOrSave_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<QString>("box");          // typed into; a handling file also imports
        QTest::addColumn<QStringList>("buttons");  // clicked after
        QTest::newRow("handling") << "handling/plain.cfg"
                                  << "txtGewicht" << QStringList{};
        QTest::newRow("definitions") << "ide/plain.ide"
                                     << "txtHandlingID" << QStringList{};
        QTest::newRow("car colours") << "dat/plain.dat"
                                     << "txtColorName" << QStringList{"cmdNewColor", "cmdAddColor"};
    }

    void undoReturnsToTheLastOpenOrSave() {
        QFETCH(QString, fixture);
        QFETCH(QString, box);
        QFETCH(QStringList, buttons);
        Session s;
        const QString path = s.open(fixture);
        const auto shown = [&s] {
            QStringList lists;
            for (const QAbstractItemView* view : s.window.findChildren<QAbstractItemView*>()) {
                lists << view->objectName() + ": " + rows(view).join(QLatin1Char('|'));
            }
            lists.sort();  // a dock that opens changes the order of the children
            return lists;
        };
        const auto saveText = [&] {
            return s.session().buildSaveText(contents(path).toStdString());
        };
        s.chooseVehicle(1);
        const QString chosen = s.chosenName();
        const QStringList opened = shown();
        const std::string openedText = saveText();
        QLineEdit* edited = s.box(box.toLatin1().constData());
        const QString value = edited->text();
        edited->setText("RENAMED");
        for (const QString& button : buttons) {
            s.window.findChild<QPushButton*>(button)->click();
        }
        if (fixture.startsWith("handling")) {
            QVERIFY(writeBytes(s.dir.filePath("nova.cfg"), kExchange));
            s.desktop.choices.enqueue(1);  // keep both
            s.importFile(s.dir.filePath("nova.cfg"));
        }
        QVERIFY(shown() != opened);
        const qsizetype statuses = s.desktop.texts(Kind::Status).size();
        s.undo(false);
        QVERIFY(saveText() != openedText);
        QCOMPARE(s.desktop.texts(Kind::Status).size(), statuses);

        s.undo(true);
        QCOMPARE(saveText(), openedText);
        QCOMPARE(shown(), opened);
        QCOMPARE(s.chosenName(), chosen);
        QCOMPARE(edited->text(), value);
        QVERIFY(s.document().SavedFlag && !s.window.revertAction->isEnabled());
        s.window.revertToSaved();  // nothing left to undo: no question
        QCOMPARE(s.desktop.texts(Kind::Question).size(), fixture.startsWith("handling") ? 3 : 2);
        QCOMPARE(s.desktop.texts(Kind::Status).last(), s.text(99));

        // After a save, undo returns to what was saved.
        edited->setText("SAVED");
        s.window.save();
        const std::string savedText = saveText();
        edited->setText("LATER");
        s.undo(true);
        QCOMPARE(saveText(), savedText);
        QCOMPARE(edited->text(), QStringLiteral("SAVED"));
    }

    // How the import reads the lines is the model's; the window lists the
    // new names, reports the short line and tells the player.
    void importAddsTheVehiclesToTheWindow() {
        Session s;
        s.open("handling/plain.cfg", "handling.cfg");
        const auto opened = s.document().HandlingRecords;
        s.window.importVehicles();  // cancelled
        s.importFile(s.dir.filePath("gone.cfg"));
        QCOMPARE(s.desktop.texts(Kind::Notice),
                 QStringList{s.text(12) + "\r\n" + s.dir.filePath("gone.cfg")});
        QVERIFY(!s.desktop.messages.last().whileBusy);
        QCOMPARE(s.document().HandlingRecords, opened);
        QVERIFY(s.document().SavedFlag);

        const QString exchange = s.dir.filePath("nova.cfg");
        QVERIFY(writeBytes(exchange, kExchange));
        s.chooseVehicle(2);
        // MULE and BRISK are in the file already: the player is asked once,
        // and closing the question imports nothing.
        s.importFile(exchange);
        QCOMPARE(s.desktop.texts(Kind::Question),
                 QStringList{s.text(184) + "\nMULE, BRISK\n" + s.text(185) + "|" + s.text(186) +
                             "|" + s.text(187)});
        QCOMPARE(s.document().HandlingRecords, opened);
        QVERIFY(s.document().SavedFlag);

        // Keeping both lists every vehicle, as reopening the file would.
        s.desktop.choices.enqueue(1);
        s.importFile(exchange);
        QCOMPARE(s.document().HandlingRecords.size(), opened.size() + 3);
        QCOMPARE(s.listed(),
                 (QStringList{"ARROW", "BRISK", "BRISK", "MULE", "MULE", "NOVA", "ZEPHYR"}));
        QVERIFY(!s.document().SavedFlag);
        QCOMPARE(s.desktop.texts(Kind::Status), QStringList{s.text(115)});
        QVERIFY(!s.desktop.messages.last().whileBusy);
        QCOMPARE(s.desktop.busyDepth, 0);

        // The short line's count, then the names that now stand twice.
        const ErrorRows& errors = s.document().Errors;
        QCOMPARE(errors.size(), std::size_t{3});
        QCOMPARE(QString::fromStdString(errors[0].error), s.text(102) + ": 5 " + s.text(103));
        QVERIFY(s.window.findChild<ProblemsPanel*>()->isVisibleTo(&s.window));
        QCOMPARE(s.window.findChild<ProblemsPanel*>()->list()->model()->rowCount(),
                 static_cast<int>(s.document().Errors.size()));
    }

    // The first answer replaces the vehicles of those names (the model's
    // tests show how); only new names are added.
    void importCanReplaceVehiclesOfTheSameName() {
        Session s;
        s.open("handling/plain.cfg", "handling.cfg");
        const QString exchange = s.dir.filePath("nova.cfg");
        QVERIFY(writeBytes(exchange, kExchange));
        s.desktop.choices.enqueue(0);
        s.importFile(exchange);
        QCOMPARE(s.listed(), (QStringList{"ARROW", "BRISK", "MULE", "NOVA", "ZEPHYR"}));
        QCOMPARE(s.document().HandlingRecords[2][HandlingField::Gewicht], "2222.0");  // MULE
    }

    // Help opens the manual of the window's language from the program's own
    // folder, the German one where the language's own is missing; when no
    // program takes it, the player is told where it lies.
    void manualIsTheProgramsOwnInTheWindowsLanguage() {
        QTemporaryDir folder;
        for (const char* language : {"English.lng", "Deutsch.lng"}) {
            QVERIFY(QFile::copy(kLanguages + language, folder.filePath(language)));
        }
        Session s(folder.path() + "/");
        // A manual in the current folder is not the program's.
        QVERIFY(QDir::setCurrent(s.dir.path()));
        QVERIFY(writeBytes(s.dir.filePath("Anleitung.htm"), "<html></html>"));
        QVERIFY(writeBytes(s.dir.filePath("Manual.htm"), "<html></html>"));
        s.window.showManual();
        QCOMPARE(s.desktop.texts(Kind::Notice), QStringList{s.text(Text::ManualMissing)});
        QVERIFY(s.desktop.openedDocuments.isEmpty());

        const QString german = folder.filePath("Anleitung.htm");
        const QString english = folder.filePath("Manual.htm");
        QVERIFY(writeBytes(german, "<html lang=de></html>"));
        s.window.showManual();
        QVERIFY(writeBytes(english, "<html lang=en></html>"));
        s.window.showManual();
        s.chooseLanguage("Deutsch");
        s.window.showManual();
        QCOMPARE(s.desktop.openedDocuments, (QStringList{german, english, german}));
        QCOMPARE(s.desktop.busyDepth, 0);

        s.desktop.noDocumentViewer = true;
        s.window.showManual();
        QCOMPARE(s.desktop.texts(Kind::Notice).last(),
                 s.text(Text::ManualNotOpened) + "\n" + QDir::toNativeSeparators(german));
        QVERIFY(!s.desktop.messages.last().whileBusy);
    }

    void exportWindowOpensAfreshWithEveryVehicle() {
        Session s;
        ExportDialog& e = s.exporter();
        QVERIFY(e.isVisible());
        QCOMPARE(rows(e.findChild<QListWidget*>("lst1")),
                 (QStringList{"ARROW", "BRISK", "MULE", "ZEPHYR"}));
        e.addAll();
        e.closeWindow();
        QVERIFY(!e.isVisible());
        s.window.exportVehicles();
        QCOMPARE(e.findChild<QListWidget*>("lst1")->count(), 4);
        QCOMPARE(e.findChild<QListWidget*>("lst2")->count(), 0);

        // A file opened meanwhile takes the names away.
        s.window.openFile(QString::fromStdString(s.document().FilePath));
        QVERIFY(!e.isVisible());
    }

    // Names move between the lists one entry at a time: of twins only the
    // one chosen moves, and none is lost on the way back.
    void exportMovesKeepEveryEntry() {
        EditorDocument document;
        ScriptedDesktop desktop;
        ExportDialog e(document, desktop);
        VehicleList vehicles;
        vehicles.assign({"zeta", "MULE", "beta", "alpha", "MULE"});
        e.fill(vehicles);
        e.addAll();
        e.findChild<QListWidget*>("lst2")->item(2)->setSelected(true);  // the first MULE
        e.removeChosen();
        QCOMPARE(rows(e.findChild<QListWidget*>("lst1")), QStringList{"MULE"});
        QCOMPARE(rows(e.findChild<QListWidget*>("lst2")),
                 (QStringList{"alpha", "beta", "MULE", "zeta"}));
        e.removeAll();
        QCOMPARE(rows(e.findChild<QListWidget*>("lst1")),
                 (QStringList{"alpha", "beta", "MULE", "MULE", "zeta"}));
    }

    // The file's text is the exchange builder's (shown by the model and
    // command line tests); here the window around it. A vehicle renamed
    // since the names were listed is written under no name.
    void exportKeepsTheWindowUntilTheFileIsWritten() {
        Session s;
        s.exporter().exportChosen();  // nothing chosen yet
        QVERIFY(s.desktop.saveRequests.isEmpty());
        s.box("txtAutoname")->setText("ARROW2");  // ARROW, shown first
        const QString target = s.dir.filePath("out.cfg");
        s.exportTo({"ARROW", "BRISK", "ZEPHYR"}, std::nullopt);
        QCOMPARE(s.desktop.saveRequests.first().filters.first().patterns, QStringList{"*.cfg"});
        QVERIFY(s.exporter().isVisible());
        QVERIFY(s.desktop.messages.isEmpty());

        s.desktop.nextWriteFailure = FileResult::failure(28, "No space left on device");
        s.desktop.saveChoices.enqueue(target);
        s.exporter().exportChosen();
        QCOMPARE(s.desktop.texts(Kind::Notice),
                 QStringList{"Error: 28 - No space left on device\n" + target});
        QVERIFY(s.exporter().isVisible());
        QVERIFY(!QFile::exists(target));

        // The choice survives for the next try; a real failure leaves no file.
        QCOMPARE(rows(s.exporter().findChild<QListWidget*>("lst2")),
                 (QStringList{"ARROW", "BRISK", "ZEPHYR"}));
        s.desktop.saveChoices.enqueue(s.dir.filePath("missing/out.cfg"));
        s.exporter().exportChosen();
        QCOMPARE(s.desktop.texts(Kind::Notice).size(), 2);
        QCOMPARE(QDir(s.dir.path()).entryList(QDir::Files), QStringList{"handling.cfg"});

        const EditorDocument before = s.document();
        // A name without an ending gets the one the import dialog lists.
        s.desktop.saveChoices.enqueue(s.dir.filePath("out"));
        s.exporter().exportChosen();
        QVERIFY(contents(target).contains("\r\nZEPHYR "));
        QVERIFY(!contents(target).contains("ARROW"));
        QCOMPARE(contents(target).count("\r\n"), 14 + 2);
        QCOMPARE(s.desktop.texts(Kind::Status), QStringList{s.text(113)});
        QVERIFY(!s.exporter().isVisible());
        QCOMPARE(s.document().HandlingRecords, before.HandlingRecords);
        QCOMPARE(s.document().Autos, before.Autos);
        QCOMPARE(s.document().SavedFlag, before.SavedFlag);
    }
};

QTEST_MAIN(DocumentCommandsTests)
#include "tst_document_commands.moc"
