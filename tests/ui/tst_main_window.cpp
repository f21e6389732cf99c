// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <QDialogButtonBox>
#include <QMimeData>
#include <QPushButton>

#include "model/ProgramVersion.h"
#include "support/WindowSession.h"
#include "ui/HandlingPages.h"
#include "ui/VehicleDefPages.h"

using namespace wendrake;
using namespace wendrake::testing;
using Kind = ScriptedDesktop::MessageKind;
using Session = WindowSession;

// The main window: start and shutdown, open and save through the scripted
// desktop, the vehicle list, languages, the error list and drag and drop.
class MainWindowTests : public QObject {
    Q_OBJECT
  private slots:
    void startWritesItsSettingsAndNeedsALanguage() {
        Session s;
        QCOMPARE(s.desktop.settings.value("Exe/Path"), kLanguages);
        QCOMPARE(s.desktop.settings.value("Exe/Version"), QString::fromLatin1(kProgramVersion));
        QVERIFY(!s.window.saveAction->isEnabled());

        QTemporaryDir empty;
        ScriptedDesktop desktop;
        MainWindow window(desktop, empty.path() + QLatin1Char('/'));
        QVERIFY(!window.start());
        QCOMPARE(desktop.texts(Kind::Notice),
                 QStringList{"No language-file found! Please reinstall the application."});
    }

    // Without a remembered language the first start speaks the language of
    // the user's locale, as the command line does.
    void firstStartFollowsTheLocale_data() {
        QTest::addColumn<QByteArray>("locale");
        QTest::addColumn<QString>("language");
        QTest::newRow("German") << QByteArray("de_AT.UTF-8") << "Deutsch";
        QTest::newRow("any other") << QByteArray("fr_FR.UTF-8") << "English";
    }

    void firstStartFollowsTheLocale() {
        QFETCH(QByteArray, locale);
        QFETCH(QString, language);
        const QByteArray before = qgetenv("LC_ALL");
        qputenv("LC_ALL", locale);
        ScriptedDesktop desktop;
        MainWindow window(desktop, kLanguages);
        QVERIFY(window.start());
        if (before.isEmpty()) {
            qunsetenv("LC_ALL");
        } else {
            qputenv("LC_ALL", before);
        }
        QCOMPARE(checkedLanguage(window), language);
    }

