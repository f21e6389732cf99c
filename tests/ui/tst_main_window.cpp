#include <QtTest>

#include <QMimeData>
#include <QTemporaryDir>

#include "platform/LanguageFiles.h"
#include "support/ScriptedDesktop.h"
#include "ui/frmMain.h"

using namespace wendrake;
using Kind = ScriptedDesktop::MessageKind;

namespace {

const QString kLanguages = QStringLiteral(WENDRAKE_LANGUAGES "/");
const QString kHandlingData = QStringLiteral(WENDRAKE_TEST_DATA "/handling/");

struct Session {
    ScriptedDesktop desktop;
    frmMain window{desktop, kLanguages};
    QTemporaryDir dir;

    explicit Session(const QString& language = QStringLiteral("English")) {
        desktop.settings.insert(QStringLiteral("Settings/Language"), language);
        window.start();
    }

    QString open(const QString& fixture) {
        const QString target = dir.filePath(fixture);
        QFile::copy(kHandlingData + fixture, target);
        QFile(target).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        window.openFile(target);
        return target;
    }

    EditorDocument& document() { return window.document(); }
    QStringList listed() const {
        QStringList names;
        for (int i = 0; i < window.cmbAutos->count(); ++i) {
            names << window.cmbAutos->itemText(i);
        }
        return names;
    }
};

}  // namespace

class MainWindowTests : public QObject {
    Q_OBJECT
  private slots:
    void everyControlIsOnItsPage_data();
    void everyControlIsOnItsPage();
    void showingVehiclesNeverChangesTheDocument();
    void theListFollowsTheNameWhileItIsTyped();
    void languageSwitchRefreshesCaptionsAndTheShownVehicle();
    void errorWindowListsEachHandlingOpen();
    void errorRowLeadsToItsValue();
    void droppedFileOpensAfterTheUnsavedQuestion();
    void windowRemembersItsPlace();
};

