// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <QMimeData>

#include "model/ProgramVersion.h"
#include "support/WindowSession.h"

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
        QTest::newRow("English") << QByteArray("en_GB.UTF-8") << "English";
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
        QCOMPARE(window.languageChooser->currentText(), language);
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
        QCOMPARE(request.filters[3].patterns, (QStringList{"*.dat", "*.dat.backup"}));

        QVERIFY(s.desktop.messages.isEmpty());
        QCOMPARE(s.desktop.busyDepth, 0);
        QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), path);
        QCOMPARE(s.window.windowTitle(), QStringLiteral("plain.cfg[*] \u2014 Wendrake"));
        QCOMPARE(s.window.windowFilePath(), path);
        QCOMPARE(s.listed(), (QStringList{"ARROW", "BRISK", "MULE", "ZEPHYR"}));
        QCOMPARE(s.window.handlingPages->txtAuthor->text(), QStringLiteral("Jo Tester"));
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
        QCOMPARE(s.desktop.texts(Kind::Notice), QStringList{s.text(12)});
        QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), gone);
        QCOMPARE(QString::fromStdString(s.document().FilePath), path);
        QCOMPARE(s.window.vehicleChooser->count(), 4);

        s.window.handlingPages->txtDate->setText("2027-01-01");
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
    // opens again.
    void theNameDecidesTheKind() {
        Session s;
        const QString ide = s.copy("ide/plain.ide", "default.ide");
        s.openByDialog(ide, 2);  // the handling files' filter
        QVERIFY(s.desktop.texts(Kind::Notice).isEmpty());
        QCOMPARE(s.document().kind, DataFileKind::VehicleDefs);
        QCOMPARE(s.desktop.openRequests.last().filters.first().patterns.size(), 6);

        const QString bare = s.dir.filePath("mycars");
        s.desktop.saveChoices.enqueue(bare);
        s.window.saveAs();
        QVERIFY(!QFile::exists(bare));
        QVERIFY(QFile::exists(bare + ".ide"));
        QCOMPARE(QString::fromStdString(s.document().FilePath), bare + ".ide");
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
        QVERIFY(s.document().FilePath.empty());
        QVERIFY(s.document().SavedFlag);
        QCOMPARE(s.window.vehicleChooser->count(), 0);
        QVERIFY(!s.window.saveAction->isEnabled() && !s.window.saveAsAction->isEnabled());
        QCOMPARE(s.window.windowFilePath(), rejected);  // the title names the failed file
        QCOMPARE(s.desktop.busyDepth, 0);
        QVERIFY(!s.desktop.messages.last().whileBusy);

        // Nothing can reach the rejected file any more.
        s.window.save();
        QCOMPARE(contents(rejected), bytes);
    }

    void lineEndRepairWritesTheFileOrOpensFromMemory() {
        Session s;
        const QString path = s.open("handling/lf_only.cfg");
        QCOMPARE(contents(path), contents(kTestData + "handling/plain.cfg") + "\r\n");
        QCOMPARE(s.window.vehicleChooser->count(), 4);

        // When the repaired text cannot be written the file still opens.
        const QString readOnly = s.copy("handling/lf_only.cfg", "second.cfg");
        s.desktop.nextWriteFailure = FileResult::failure(5, "Permission denied");
        s.window.openFile(readOnly);
        QCOMPARE(contents(readOnly), contents(kTestData + "handling/lf_only.cfg"));
        QCOMPARE(s.window.vehicleChooser->count(), 4);
        QVERIFY(s.window.saveAction->isEnabled());
        QVERIFY(s.desktop.texts(Kind::Notice).isEmpty());
    }

    // Keeping the file's layout is the player's choice beside Save: it is
    // remembered for the next start, and Save then rewrites the edited line
    // alone.
    void keepLayoutIsRememberedAndUsed() {
        Session s;
        QVERIFY(!s.window.keepLayoutBox->isChecked());
        QCOMPARE(s.window.keepLayoutBox->text(), s.text(190));
        s.window.keepLayoutBox->click();
        QCOMPARE(s.desktop.settings.value("Settings/KeepLayout"), QStringLiteral("1"));

        const QString path = s.open("handling/plain.cfg");
        const QByteArray before = contents(path);
        s.session().setHandlingValue(0, HandlingField::Gewicht, "999.5");
        s.window.save();
        QByteArray expected = before;
        expected.replace("ZEPHYR          1250.0 ", "ZEPHYR           999.5 ");
        QCOMPARE(contents(path), expected);

        MainWindow again(s.desktop, kLanguages);
        again.start();
        QVERIFY(again.keepLayoutBox->isChecked());
        again.keepLayoutBox->click();
        QCOMPARE(s.desktop.settings.value("Settings/KeepLayout"), QStringLiteral("0"));
    }

    // Before the first save over a file in a session, the file as it was on
    // disk is copied to NAME.backup (unless that exists), and the player is
    // told; the choice is remembered.
    void firstSaveBacksUpTheFile() {
        Session s;
        QVERIFY(!s.window.backupFirstBox->isChecked());
        s.window.backupFirstBox->click();
        QCOMPARE(s.desktop.settings.value("Settings/BackupBeforeFirstSave"), QStringLiteral("1"));
        const QString path = s.open("handling/plain.cfg");
        const QByteArray before = contents(path);
        s.window.handlingPages->txtGewicht->setText("1.0");
        s.window.save();
        QCOMPARE(contents(path + ".backup"), before);
        QCOMPARE(s.desktop.texts(Kind::Information),
                 (QStringList{s.text(182) + "\n" + path + ".backup", s.text(116)}));
        s.window.handlingPages->txtGewicht->setText("2.0");
        s.window.save();
        QCOMPARE(contents(path + ".backup"), before);
        QCOMPARE(s.desktop.texts(Kind::Information).size(), 3);
    }

    // A file without vehicles after one with: nothing of the earlier vehicle
    // stays shown or editable, and nothing typed marks the file changed.
    void fileWithoutVehiclesShowsNothingToEdit() {
        Session s;
        s.open("ide/plain.ide", "default.ide");
        QVERIFY(s.window.vehicleDefPages->isEnabled());
        s.open("ide/empty_cars.ide", "empty.ide");
        QVERIFY(s.document().isLoaded());
        QVERIFY(!s.window.vehicleDefPages->isEnabled());
        QVERIFY(s.window.vehicleDefPages->txtID->text().isEmpty());
        s.window.vehicleDefPages->txtID->setText("77");
        QVERIFY(s.document().SavedFlag);
    }

    void saveAsAdoptsTheNewPath() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        const QByteArray original = contents(path);
        s.window.saveAs();  // cancelled
        QVERIFY(s.desktop.messages.isEmpty());

        const QString copy = s.dir.filePath("copy.cfg");
        s.desktop.saveChoices.enqueue(copy);
        s.window.saveAs();
        QCOMPARE(QString::fromStdString(s.document().FilePath), copy);
        QCOMPARE(s.window.windowFilePath(), copy);
        QCOMPARE(contents(path), original);
        QVERIFY(contents(copy).contains("ZEPHYR "));
        QCOMPARE(s.desktop.texts(Kind::Information), QStringList{s.text(116)});
        QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), path);  // not stored by save as
    }

    void quittingWithUnsavedChangesAsks() {
        Session s;
        s.open("handling/plain.cfg");
        s.window.show();
        s.window.quit();  // nothing unsaved: no question
        QVERIFY(s.desktop.texts(Kind::Question).isEmpty());
        QVERIFY(!s.window.isVisible());

        s.window.show();
        s.window.handlingPages->txtAuthor->setText("x");
        s.desktop.answers.enqueue(false);
        s.window.quit();
        QCOMPARE(s.desktop.texts(Kind::Question), QStringList{s.text(117)});
        QVERIFY(s.window.isVisible());

        s.desktop.answers.enqueue(true);
        QVERIFY(s.window.close());
        QVERIFY(!s.window.isVisible());
    }

    void showingVehiclesNeverChangesTheDocument() {
        Session s;
        s.open("handling/problems.cfg");
        for (int i = 0; i < s.window.vehicleChooser->count(); ++i) {
            s.window.vehicleChooser->setCurrentIndex(i);
            QCOMPARE(s.window.handlingPages->txtAutoname->text(),
                     s.window.vehicleChooser->itemText(i));
        }

        // Each entry of a name that stands twice shows and edits its own record.
        const int first = static_cast<int>(s.listed().indexOf("TWIN_VAN"));
        s.window.vehicleChooser->setCurrentIndex(first);
        QCOMPARE(s.window.handlingPages->txtGewicht->text(), QStringLiteral("2600.0"));
        s.window.vehicleChooser->setCurrentIndex(first + 1);
        QCOMPARE(s.window.handlingPages->txtGewicht->text(), QStringLiteral("2750.0"));
        s.window.handlingPages->txtGewicht->setText("2700.0");
        s.window.vehicleChooser->setCurrentIndex(first);
        QCOMPARE(s.window.handlingPages->txtGewicht->text(), QStringLiteral("2600.0"));
        s.window.vehicleChooser->setCurrentIndex(first + 1);
        QCOMPARE(s.window.handlingPages->txtGewicht->text(), QStringLiteral("2700.0"));
        QVERIFY(!s.document().SavedFlag);
    }

    void theListFollowsTheNameWhileItIsTyped() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        s.window.vehicleChooser->setCurrentIndex(1);  // BRISK
        QLineEdit* name = s.window.handlingPages->txtAutoname;
        name->selectAll();
        QTest::keyClicks(name, "ZZ");
        QCOMPARE(s.listed(), (QStringList{"ARROW", "ZZ", "MULE", "ZEPHYR"}));
        QCOMPARE(s.window.vehicleChooser->currentIndex(), 1);
        QTest::keyClicks(name, "_TOO_LONG_A_NAME");
        QCOMPARE(name->text().size(), 14);

        s.window.save();
        QVERIFY(contents(path).contains(name->text().toLatin1() + " "));
        QVERIFY(!contents(path).contains("BRISK"));
    }

    void languageSwitchRefreshesCaptionsAndTheShownVehicle() {
        Session s;
        s.open("handling/plain.cfg");
        auto* label = s.window.findChild<QLabel*>("lblGewicht");
        QCOMPARE(label->text(), QStringLiteral("Mass (kg)"));

        s.chooseLanguage("Deutsch");
        QCOMPARE(label->text(), QStringLiteral("Gewicht (kg)"));
        QCOMPARE(s.desktop.settings.value("Settings/Language"), QStringLiteral("Deutsch"));
    }

    // The keys of the commands are the desktop's standard keys, whatever
    // language the texts are in: a start in the remembered language and
    // each switch keep them.
    void commandKeysSurviveEveryLanguage() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        s.window.show();
        s.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        QLineEdit* date = s.window.handlingPages->txtDate;
        date->setFocus();
        const QStringList languages{"English", "Deutsch", "English"};
        for (qsizetype k = 0; k < languages.size(); ++k) {
            if (k > 0) {
                s.chooseLanguage(languages[k]);
            }
            const QString typed = QStringLiteral("2030-01-0%1").arg(k + 1);
            retype(date, typed);
            QVERIFY(s.window.isWindowModified());
            QTest::keySequence(date, QKeySequence::Save);
            QVERIFY2(contents(path).contains("; Created " + typed.toLatin1() + "\r\n"),
                     qPrintable(languages[k]));
            QVERIFY(!s.window.isWindowModified());

            const qsizetype requests = s.desktop.openRequests.size();
            QTest::keySequence(&s.window, QKeySequence::Open);  // cancelled
            QCOMPARE(s.desktop.openRequests.size(), requests + 1);
        }
    }

    // Each handling open replaces the rows; the list shows itself when there
    // are rows and stays as it was when there are none.
    void errorWindowListsEachHandlingOpen() {
        Session s;
        s.open("handling/plain.cfg");
        QVERIFY(!s.window.problemsWindow->isVisible());
        s.open("handling/problems.cfg");
        QVERIFY(s.window.problemsWindow->isVisible());
        QAbstractItemModel* rows = s.window.problemsWindow->lstErrors->model();
        QCOMPARE(rows->rowCount(), 6);

        s.open("handling/plain.cfg");
        QCOMPARE(rows->rowCount(), 0);
        QVERIFY(s.window.problemsWindow->isVisible());
    }

    void errorRowLeadsToItsValue() {
        Session s;
        s.open("handling/problems.cfg");
        const ErrorListEntry row = s.document().Errors.at(3);  // BAD_MASS, its mass
        emit s.window.problemsWindow->rowActivated(row);
        QCOMPARE(s.window.vehicleChooser->currentText(), QStringLiteral("BAD_MASS"));
        QCOMPARE(s.window.handlingPages->txtGewicht->text(), QStringLiteral("heavy"));
        QVERIFY(s.window.handlingPages->currentWidget()->isAncestorOf(
            s.window.handlingPages->txtGewicht));
    }

    // Before Open and before a dropped file opens.
    void unsavedChangesAreAskedAbout() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        s.window.handlingPages->txtAuthor->setText("Someone else");
        QVERIFY(!s.document().SavedFlag);
        s.desktop.answers.enqueue(false);
        s.window.openDocument();
        QCOMPARE(s.desktop.texts(Kind::Question), QStringList{s.text(118)});
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
        s.desktop.answers.enqueue(false);
        drop();
        QCOMPARE(s.desktop.texts(Kind::Question).size(), 2);
        QCOMPARE(s.window.vehicleChooser->count(), 4);
        s.desktop.answers.enqueue(true);
        drop();
        QCOMPARE(QString::fromStdString(s.document().FilePath), other);

        s.window.handlingPages->txtAuthor->setText("Someone else");
        s.desktop.answers.enqueue(true);
        s.openByDialog(path);
        QCOMPARE(s.desktop.openRequests.size(), 1);
        QCOMPARE(s.document().Author, "Jo Tester");
        QVERIFY(s.document().SavedFlag);
    }

    // Undo and redo go step by step, typing into one box being one step;
    // the keys reach the window's history also from inside a text box.
    // Undoing back to the state last saved makes the document saved again,
    // and the file saved there is the original.
    void typingIsUndoneStepByStep() {
        Session s;
        s.window.keepLayoutBox->setChecked(true);
        const QString path = s.open("handling/plain.cfg");
        const QByteArray original = contents(path);
        s.window.show();
        s.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        QVERIFY(!s.window.undoAction->isEnabled());
        s.window.vehicleChooser->setCurrentIndex(1);  // BRISK
        QLineEdit* mass = s.window.handlingPages->txtGewicht;
        QLineEdit* name = s.window.handlingPages->txtAutoname;
        mass->setFocus();
        retype(mass, "1234.5");
        name->setFocus();
        retype(name, "ZZ");
        s.window.vehicleChooser->setCurrentIndex(0);  // another vehicle shown
        QVERIFY(s.window.isWindowModified());
        const auto press = [&](QKeySequence::StandardKey key, int times) {
            for (int k = 0; k < times; ++k) {
                QTest::keySequence(QApplication::focusWidget(), key);
            }
        };

        press(QKeySequence::Undo, 1);
        QCOMPARE(name->text(), QStringLiteral("BRISK"));
        QCOMPARE(s.window.vehicleChooser->currentText(), QStringLiteral("BRISK"));
        QCOMPARE(mass->text(), QStringLiteral("1234.5"));
        QVERIFY(s.window.isWindowModified());
        press(QKeySequence::Undo, 1);
        QCOMPARE(mass->text(), QStringLiteral("1050.0"));
        QVERIFY(!s.window.isWindowModified());
        QVERIFY(!s.window.undoAction->isEnabled());

        press(QKeySequence::Redo, 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(s.listed(), (QStringList{"ARROW", "ZZ", "MULE", "ZEPHYR"}));
        QCOMPARE(mass->text(), QStringLiteral("1234.5"));
        QVERIFY(s.window.isWindowModified());
        s.window.save();
        QVERIFY(contents(path) != original);
        QVERIFY(!s.window.isWindowModified());

        press(QKeySequence::Undo, 2);
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