    void openFillsTheWindowAndRemembersTheChoice() {
        Session s;
        s.window.openDocument();  // cancelled
        QVERIFY(s.desktop.messages.isEmpty());
        QVERIFY(!s.desktop.settings.contains("Settings/OpenPath"));
        QVERIFY(!s.window.saveAction->isEnabled());

        const QString path = s.copy("handling/plain.cfg");
        s.desktop.settings.insert("Settings/FileIndex", "1");
        s.desktop.settings.insert("Settings/OpenPath", path);
        s.openByDialog(path);
        const OpenDialogRequest& request = s.desktop.openRequests.last();
        QCOMPARE(request.initialFile, path);

        QVERIFY(s.desktop.messages.isEmpty());
        QCOMPARE(s.desktop.busyDepth, 0);
        QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), path);
        QCOMPARE(s.window.windowTitle(), QStringLiteral("plain.cfg[*] \u2014 Wendrake"));
        QCOMPARE(s.window.windowFilePath(), path);
        QCOMPARE(s.listed(), (QStringList{"ARROW", "BRISK", "MULE", "ZEPHYR"}));
        QCOMPARE(s.box("txtAuthor")->text(), QStringLiteral("Jo Tester"));
        QVERIFY(s.window.saveAction->isEnabled());

        // A file named at start is chosen as the dialog would and remembered
        // by its full path.
        s.desktop.settings.clear();
        QVERIFY(QDir::setCurrent(s.dir.path()));
        s.window.openFile("plain.cfg");
        QCOMPARE(QString::fromStdString(s.document().FilePath), path);
        QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), path);
        QCOMPARE(s.desktop.settings.value("Settings/FileIndex"), QStringLiteral("1"));
    }

    // The document still loaded stays saveable, to its own file.
    void missingFileKeepsTheLoadedDocument() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        const QString gone = s.dir.filePath("gone.cfg");
        s.openByDialog(gone);
        QCOMPARE(s.desktop.texts(Kind::Notice), QStringList{s.text(12) + "\n" + gone});
        QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), gone);
        QCOMPARE(QString::fromStdString(s.document().FilePath), path);
        QCOMPARE(s.listedCount(), 4);

        s.box("txtDate")->setText("2027-01-01");
        s.window.save();
        QVERIFY(contents(path).contains("; Created 2027-01-01\r\n"));
        QVERIFY(!QFile::exists(gone));
    }

    void rejectedFileEndsWithNothingLoaded_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("notice");  // empty: text 150 and the line number
        const QByteArray plain = contents(kTestData + "handling/plain.cfg");
        QTest::newRow("a name of no kind") << "a.txt" << 1 << plain << "Error: Filetype unknown!";
        QTest::newRow("vehicle line with too few values")
            << "default.ide" << 2 << QByteArray("cars\r\n1, a, b\r\nend\r\n") << "";
        QTest::newRow("no vehicle in it")
            << "empty.cfg" << 1 << QByteArray("; nothing\r\n") << "Error: 380 - ";
    }

    // The name decides the kind, whichever filter the dialog showed; Save As
    // gives a name without the kind's ending that ending, so that the file
    // opens again, and the window goes on with that file.
    void theNameDecidesTheKind() {
        Session s;
        const QString ide = s.copy("ide/plain.ide", "default.ide");
        s.openByDialog(ide, 2);  // the handling files' filter
        QVERIFY(s.desktop.texts(Kind::Notice).isEmpty());
        QCOMPARE(s.document().kind, DataFileKind::VehicleDefs);
        const QByteArray original = contents(ide);
        s.window.saveAs();  // cancelled
        QVERIFY(s.desktop.messages.isEmpty());

        const QString bare = s.dir.filePath("mycars");
        s.desktop.saveChoices.enqueue(bare);
        s.window.saveAs();
        QVERIFY(!QFile::exists(bare));
        QVERIFY(contents(bare + ".ide").contains("COMET_GT"));
        QCOMPARE(QString::fromStdString(s.document().FilePath), bare + ".ide");
        QCOMPARE(s.window.windowFilePath(), bare + ".ide");
        QCOMPARE(contents(ide), original);
        QCOMPARE(s.desktop.texts(Kind::Status), QStringList{s.text(116)});
        QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), ide);  // not stored by save as
    }

    void rejectedFileEndsWithNothingLoaded() {
        QFETCH(QString, name);
        QFETCH(int, filter);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, notice);
        Session s;
        s.open("handling/plain.cfg");
        const QString rejected = s.dir.filePath(name);
        QVERIFY(writeBytes(rejected, bytes));
        if (notice.isEmpty()) {
            notice = s.text(Text::TooFewValues) + "2";
        }

        s.openByDialog(rejected, filter);
        const QStringList notices = s.desktop.texts(Kind::Notice);
        QCOMPARE(notices.size(), 1);
        QVERIFY2(notices.first().startsWith(notice), qPrintable(notices.first()));
        QVERIFY(notices.first().endsWith("\n" + rejected));  // which file, and why
        QVERIFY(s.document().FilePath.empty());
        QVERIFY(s.document().SavedFlag);
        QCOMPARE(s.listedCount(), 0);
        QVERIFY(!s.window.saveAction->isEnabled() && !s.window.saveAsAction->isEnabled());
        // Nothing of the earlier file: no pages, no list, no name in the title.
        QVERIFY(s.window.windowFilePath().isEmpty());
        QCOMPARE(s.window.windowTitle(), QStringLiteral("Wendrake"));
        QVERIFY(!s.window.findChild<HandlingPages*>()->isVisibleTo(&s.window));
        QVERIFY(!s.window.findChild<QWidget*>("vehicleList")->isVisibleTo(&s.window));
        QVERIFY(s.window.findChild<StartPanel*>()->isVisibleTo(&s.window));
        QCOMPARE(s.desktop.busyDepth, 0);
        QVERIFY(!s.desktop.messages.last().whileBusy);

        // Nothing can reach the rejected file any more.
        s.window.save();
        QCOMPARE(contents(rejected), bytes);
    }

    // The repair of LF line ends goes back to disk at once, after the backup
    // the player asked for; a file that does not open as a game file with
    // something in it is never written.
    void lineEndRepairWritesTheFileOrOpensFromMemory() {
        Session s;
        s.window.backupFirstAction->setChecked(true);
        const QString path = s.open("handling/lf_only.cfg");
        QCOMPARE(contents(path), contents(kTestData + "handling/plain.cfg") + "\r\n");
        QCOMPARE(contents(path + ".backup"), contents(kTestData + "handling/lf_only.cfg"));
        QCOMPARE(s.listedCount(), 4);

        for (const QByteArray& bytes : {QByteArray("; only a comment\n; and another\n"),
                                        QByteArray("not a game file\nat all\n")}) {
            for (const char* name : {"refused.cfg", "notes.ide", "noise.dat"}) {
                const QString other = s.dir.filePath(name);
                QVERIFY(writeBytes(other, bytes));
                s.window.openFile(other);
                QCOMPARE(contents(other), bytes);
                QVERIFY(!QFile::exists(other + ".backup"));
            }
        }
        s.desktop.messages.clear();
        s.open("handling/lf_only.cfg", "again.cfg");

        // When the repaired text cannot be written the file still opens.
        const QString readOnly = s.copy("handling/lf_only.cfg", "second.cfg");
        s.desktop.nextWriteFailure = FileResult::failure(5, "Permission denied");
        s.window.openFile(readOnly);
        QCOMPARE(contents(readOnly), contents(kTestData + "handling/lf_only.cfg"));
        QCOMPARE(s.listedCount(), 4);
        QVERIFY(s.window.saveAction->isEnabled());
        QVERIFY(s.desktop.texts(Kind::Notice).isEmpty());
    }

    // Keeping the file's layout and a backup before the first save are the
    // player's choices beside Save: remembered for the next start, and used by
    // Save, which then rewrites the edited line alone after copying the file
    // as it was on disk to NAME.backup.
    void saveChoicesAreRememberedAndUsed() {
        Session s;
        QVERIFY(!s.window.keepLayoutAction->isChecked());
        QVERIFY(!s.window.backupFirstAction->isChecked());
        s.window.keepLayoutAction->trigger();
        s.window.backupFirstAction->trigger();
        QCOMPARE(s.desktop.settings.value("Settings/KeepLayout"), QStringLiteral("1"));
        QCOMPARE(s.desktop.settings.value("Settings/BackupBeforeFirstSave"), QStringLiteral("1"));

        const QString path = s.open("handling/plain.cfg");
        const QByteArray before = contents(path);
        s.box("txtGewicht")->setText("999.5");  // ARROW, shown first
        s.window.save();
        QByteArray expected = before;
        expected.replace("ARROW           1500.0 ", "ARROW            999.5 ");
        QCOMPARE(contents(path), expected);
        QCOMPARE(contents(path + ".backup"), before);
        QCOMPARE(s.desktop.texts(Kind::Status),
                 QStringList{s.text(116) + " " + s.text(182) + " " + path + ".backup"});
        QVERIFY(s.desktop.texts(Kind::Information).isEmpty());

        MainWindow again(s.desktop, kLanguages);
        again.start();
        QVERIFY(again.keepLayoutAction->isChecked() && again.backupFirstAction->isChecked());
        again.keepLayoutAction->trigger();
        QCOMPARE(s.desktop.settings.value("Settings/KeepLayout"), QStringLiteral("0"));
    }

    // A file without vehicles after one with: nothing of the earlier vehicle
    // stays shown or editable, and nothing typed marks the file changed.
    void fileWithoutVehiclesShowsNothingToEdit() {
        Session s;
        s.open("ide/plain.ide", "default.ide");
        QVERIFY(s.window.findChild<VehicleDefPages*>()->isEnabled());
        s.open("ide/empty_cars.ide", "empty.ide");
        QVERIFY(s.document().isLoaded());
        QVERIFY(!s.window.findChild<VehicleDefPages*>()->isEnabled());
        QVERIFY(s.box("txtID")->text().isEmpty());
        s.box("txtID")->setText("77");
        QVERIFY(s.document().SavedFlag);
    }

    // Closing with unsaved changes offers Save, Discard and Cancel; a save
    // that fails keeps the window open and the changes unsaved.
    void closingOffersToSaveTheChanges_data() {
        QTest::addColumn<int>("answer");  // -1: the question was closed
        QTest::addColumn<bool>("writeFails");
        QTest::addColumn<bool>("written");
        QTest::addColumn<bool>("closed");
        QTest::newRow("Save") << 0 << false << true << true;
        QTest::newRow("Discard") << 1 << false << false << true;
        QTest::newRow("Cancel") << 2 << false << false << false;
        QTest::newRow("question closed") << -1 << false << false << false;
        QTest::newRow("Save fails") << 0 << true << false << false;
    }

    void closingOffersToSaveTheChanges() {
        QFETCH(int, answer);
        QFETCH(bool, writeFails);
        QFETCH(bool, written);
        QFETCH(bool, closed);
        Session s;
        const QString path = s.open("handling/plain.cfg");
        const QByteArray before = contents(path);
        s.window.show();
        s.box("txtAuthor")->setText("Someone else");
        s.desktop.choices.enqueue(answer);
        if (writeFails) {
            s.desktop.nextWriteFailure = FileResult::failure(28, "No space left on device");
        }
        QCOMPARE(s.window.close(), closed);

        QCOMPARE(s.desktop.texts(Kind::Question),
                 QStringList{s.text(Text::SaveChangesQuestion).arg("plain.cfg") + "\n" +
                             s.text(Text::SaveButton) + "|" + s.text(Text::Discard) + "|" +
                             s.text(Text::Cancel)});
        QCOMPARE(contents(path) != before, written);
        QCOMPARE(s.window.isVisible(), !closed);
        QCOMPARE(s.document().SavedFlag, written);
        QCOMPARE(s.document().Author, "Someone else");
        QCOMPARE(s.desktop.texts(Kind::Notice).size(), writeFails ? 1 : 0);

        // Nothing unsaved: no question.
        s.window.show();
        s.window.save();
        s.window.quit();
        QVERIFY(!s.window.isVisible());
        QCOMPARE(s.desktop.texts(Kind::Question).size(), 1);
    }

    // Each entry of a name that stands twice shows and edits its own record.
    void eachEntryOfATwiceStandingNameEditsItsOwnRecord() {
        Session s;
        s.open("handling/problems.cfg");
        const int first = static_cast<int>(s.listed().indexOf("TWIN_VAN"));
        s.chooseVehicle(first);
        QCOMPARE(s.box("txtGewicht")->text(), QStringLiteral("2600.0"));
        s.chooseVehicle(first + 1);
        QCOMPARE(s.box("txtGewicht")->text(), QStringLiteral("2750.0"));
        s.box("txtGewicht")->setText("2700.0");
        s.chooseVehicle(first);
        QCOMPARE(s.box("txtGewicht")->text(), QStringLiteral("2600.0"));
        s.chooseVehicle(first + 1);
        QCOMPARE(s.box("txtGewicht")->text(), QStringLiteral("2700.0"));
        QVERIFY(!s.document().SavedFlag);
    }

    void theListFollowsTheNameWhileItIsTyped() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        s.chooseVehicle(1);  // BRISK
        QLineEdit* name = s.box("txtAutoname");
        name->selectAll();
        QTest::keyClicks(name, "ZZ");
        QCOMPARE(s.listed(), (QStringList{"ARROW", "ZZ", "MULE", "ZEPHYR"}));
        QCOMPARE(s.chosenRow(), 1);
        QTest::keyClicks(name, "_TOO_LONG_A_NAME");
        QCOMPARE(name->text().size(), 14);

        s.window.save();
        QVERIFY(contents(path).contains(name->text().toLatin1() + " "));
        QVERIFY(!contents(path).contains("BRISK"));
    }

    // A choice in View > Language switches Qt's own buttons too and is
    // remembered; the pages' texts follow (tst_showing's everyBoxIsNamedByItsCaption).
    void languageSwitchReachesQtsOwnTexts() {
        Session s;
        QCOMPARE(checkedLanguage(s.window), QStringLiteral("English"));
        const auto yesText = [] {
            QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::No);
            return buttons.button(QDialogButtonBox::Yes)->text();
        };
        QCOMPARE(yesText(), QStringLiteral("&Yes"));
        s.chooseLanguage("Deutsch");
        QCOMPARE(checkedLanguage(s.window), QStringLiteral("Deutsch"));
        QCOMPARE(s.desktop.settings.value("Settings/Language"), QStringLiteral("Deutsch"));
        QCOMPARE(yesText(), QStringLiteral("&Ja"));
        s.chooseLanguage("English");
        QCOMPARE(yesText(), QStringLiteral("&Yes"));
    }

    // The keys of the commands are the desktop's standard keys, whatever
    // language the texts are in: a start in the remembered language and
    // each switch keep them.
    void commandKeysSurviveEveryLanguage() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        QVERIFY(s.showActive());
        QLineEdit* date = s.box("txtDate");
        date->setFocus();
        const QStringList languages{"English", "Deutsch", "English"};
        for (qsizetype k = 0; k < languages.size(); ++k) {
            if (k > 0) {
                s.chooseLanguage(languages[k]);
            }
            const QString typed = QStringLiteral("2030-01-0%1").arg(k + 1);
            retype(date, typed);
            QVERIFY(s.window.isWindowModified());
            QTest::keyClick(&s.window, Qt::Key_S, Qt::ControlModifier);
            QVERIFY2(contents(path).contains("; Created " + typed.toLatin1() + "\r\n"),
                     qPrintable(languages[k]));
            QVERIFY(!s.window.isWindowModified());

            const qsizetype requests = s.desktop.openRequests.size();
            QTest::keySequence(&s.window, QKeySequence::Open);  // cancelled
            QCOMPARE(s.desktop.openRequests.size(), requests + 1);
        }
    }

    // Before Open and before a dropped file opens: the question of closing
    // (closingOffersToSaveTheChanges shows every answer).
    void unsavedChangesAreAskedAbout() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        s.box("txtAuthor")->setText("Someone else");
        QVERIFY(!s.document().SavedFlag);
        s.desktop.choices.enqueue(2);
        s.window.openDocument();
        QCOMPARE(s.desktop.texts(Kind::Question).size(), 1);
        QVERIFY(s.desktop.openRequests.isEmpty());
        QCOMPARE(s.document().Author, "Someone else");

        const QString other = s.copy("handling/problems.cfg", "other.cfg");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(other)});
        const auto drop = [&] {
            // A drop reaches only the window that accepted the drag.
            QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                                  Qt::NoModifier);
            QApplication::sendEvent(&s.window, &enter);
            QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                               Qt::NoModifier);
            QApplication::sendEvent(&s.window, &dropped);
        };
        s.desktop.choices.enqueue(0);  // Save, then open
        drop();
        QCOMPARE(s.desktop.texts(Kind::Question).size(), 2);
        QCOMPARE(QString::fromStdString(s.document().FilePath), other);
        QVERIFY(contents(path).contains("Someone else"));
    }

    // Undo and redo go step by step in every kind of file, typing into one
    // box being one step; the keys reach the window's history also from inside
    // a text box, and undo shows the vehicle it changes. Undoing back to the
    // state last saved makes the document saved again, and the file saved
    // there is the original.
    void typingIsUndoneStepByStep_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("firstBox");
        QTest::addColumn<QString>("secondBox");  // empty: one box only
        QTest::newRow("handling") << "handling/plain.cfg"
                                  << "txtGewicht"
                                  << "txtAutoname";
        QTest::newRow("vehicle definitions") << "ide/plain.ide"
                                             << "txtFrequenz"
                                             << "txtHandlingID";
        QTest::newRow("car colours") << "dat/plain.dat"
                                     << "txtColorName" << QString();
    }

    void typingIsUndoneStepByStep() {
        QFETCH(QString, file);
        QFETCH(QString, firstBox);
        QFETCH(QString, secondBox);
        Session s;
        s.window.keepLayoutAction->setChecked(true);
        const QString path = s.open(file);
        const QByteArray original = contents(path);
        QVERIFY(s.showActive());
        QVERIFY(!s.window.undoAction->isEnabled());
        s.chooseVehicle(1);
        const QString chosen = s.chosenName();
        QLineEdit* first = s.box(firstBox.toLatin1().constData());
        QLineEdit* second = secondBox.isEmpty() ? nullptr : s.box(secondBox.toLatin1().constData());
        const QString firstBefore = first->text();
        first->setFocus();
        retype(first, "77");
        if (second) {
            second->setFocus();
            retype(second, "ZZ");
        }
        s.chooseVehicle(0);  // another vehicle shown
        QVERIFY(s.window.isWindowModified());
        const auto press = [&](QKeySequence::StandardKey key, int times) {
            for (int k = 0; k < times; ++k) {
                QTest::keySequence(QApplication::focusWidget(), key);
            }
        };

        if (second) {
            press(QKeySequence::Undo, 1);
            QCOMPARE(second->text(), chosen);
            QCOMPARE(s.chosenName(), chosen);
            QCOMPARE(first->text(), QStringLiteral("77"));
            QVERIFY(s.window.isWindowModified());
        }
        press(QKeySequence::Undo, 1);
        QCOMPARE(first->text(), firstBefore);
        QVERIFY(!s.window.isWindowModified());
        QVERIFY(!s.window.undoAction->isEnabled());
        QTest::keySequence(&s.window, QKeySequence::Save);
        QCOMPARE(contents(path), original);

        press(QKeySequence::Redo, 1);
        if (second) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
            QVERIFY(s.listed().contains("ZZ"));
        }
        QCOMPARE(first->text(), QStringLiteral("77"));
        QVERIFY(s.window.isWindowModified());
        s.window.save();
        QVERIFY(contents(path) != original);
        QVERIFY(!s.window.isWindowModified());

        press(QKeySequence::Undo, second ? 2 : 1);
        QVERIFY(s.window.isWindowModified());
        s.window.save();
        QCOMPARE(contents(path), original);
        QVERIFY(!s.window.isWindowModified());

        s.open("handling/problems.cfg", "other.cfg");
        QVERIFY(!s.window.undoAction->isEnabled() && !s.window.redoAction->isEnabled());
    }
};

QTEST_MAIN(MainWindowTests)
#include "tst_main_window.moc"
