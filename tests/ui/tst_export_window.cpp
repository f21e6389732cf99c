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
const QString kHandlingData = QStringLiteral(WENDRAKE_TEST_DATA "/handling/");

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList rows(const QListWidget* list) {
    QStringList texts;
    for (int k = 0; k < list->count(); ++k) {
        texts << list->item(k)->text();
    }
    return texts;
}

void select(QListWidget* list, const QStringList& names) {
    list->clearSelection();
    for (const QString& name : names) {
        list->findItems(name, Qt::MatchExactly).first()->setSelected(true);
    }
}

// The main window with plain.cfg (ARROW, BRISK, MULE, ZEPHYR) open and the
// export window opened over it.
struct Session {
    ScriptedDesktop desktop;
    frmMain window{desktop, kLanguages};
    QTemporaryDir dir;
    QString path = dir.filePath("handling.cfg");

    Session() {
        desktop.settings.insert(QStringLiteral("Settings/Language"), QStringLiteral("English"));
        window.start();
        QFile::copy(kHandlingData + "plain.cfg", path);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        window.openFile(path);
        window.cmdExportCar_Click();
    }

    frmExport& exporter() { return *window.exportWindow; }
    QString text(int number) const { return languageText(window.language(), number); }

    // Chooses `names` and exports them to `target` (nothing when cancelled).
    void exportTo(const QStringList& names, const std::optional<QString>& target) {
        select(exporter().lst1, names);
        exporter().cmdAdd_Click();
        desktop.saveChoices.enqueue(target);
        exporter().cmdExport_Click();
    }

    const HandlingRecord& record(const char* name) {
        for (const HandlingRecord& r : window.document().HandlingRecords) {
            if (r.name() == name) {
                return r;
            }
        }
        qFatal("no record %s", name);
    }
};

}  // namespace

class ExportWindowTests : public QObject {
    Q_OBJECT
  private slots:
    void opensWithEveryVehicleAvailable();
    void movesKeepBothListsInTheVehicleListOrder();
    void exportWritesTheHandlingLinesOfTheChosen();
    void renamedVehicleWritesNoLine();
    void cancelledOrFailedExportKeepsTheWindow();
};

void ExportWindowTests::opensWithEveryVehicleAvailable() {
    Session s;
    frmExport& e = s.exporter();
    QVERIFY(e.isVisible());
    QCOMPARE(rows(e.lst1), (QStringList{"ARROW", "BRISK", "MULE", "ZEPHYR"}));
    QVERIFY(rows(e.lst2).isEmpty());
    QCOMPARE(e.lblExportCar->text(), s.text(110));
    QCOMPARE(e.cmdClose->text(), s.text(106));

    // Opening again starts afresh.
    e.cmdAddAll_Click();
    e.cmdClose_Click();
    QVERIFY(!e.isVisible());
    s.window.cmdExportCar_Click();
    QCOMPARE(rows(e.lst1).size(), 4);
    QVERIFY(rows(e.lst2).isEmpty());

    // It follows the language while it is open.
    s.window.cmbSprache->setCurrentIndex(s.window.cmbSprache->findText("Deutsch"));
    s.window.cmbSprache_Click();
    QCOMPARE(e.cmdExport->text(), s.text(112));
    QCOMPARE(e.lblExport->text(), s.text(111));

    // A file opened meanwhile takes the names away.
    s.window.openFile(s.path);
    QVERIFY(!e.isVisible());
}