void MainWindowTests::everyControlIsOnItsPage_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("tabs");  // empty: outside the tab controls
    QTest::addColumn<int>("page");
    const auto outside = {"cmdOpen",      "cmdSave",    "cmdSaveAs", "cmdBackup",  "cmdUndo",
                          "cmdInfo",      "cmdHelp",    "cmdEnde",   "FrameAutos", "cmbAutos",
                          "FrameSprache", "cmbSprache", "SSTab1",    "SSTab2",     "SSTab3"};
    for (const char* name : outside) {
        QTest::newRow(name) << name << "" << -1;
    }
    const QList<std::tuple<const char*, int, QStringList>> pages = {
        {"SSTab1",
         0,
         {"txtAutoname", "txtGewicht", "txtPedSeat", "txtKoll", "txtPreis", "cmbFrontLichter",
          "cmbRearLichter", "lblAutoname", "lblAutonameInfo", "lblGewicht", "lblGewichtInfo",
          "lblPedSeat", "lblPedSeatInfo", "lblKoll", "lblKollInfo", "lblPreis", "lblPreisInfo",
          "lblFrontLichter", "lblRearLichter"}},
        {"SSTab1",
         1,
         {"txtBreite",
          "txtHoehe",
          "txtLaenge",
          "txtMassenmittelpX",
          "txtMassenmittelpY",
          "txtMassenmittelpZ",
          "txtSubMerged",
          "lblBreite",
          "lblBreiteInfo",
          "lblHoehe",
          "lblHoeheInfo",
          "lblLaenge",
          "lblLaengeInfo",
          "lblMassenmittelpX",
          "lblMassenmittelpXInfo",
          "lblMassenmittelpY",
          "lblMassenmittelpYInfo",
          "lblMassenmittelpZ",
          "lblMassenmittelpZInfo",
          "lblSubMerged",
          "lblSubMergedInfo"}},
        {"SSTab1", 2, {"cmbAntrieb",         "cmbMotor",
                       "txtBeschleunigung",  "txtGeschwindigkeit",
                       "txtGaenge",          "txtTractionMulti",
                       "txtTractionLoss",    "txtTractionBias",
                       "lblAntrieb",         "lblMotorTyp",
                       "lblBeschleunigung",  "lblBeschleunigungInfo",
                       "lblGeschwindigkeit", "lblGeschwindigkeitInfo",
                       "lblGaenge",          "lblGaengeInfo",
                       "lblTractionMulti",   "lblTractionMultiInfo",
                       "lblTractionLoss",    "lblTractionLossInfo",
                       "lblTractionBias",    "lblTractionBiasInfo"}},
        {"SSTab1",
         3,
         {"txtBremsstaerke", "txtBrakeBias", "chkABS", "lblBremsstaerke", "lblBremsstaerkeInfo",
          "lblBrakeBias", "lblBrakeBiasInfo", "lblABS"}},
        {"SSTab1",
         4,
         {"txtRadeinschlag", "txtKraftlevel", "txtDLevel", "txtOLimit", "txtULimit", "txtBias",
          "lblRadeinschlag", "lblRadeinschlagInfo", "lblKraftlevel", "lblKraftlevelInfo",
          "lblDLevel", "lblDLevelInfo", "lblOLimit", "lblOLimitInfo", "lblULimit", "lblULimitInfo",
          "lblBias", "lblBiasInfo"}},
        {"SSTab1", 6, {"picFrame", "picCar"}},
        {"SSTab1",
         7,
         {"cmdImportCar", "cmdExportCar", "frameAuthor", "txtAuthor", "frameDate", "txtDate"}},
        {"SSTab2",
         0,
         {"txtID", "txtModelName", "txtTXDName", "txtHandlingID", "txtGameName", "lblID",
          "lblIDInfo", "lblModelName", "lblModelNameInfo", "lblTXDName", "lblTXDNameInfo",
          "lblHandlingID", "lblHandlingIDInfo", "lblGameName", "lblGameNameInfo"}},
        {"SSTab2", 1, {"cmbTyp",       "cmbKlasse",        "txtFrequenz", "txtLevel",
                       "txtCompRules", "txtExtra1",        "cmbExtra1",   "txtExtra2",
                       "lblTyp",       "lblTypInfo",       "lblKlasse",   "lblKlasseInfo",
                       "lblFrequenz",  "lblFrequenzInfo",  "lblLevel",    "lblLevelInfo",
                       "lblCompRules", "lblCompRulesInfo", "lblExtra1",   "lblExtra1Info",
                       "lblExtra2",    "lblExtra2Info"}},
        {"SSTab2", 2, {"picFrame2", "picCar2"}},
        {"SSTab3",
         0,
         {"lstColors", "txtColorName", "HScroll1", "HScroll2", "HScroll3", "picFarbe",
          "cmdNewColor", "cmdDeleteColor", "lblColorName", "lblRot", "lblGrün", "lblBlau",
          "lblRotWert", "lblGrünWert", "lblBlauWert"}},
        {"SSTab3",
         1,
         {"frameColors", "lstCarColors", "cmdRemColor", "frameAddColors", "cmbColor1", "cmbColor2",
          "picColor1", "picColor2", "cmdAddColor", "lblColor1", "lblColor2"}},
    };
    for (const auto& [tabs, page, names] : pages) {
        for (const QString& name : names) {
            QTest::newRow(qPrintable(name)) << name << tabs << page;
        }
    }
    for (int box = 1; box <= 16; ++box) {
        const QString name = QStringLiteral("chkFlag%1").arg(box);
        QTest::newRow(qPrintable(name)) << name << "SSTab1" << 5;
    }
}

void MainWindowTests::everyControlIsOnItsPage() {
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
    QVERIFY(tabWidget);
    QVERIFY(page < tabWidget->count());
    QVERIFY2(tabWidget->widget(page)->isAncestorOf(widget),
             qPrintable(control + " is not on page " + QString::number(page) + " of " + tabs));
}

void MainWindowTests::showingVehiclesNeverChangesTheDocument() {
    Session s;
    s.open("problems.cfg");
    const auto records = s.document().HandlingRecords;
    for (int i = 0; i < s.window.cmbAutos->count(); ++i) {
        s.window.cmbAutos->setCurrentIndex(i);
        const auto& shown = s.document().HandlingRecords.at(s.document().CurrentHandling);
        QCOMPARE(fromBytes(shown.name()), s.window.cmbAutos->itemText(i));
        QCOMPARE(s.window.SSTab1->txtAutoname->text(), s.window.cmbAutos->itemText(i));
    }
    QVERIFY(s.document().SavedFlag);
    QCOMPARE(s.document().HandlingRecords, records);

    // Both entries of a name that stands twice show its first record.
    const int twin = static_cast<int>(s.listed().indexOf("TWIN_VAN"));
    s.window.cmbAutos->setCurrentIndex(twin + 1);
    QCOMPARE(s.window.SSTab1->txtGewicht->text(), QStringLiteral("2600.0"));

    s.window.SSTab1->txtGewicht->setText("2700.0");
    QVERIFY(!s.document().SavedFlag);
    s.window.cmbAutos->setCurrentIndex(0);
    QVERIFY(!s.document().SavedFlag);
}

