#include <QtTest>

#include <QMimeData>

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
    void everyControlIsOnItsPage_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("tabs");  // empty: outside the tab controls
        QTest::addColumn<int>("page");
        // "+Name" stands for txtName, lblName and lblNameInfo.
        // clang-format off
        const std::tuple<const char*, int, const char*> pages[] = {
            {"", -1, "cmdOpen cmdSave cmdSaveAs cmdBackup cmdUndo cmdInfo cmdHelp cmdEnde "
                     "FrameAutos cmbAutos FrameSprache cmbSprache SSTab1 SSTab2 SSTab3"},
            {"SSTab1", 0, "+Autoname +Gewicht +PedSeat +Koll +Preis cmbFrontLichter "
                          "cmbRearLichter lblFrontLichter lblRearLichter"},
            {"SSTab1", 1, "+Breite +Hoehe +Laenge +MassenmittelpX +MassenmittelpY "
                          "+MassenmittelpZ +SubMerged"},
            {"SSTab1", 2, "cmbAntrieb cmbMotor lblAntrieb lblMotorTyp +Beschleunigung "
                          "+Geschwindigkeit +Gaenge +TractionMulti +TractionLoss +TractionBias"},
            {"SSTab1", 3, "+Bremsstaerke +BrakeBias chkABS lblABS"},
            {"SSTab1", 4, "+Radeinschlag +Kraftlevel +DLevel +OLimit +ULimit +Bias"},
            {"SSTab1", 5, "chkFlag1 chkFlag2 chkFlag3 chkFlag4 chkFlag5 chkFlag6 chkFlag7 "
                          "chkFlag8 chkFlag9 chkFlag10 chkFlag11 chkFlag12 chkFlag13 chkFlag14 "
                          "chkFlag15 chkFlag16"},
            {"SSTab1", 6, "picFrame picCar"},
            {"SSTab1", 7, "cmdImportCar cmdExportCar frameAuthor txtAuthor frameDate txtDate"},
            {"SSTab2", 0, "+ID +ModelName +TXDName +HandlingID +GameName"},
            {"SSTab2", 1, "cmbTyp lblTyp lblTypInfo cmbKlasse lblKlasse lblKlasseInfo +Frequenz "
                          "+Level +CompRules txtExtra1 cmbExtra1 lblExtra1 lblExtra1Info "
                          "+Extra2"},
            {"SSTab2", 2, "picFrame2 picCar2"},
            {"SSTab3", 0, "lstColors txtColorName HScroll1 HScroll2 HScroll3 picFarbe "
                          "cmdNewColor cmdDeleteColor lblColorName lblRot lblGrün lblBlau "
                          "lblRotWert lblGrünWert lblBlauWert"},
            {"SSTab3", 1, "frameColors lstCarColors cmdRemColor frameAddColors cmbColor1 "
                          "cmbColor2 picColor1 picColor2 cmdAddColor lblColor1 lblColor2"}};
        // clang-format on
        for (const auto& [tabs, page, names] : pages) {
            for (QString name : QString::fromUtf8(names).split(QLatin1Char(' '))) {
                const QStringList controls =
                    name.startsWith('+') ? QStringList{"txt", "lbl", "lbl+Info"} : QStringList{""};
                for (QString control : controls) {
                    control = control.contains('+') ? control.replace("+", name.mid(1))
                                                    : control + name.mid(name.startsWith('+'));
                    QTest::newRow(qPrintable(control)) << control << tabs << page;
                }
            }
        }
    }

    void everyControlIsOnItsPage() {
        QFETCH(QString, control);
        QFETCH(QString, tabs);
        QFETCH(int, page);
        Session s;
        auto* widget = s.window.findChild<QWidget*>(control);
        QVERIFY2(widget, qPrintable(control + " is missing"));
        if (tabs.isEmpty()) {
            return;
        }
        auto* tabWidget = s.window.findChild<QTabWidget*>(tabs);
        QVERIFY(tabWidget && page < tabWidget->count());
        QVERIFY2(tabWidget->widget(page)->isAncestorOf(widget),
                 qPrintable(control + " is not on page " + QString::number(page) + " of " + tabs));
    }

    void startWritesItsSettingsAndNeedsALanguage() {
        Session s;
        QCOMPARE(s.desktop.settings.value("Exe/Path"), kLanguages);
        QCOMPARE(s.desktop.settings.value("Exe/Version"), QStringLiteral("2.0.0"));
        QCOMPARE(s.window.cmbSprache->count(), 2);
        QCOMPARE(s.window.cmbSprache->currentText(), QStringLiteral("English"));
        QVERIFY(!s.window.cmdSave->isEnabled());
        QVERIFY(!s.window.FrameAutos->isEnabled());

        QTemporaryDir empty;
        ScriptedDesktop desktop;
        frmMain window(desktop, empty.path() + QLatin1Char('/'));
        QVERIFY(!window.start());
        QCOMPARE(desktop.texts(Kind::Notice),
                 QStringList{"No language-file found! Please reinstall the application."});
    }

    void openFillsTheWindowAndRemembersTheChoice() {
        Session s;
        s.window.cmdOpen_Click();  // cancelled
        QVERIFY(s.desktop.messages.isEmpty());
        QVERIFY(!s.desktop.settings.contains("Settings/OpenPath"));
        QVERIFY(!s.window.cmdSave->isEnabled());

        const QString path = s.copy("handling/plain.cfg");
        s.desktop.settings.insert("Settings/FileIndex", "1");
        s.desktop.settings.insert("Settings/OpenPath", path);
        s.openByDialog(path);
        const OpenDialogRequest& request = s.desktop.openRequests.last();
        QCOMPARE(request.initialFilter, 1);
        QCOMPARE(request.initialFile, path);
        QCOMPARE(request.filters.size(), 3);
        QCOMPARE(request.filters[2].patterns, (QStringList{"*.dat", "*.dat.backup"}));

        QVERIFY(s.desktop.messages.isEmpty());
        QCOMPARE(s.desktop.busyDepth, 0);
        QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), path);
        QCOMPARE(s.window.windowTitle(), "Zerrin PC-Version - CAR-Editor [" + path + "]");
        QCOMPARE(s.listed(), (QStringList{"ARROW", "BRISK", "MULE", "ZEPHYR"}));
        QCOMPARE(s.window.cmbAutos->currentIndex(), 0);
        QCOMPARE(s.document().HandlingRecords.at(s.document().CurrentHandling).name(), "ARROW");
        QCOMPARE(s.window.SSTab1->txtAuthor->text(), QStringLiteral("Jo Tester"));
        QCOMPARE(s.window.SSTab1->txtDate->text(), QStringLiteral("2026-01-15"));
        QVERIFY(s.document().SavedFlag);
        QVERIFY(s.window.cmdSave->isEnabled() && s.window.cmdSaveAs->isEnabled());
        QVERIFY(s.window.FrameAutos->isEnabled());

        // A file named at start is chosen as the dialog would and remembered
        // by its full path.
        s.desktop.settings.clear();
        QVERIFY(QDir::setCurrent(s.dir.path()));
        s.window.openFile("plain.cfg");
        QCOMPARE(QString::fromStdString(s.document().FilePath), path);
        QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), path);
        QCOMPARE(s.desktop.settings.value("Settings/FileIndex"), QStringLiteral("1"));
    }

    // The document still loaded stays saveable; a save never creates a file
    // that is gone from the disk.
    void missingFileKeepsTheLoadedDocument() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        const QString gone = s.dir.filePath("gone.cfg");
        s.openByDialog(gone);
        QCOMPARE(s.desktop.texts(Kind::Notice), QStringList{s.text(12)});
        QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), gone);
        QCOMPARE(QString::fromStdString(s.document().FilePath), path);
        QCOMPARE(s.window.cmbAutos->count(), 4);

        s.window.SSTab1->txtDate->setText("2027-01-01");
        s.window.cmdSave_Click();
        QVERIFY(contents(path).contains("; Created 2027-01-01\r\n"));
        QVERIFY(!QFile::exists(gone));

        QFile::remove(path);
        s.window.cmdSave_Click();
        QVERIFY(!QFile::exists(path));
        QCOMPARE(s.desktop.texts(Kind::Notice).size(), 2);
        QCOMPARE(s.desktop.texts(Kind::Information).size(), 1);
    }

    void rejectedFileEndsWithNothingLoaded_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("filter");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("notice");  // empty: text 150 and the line number
        const QByteArray plain = contents(kTestData + "handling/plain.cfg");
        QTest::newRow("cfg with the vehicle filter")
            << "a.cfg" << 2 << plain << "Error: Filetype unknown!";
        QTest::newRow("ending without its dot")
            << "acfg" << 1 << plain << "Error: Filetype unknown!";
        QTest::newRow("vehicle line with too few values")
            << "default.ide" << 2 << QByteArray("cars\r\n1, a, b\r\nend\r\n") << "";
        QTest::newRow("no vehicle in it")
            << "empty.cfg" << 1 << QByteArray("; nothing\r\n") << "Error: 380 - ";
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
        QCOMPARE(s.window.cmbAutos->count(), 0);
        QVERIFY(!s.window.cmdSave->isEnabled() && !s.window.cmdSaveAs->isEnabled());
        QVERIFY(s.window.windowTitle().endsWith("[" + rejected + "]"));
        QCOMPARE(s.desktop.busyDepth, 0);
        QVERIFY(!s.desktop.messages.last().whileBusy);

        // Nothing can reach the rejected file any more.
        s.window.cmdSave_Click();
        QCOMPARE(contents(rejected), bytes);
    }

    void lineEndRepairWritesTheFileOrOpensFromMemory() {
        Session s;
        const QString path = s.open("handling/lf_only.cfg");
        QCOMPARE(contents(path), contents(kTestData + "handling/plain.cfg") + "\r\n");
        QCOMPARE(s.window.cmbAutos->count(), 4);

        // When the repaired text cannot be written the file still opens.
        const QString readOnly = s.copy("handling/lf_only.cfg", "second.cfg");
        s.desktop.nextWriteFailure = FileResult::failure(5, "Permission denied");
        s.window.openFile(readOnly);
        QCOMPARE(contents(readOnly), contents(kTestData + "handling/lf_only.cfg"));
        QCOMPARE(s.window.cmbAutos->count(), 4);
        QVERIFY(s.window.cmdSave->isEnabled());
        QVERIFY(s.desktop.texts(Kind::Notice).isEmpty());
    }

    void saveWritesTheFileAndCommits() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        s.session().setHandlingValue(0, HandlingField::Gewicht, "999.5");
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
        QVERIFY(saved.indexOf("ARROW ") > 0 && saved.indexOf("ZEPHYR ") > saved.indexOf("ARROW "));

        // The first save ends the file as every later one: saving again changes nothing.
        s.window.cmdSave_Click();
        QCOMPARE(contents(path), saved);
    }

    // Keeping the file's layout is the player's choice beside Save: it is
    // remembered for the next start, and Save then rewrites the edited line
    // alone.
    void keepLayoutIsRememberedAndUsed() {
        Session s;
        QVERIFY(!s.window.chkKeepLayout->isChecked());
        QCOMPARE(s.window.chkKeepLayout->text(), s.text(190));
        s.window.chkKeepLayout->click();
        QCOMPARE(s.desktop.settings.value("Settings/KeepLayout"), QStringLiteral("1"));

        const QString path = s.open("handling/plain.cfg");
        const QByteArray before = contents(path);
        s.session().setHandlingValue(0, HandlingField::Gewicht, "999.5");
        s.window.cmdSave_Click();
        QByteArray expected = before;
        expected.replace("ZEPHYR          1250.0 ", "ZEPHYR           999.5 ");
        QCOMPARE(contents(path), expected);

        frmMain again(s.desktop, kLanguages);
        again.start();
        QVERIFY(again.chkKeepLayout->isChecked());
        again.chkKeepLayout->click();
        QCOMPARE(s.desktop.settings.value("Settings/KeepLayout"), QStringLiteral("0"));
    }

    void failedWriteLeavesFileAndDocument() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        const QByteArray before = contents(path);
        const auto snapshot = s.document().HandlingSnapshot;
        s.window.SSTab1->txtGewicht->setText("1.0");

        s.desktop.nextWriteFailure = FileResult::failure(28, "No space left on device");
        s.window.cmdSave_Click();
        QCOMPARE(contents(path), before);
        QVERIFY(!s.document().SavedFlag);
        QCOMPARE(s.document().HandlingSnapshot, snapshot);
        QVERIFY(s.desktop.texts(Kind::Information).isEmpty());
        QVERIFY(s.desktop.texts(Kind::Notice)
                    .first()
                    .startsWith("Error: 28 - No space left on device"));

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

    void saveAsAdoptsTheNewPath() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        const QByteArray original = contents(path);
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
        QCOMPARE(s.desktop.settings.value("Settings/OpenPath"), path);  // not stored by save as
    }

    void quittingWithUnsavedChangesAsks() {
        Session s;
        s.open("handling/plain.cfg");
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

    void windowRemembersItsPlace() {
        ScriptedDesktop desktop;
        {
            frmMain window(desktop, kLanguages);
            window.start();
            window.resize(900, 640);
            window.show();
            QVERIFY(window.close());
        }
        frmMain again(desktop, kLanguages);
        again.start();
        QCOMPARE(again.size(), QSize(900, 640));
    }

    void showingVehiclesNeverChangesTheDocument() {
        Session s;
        s.open("handling/problems.cfg");
        const auto records = s.document().HandlingRecords;
        for (int i = 0; i < s.window.cmbAutos->count(); ++i) {
            s.window.cmbAutos->setCurrentIndex(i);
            const auto& shown = s.document().HandlingRecords.at(s.document().CurrentHandling);
            QCOMPARE(fromBytes(shown.name()), s.window.cmbAutos->itemText(i));
            QCOMPARE(s.window.SSTab1->txtAutoname->text(), s.window.cmbAutos->itemText(i));
        }
        QVERIFY(s.document().SavedFlag);
        QCOMPARE(s.document().HandlingRecords, records);

        // Each entry of a name that stands twice shows and edits its own record.
        const int first = static_cast<int>(s.listed().indexOf("TWIN_VAN"));
        s.window.cmbAutos->setCurrentIndex(first);
        QCOMPARE(s.window.SSTab1->txtGewicht->text(), QStringLiteral("2600.0"));
        s.window.cmbAutos->setCurrentIndex(first + 1);
        QCOMPARE(s.window.SSTab1->txtGewicht->text(), QStringLiteral("2750.0"));
        s.window.SSTab1->txtGewicht->setText("2700.0");
        s.window.cmbAutos->setCurrentIndex(first);
        QCOMPARE(s.window.SSTab1->txtGewicht->text(), QStringLiteral("2600.0"));
        s.window.cmbAutos->setCurrentIndex(first + 1);
        QCOMPARE(s.window.SSTab1->txtGewicht->text(), QStringLiteral("2700.0"));
        QVERIFY(!s.document().SavedFlag);
    }

    void theListFollowsTheNameWhileItIsTyped() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        s.window.cmbAutos->setCurrentIndex(1);  // BRISK
        QLineEdit* name = s.window.SSTab1->txtAutoname;
        name->selectAll();
        QTest::keyClicks(name, "ZZ");
        QCOMPARE(s.listed(), (QStringList{"ARROW", "ZZ", "MULE", "ZEPHYR"}));
        QCOMPARE(s.window.cmbAutos->currentIndex(), 1);
        QTest::keyClicks(name, "_TOO_LONG_A_NAME");
        QCOMPARE(name->text().size(), 14);
        QCOMPARE(s.window.cmbAutos->itemText(1), name->text());

        s.window.cmdSave_Click();
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
        QCOMPARE(s.window.cmdOpen->text(), QStringLiteral("Lade Datei"));
        QCOMPARE(s.window.SSTab1->tabText(0), s.text(2));
        QCOMPARE(s.window.SSTab1->cmbAntrieb->itemText(1), s.text(47));
        QCOMPARE(s.window.errorWindow->lstErrors->model()->headerData(0, Qt::Horizontal),
                 s.text(107));
        QCOMPARE(s.desktop.settings.value("Settings/Language"), QStringLiteral("Deutsch"));
        QVERIFY(s.document().SavedFlag);
    }

    // Each handling open replaces the rows; the list shows itself when there
    // are rows and stays as it was when there are none.
    void errorWindowListsEachHandlingOpen() {
        Session s;
        s.open("handling/plain.cfg");
        QVERIFY(!s.window.errorWindow->isVisible());
        s.open("handling/problems.cfg");
        QVERIFY(s.window.errorWindow->isVisible());
        QAbstractItemModel* rows = s.window.errorWindow->lstErrors->model();
        QCOMPARE(rows->rowCount(), 5);
        QCOMPARE(rows->index(0, 0).data().toString(), QStringLiteral("SHORT_LINE"));
        QCOMPARE(rows->index(3, 1).data().toString(), s.text(17));

        s.open("handling/plain.cfg");
        QCOMPARE(rows->rowCount(), 0);
        QVERIFY(s.window.errorWindow->isVisible());
    }

    void errorRowLeadsToItsValue() {
        Session s;
        s.open("handling/problems.cfg");
        const ErrorListEntry row = s.document().Errors.at(3);  // BAD_MASS, its mass
        emit s.window.errorWindow->rowActivated(row);
        QCOMPARE(s.window.cmbAutos->currentText(), QStringLiteral("BAD_MASS"));
        QCOMPARE(s.window.SSTab1->txtGewicht->text(), QStringLiteral("heavy"));
        QVERIFY(s.window.SSTab1->currentWidget()->isAncestorOf(s.window.SSTab1->txtGewicht));
    }

    // Before Open and before a dropped file opens.
    void unsavedChangesAreAskedAbout() {
        Session s;
        const QString path = s.open("handling/plain.cfg");
        s.window.SSTab1->txtAuthor->setText("Someone else");
        QVERIFY(!s.document().SavedFlag);
        s.desktop.answers.enqueue(false);
        s.window.cmdOpen_Click();
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
        QCOMPARE(s.window.cmbAutos->count(), 4);
        s.desktop.answers.enqueue(true);
        drop();
        QCOMPARE(QString::fromStdString(s.document().FilePath), other);

        s.window.SSTab1->txtAuthor->setText("Someone else");
        s.desktop.answers.enqueue(true);
        s.openByDialog(path);
        QCOMPARE(s.desktop.openRequests.size(), 1);
        QCOMPARE(s.document().Author, "Jo Tester");
        QVERIFY(s.document().SavedFlag);
    }
};

QTEST_MAIN(MainWindowTests)
#include "tst_main_window.moc"