void ExportWindowTests::movesKeepBothListsInTheVehicleListOrder() {
    EditorDocument document;
    ScriptedDesktop desktop;
    frmExport e(document, desktop);
    VehicleList vehicles;
    vehicles.assign({"zeta", "MULE", "beta", "alpha", "Beta", "MULE", "Alpha"});
    e.fill(vehicles);
    QCOMPARE(rows(e.lst1), (QStringList{"alpha", "Alpha", "beta", "Beta", "MULE", "MULE", "zeta"}));

    select(e.lst1, {"zeta", "Alpha", "beta"});
    e.cmdAdd_Click();
    QCOMPARE(rows(e.lst2), (QStringList{"Alpha", "beta", "zeta"}));
    QCOMPARE(rows(e.lst1), (QStringList{"alpha", "Beta", "MULE", "MULE"}));

    // Names moved in go after equal ones already there; twins stay twins.
    e.cmdAddAll_Click();
    QVERIFY(rows(e.lst1).isEmpty());
    QCOMPARE(rows(e.lst2), (QStringList{"Alpha", "alpha", "beta", "Beta", "MULE", "MULE", "zeta"}));

    e.lst2->item(4)->setSelected(true);
    e.cmdDel_Click();
    QCOMPARE(rows(e.lst1), QStringList{"MULE"});
    e.cmdDelAll_Click();
    QCOMPARE(rows(e.lst1), (QStringList{"Alpha", "alpha", "beta", "Beta", "MULE", "MULE", "zeta"}));
    QVERIFY(rows(e.lst2).isEmpty());
    e.cmdDel_Click();  // nothing chosen, nothing moves
    QCOMPARE(rows(e.lst1).size(), 7);
}

void ExportWindowTests::exportWritesTheHandlingLinesOfTheChosen() {
    Session s;
    const EditorDocument before = s.window.document();
    s.exporter().cmdExport_Click();  // nothing chosen yet
    QVERIFY(s.desktop.saveRequests.isEmpty());

    const QString target = s.dir.filePath("mule.cfg");
    s.exportTo({"MULE"}, target);
    QCOMPARE(s.desktop.saveRequests.first().filters.first().patterns, QStringList{"*.cfg"});
    const QList<QByteArray> lines = contents(target).split('\n');
    QCOMPARE(lines.size(), 16);  // 15 lines, each ended
    QCOMPARE(lines[0], "; File created with Wendrake V2.0.0\r");
    QCOMPARE(lines[2], "; Author: Jo Tester\r");
    QCOMPARE(lines[3], "; Created 2026-01-15\r");
    QCOMPARE(lines[12], QByteArray::fromStdString(FormatHandlingLine(s.record("MULE")) + "\r"));
    QVERIFY(contents(target).endsWith("\r\n;\r\n;the end\r\n"));
    QCOMPARE(s.desktop.texts(Kind::Information), QStringList{s.text(113)});
    QVERIFY(!s.exporter().isVisible());

    // The export changes nothing of the document.
    const EditorDocument& after = s.window.document();
    QCOMPARE(after.HandlingRecords, before.HandlingRecords);
    QCOMPARE(after.Autos, before.Autos);
    QVERIFY(after.SavedFlag);
}

void ExportWindowTests::renamedVehicleWritesNoLine() {
    Session s;
    s.window.SSTab1->txtAutoname->setText("ARROW2");  // ARROW, shown first
    const QString target = s.dir.filePath("arrow.cfg");
    s.exportTo({"ARROW"}, target);
    QCOMPARE(contents(target).count("\r\n"), 14);
    QVERIFY(!contents(target).contains("ARROW"));
}

void ExportWindowTests::cancelledOrFailedExportKeepsTheWindow() {
    Session s;
    const QString target = s.dir.filePath("out.cfg");
    s.exportTo({"BRISK", "ZEPHYR"}, std::nullopt);
    QVERIFY(s.exporter().isVisible());
    QVERIFY(s.desktop.messages.isEmpty());

    s.desktop.nextWriteFailure = FileResult::failure(28, "No space left on device");
    s.desktop.saveChoices.enqueue(target);
    s.exporter().cmdExport_Click();
    QCOMPARE(s.desktop.texts(Kind::Notice), QStringList{"Error: 28 - No space left on device"});
    QVERIFY(s.exporter().isVisible());
    QVERIFY(!QFile::exists(target));

    // The choice survives for the next try; a real failure leaves no file.
    QCOMPARE(rows(s.exporter().lst2), (QStringList{"BRISK", "ZEPHYR"}));
    const QString intoNowhere = s.dir.filePath("missing/out.cfg");
    s.desktop.saveChoices.enqueue(intoNowhere);
    s.exporter().cmdExport_Click();
    QCOMPARE(s.desktop.texts(Kind::Notice).size(), 2);
    QVERIFY(!QFile::exists(intoNowhere));
    QCOMPARE(QDir(s.dir.path()).entryList(QDir::Files), QStringList{"handling.cfg"});
}

QTEST_MAIN(ExportWindowTests)
#include "tst_export_window.moc"