void MainWindowTests::theListFollowsTheNameWhileItIsTyped() {
    Session s;
    const QString path = s.open("plain.cfg");
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
    const QByteArray saved = [&] {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    QVERIFY(saved.contains(name->text().toLatin1() + " "));
    QVERIFY(!saved.contains("BRISK"));
}

void MainWindowTests::languageSwitchRefreshesCaptionsAndTheShownVehicle() {
    Session s;
    s.open("plain.cfg");
    auto* label = s.window.findChild<QLabel*>("lblGewicht");
    QCOMPARE(label->text(), languageText(s.window.language(), 17));
    const QString english = label->text();

    s.window.cmbSprache->setCurrentIndex(s.window.cmbSprache->findText("Deutsch"));
    s.window.cmbSprache_Click();
    QCOMPARE(label->text(), QStringLiteral("Gewicht (kg)"));
    QVERIFY(label->text() != english);
    QCOMPARE(s.window.SSTab1->tabText(0), languageText(s.window.language(), 2));
    QCOMPARE(s.window.SSTab1->cmbAntrieb->itemText(1), languageText(s.window.language(), 47));
    QCOMPARE(s.window.errorWindow->lstErrors->model()->headerData(0, Qt::Horizontal).toString(),
             languageText(s.window.language(), 107));
    QCOMPARE(s.desktop.settings.value("Settings/Language"), QStringLiteral("Deutsch"));
    QVERIFY(s.document().SavedFlag);
}

void MainWindowTests::errorWindowListsEachHandlingOpen() {
    Session s;
    s.open("problems.cfg");
    QVERIFY(s.window.errorWindow->isVisible());
    QAbstractItemModel* rows = s.window.errorWindow->lstErrors->model();
    QCOMPARE(rows->rowCount(), 5);
    QCOMPARE(rows->index(0, 0).data().toString(), QStringLiteral("SHORT_LINE"));
    QCOMPARE(rows->index(3, 1).data().toString(), languageText(s.window.language(), 17));

    s.open("plain.cfg");
    QCOMPARE(rows->rowCount(), 0);
}

void MainWindowTests::errorRowLeadsToItsValue() {
    Session s;
    s.open("problems.cfg");
    const ErrorListEntry row = s.document().Errors.at(3);  // BAD_MASS, its mass
    emit s.window.errorWindow->rowActivated(row);
    QCOMPARE(s.window.cmbAutos->currentText(), QStringLiteral("BAD_MASS"));
    QCOMPARE(s.window.SSTab1->txtGewicht->text(), QStringLiteral("heavy"));
    QVERIFY(s.window.SSTab1->currentWidget()->isAncestorOf(s.window.SSTab1->txtGewicht));
}

void MainWindowTests::droppedFileOpensAfterTheUnsavedQuestion() {
    Session s;
    s.open("plain.cfg");
    const QString other = s.dir.filePath("other.cfg");
    QFile::copy(kHandlingData + "problems.cfg", other);
    s.window.SSTab1->txtGewicht->setText("1.0");

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(other)});
    const auto drop = [&] {
        // A drop reaches only the window that accepted the drag.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&s.window, &enter);
        QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&s.window, &dropped);
    };
    s.desktop.answers.enqueue(false);
    drop();
    QCOMPARE(s.desktop.texts(Kind::Question), QStringList{languageText(s.window.language(), 118)});
    QCOMPARE(s.window.cmbAutos->count(), 4);

    s.desktop.answers.enqueue(true);
    drop();
    QCOMPARE(QString::fromStdString(s.document().FilePath), other);
}

void MainWindowTests::windowRemembersItsPlace() {
    ScriptedDesktop desktop;
    {
        frmMain window(desktop, kLanguages);
        window.start();
        window.resize(900, 640);
        window.show();
        QVERIFY(window.close());
    }
    QVERIFY(desktop.settings.contains("Window/Geometry"));
    frmMain again(desktop, kLanguages);
    again.start();
    QCOMPARE(again.size(), QSize(900, 640));
}

QTEST_MAIN(MainWindowTests)
#include "tst_main_window.moc"
