// SPDX-License-Identifier: GPL-3.0-or-later
#include <QClipboard>
#include <QHeaderView>
#include <QtTest>

#include "support/WindowSession.h"
#include "ui/ProblemsPanel.h"
#include "ui/TabSeparatedText.h"
#include "ui/VehicleTable.h"

using namespace wendrake;
using namespace wendrake::testing;

namespace {

constexpr int kMass = static_cast<int>(HandlingField::Gewicht);

// The window with a copy of `fixture` open and its table shown.
struct TableSession : WindowSession {
    explicit TableSession(const QString& fixture) {
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        open(fixture);
        window.tableAction->trigger();
        table = window.findChild<VehicleTable*>();
        QVERIFY(table != nullptr && table->isVisible());
    }

    QModelIndex cell(int row, int column) const { return table->model()->index(row, column); }
    QString shown(int row, int column) const { return cell(row, column).data().toString(); }
    // Types `text` into a cell as a player does: F2, the text, Enter.
    void typeInto(int row, int column, const QString& text) {
        table->setCurrentIndex(cell(row, column));
        QTest::keyClick(table, Qt::Key_F2);
        auto* box = qobject_cast<QLineEdit*>(table->indexWidget(cell(row, column)));
        QVERIFY(box != nullptr);
        retype(box, text);
        QTest::keyClick(box, Qt::Key_Return);
        QCoreApplication::processEvents();  // the cell is closed after the key
    }
    void paste(int row, int column, const QString& text) {
        QGuiApplication::clipboard()->setText(text);
        table->setCurrentIndex(cell(row, column));
        QTest::keyClick(table, Qt::Key_V, Qt::ControlModifier);
    }
    QString lastStatus() const {
        return desktop.texts(ScriptedDesktop::MessageKind::Status).last();
    }
    const HandlingRecord& vehicle(const char* name) {
        const int entry = document().Autos.indexOf(name);
        return document().HandlingRecords[std::size_t(document().Autos.recordAt(entry))];
    }

    VehicleTable* table = nullptr;
};

}  // namespace

// The table of all vehicles: sorting, filtering, editing and pasting go to
// the vehicle of the row, through the history.
class VehicleTableTests : public QObject {
    Q_OBJECT
  private slots:
    void tabSeparatedText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::newRow("rows") << "a\tb\r\nc\td\n" << QList<QStringList>{{"a", "b"}, {"c", "d"}};
        QTest::newRow("empty cells") << "\tb\t\n" << QList<QStringList>{{"", "b", ""}};
        QTest::newRow("no final break") << "a\rb" << QList<QStringList>{{"a"}, {"b"}};
        QTest::newRow("quoted") << "\"x\ty\n\"\"z\"\"\"\tw\n"
                                << QList<QStringList>{{"x\ty\n\"z\"", "w"}};
        QTest::newRow("unclosed quote") << "\"x\ty" << QList<QStringList>{{"\"x", "y"}};
    }
    void tabSeparatedText() {
        QFETCH(QString, text);
        QFETCH(QList<QStringList>, rows);
        QCOMPARE(readTabSeparated(text), rows);
        QCOMPARE(readTabSeparated(writeTabSeparated(rows)), rows);
    }

    // After a sort, row 0 is another vehicle than in the list: the typed
    // value lands in that one and no other.
    void sortThenEditLandsOnTheRowsVehicle() {
        TableSession s("handling/plain.cfg");
        QHeaderView* header = s.table->horizontalHeader();
        const QPoint massCaption(header->sectionViewportPosition(kMass) + 5, 5);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, massCaption);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, massCaption);
        QCOMPARE(s.shown(0, 0), QStringLiteral("MULE"));  // the heaviest
        const std::vector<HandlingRecord> before = s.document().HandlingRecords;

        s.typeInto(0, kMass, "99.5");
        QCOMPARE(s.vehicle("MULE")[HandlingField::Gewicht], std::string("99.5"));
        QCOMPARE(s.shown(0, kMass), QStringLiteral("99.5"));
        int changed = 0;
        for (std::size_t k = 0; k < before.size(); ++k) {
            changed += before[k] == s.document().HandlingRecords[k] ? 0 : 1;
        }
        QCOMPARE(changed, 1);
        // The number column sorts as numbers: 99.5 is now the lightest.
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, massCaption);
        QCOMPARE(s.shown(0, 0), QStringLiteral("MULE"));

        // Undone, the value is back and the table keeps the keys.
        s.window.undoAction->trigger();
        QVERIFY(s.document().HandlingRecords == before);
        QVERIFY(s.table->hasFocus());
    }

    // Two rows pasted from a spreadsheet are one step: one undo gives back
    // the file as saved.
    void pasteOfTwoRowsIsOneUndoStep() {
        TableSession s("handling/plain.cfg");
        s.paste(1, 0, "AAA1\t1111.0\t2.1\r\nBBB2\t2222.0\t 2.2 \r\n");
        QCOMPARE(s.lastStatus(), QStringLiteral("6 cells pasted, 0 refused"));
        QCOMPARE(s.shown(1, kMass), QStringLiteral("1111.0"));
        QCOMPARE(s.shown(2, 0), QStringLiteral("BBB2"));
        QCOMPARE(s.shown(2, kMass + 1), QStringLiteral("2.2"));
        QVERIFY(!s.session().isSaved());
        // Renamed vehicles stay in the table, which keeps the keys.
        QVERIFY(s.table->isVisible());
        QVERIFY(s.window.tableAction->isChecked());

        s.window.undoAction->trigger();
        QVERIFY(s.session().isSaved());
        QVERIFY(s.document().HandlingRecords == s.document().HandlingSnapshot);
        QVERIFY(!s.window.undoAction->isEnabled());
    }

    // A value the file cannot hold is refused as the boxes refuse it; the
    // other cells of the paste are stored.
    void unstorablePastedValueIsRefused_data() {
        QTest::addColumn<QString>("fixture");
        QTest::addColumn<int>("column");  // the first cell pasted, which is refused
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QPoint>("storedCell");  // column, row of a cell stored as "7" or "7,7"
        const QString ide = QStringLiteral("ide/plain.ide");
        const QString dat = QStringLiteral("dat/plain.dat");
        QTest::newRow("separator") << "handling/plain.cfg" << kMass << "1;2\n7" << QPoint(kMass, 1);
        QTest::newRow("blank in a name")
            << "handling/plain.cfg" << 0 << "MY CAR\t7" << QPoint(1, 0);
        QTest::newRow("name of 15")
            << "handling/plain.cfg" << 0 << "ABCDEFGHIJKLMNO\t7" << QPoint(1, 0);
        QTest::newRow("line break")
            << "handling/plain.cfg" << kMass << "\"1\n2\"\t7" << QPoint(kMass + 1, 0);
        QTest::newRow("beyond Latin-1")
            << "handling/plain.cfg" << kMass << "1\u20ac\n7" << QPoint(kMass, 1);
        QTest::newRow("definition separator") << ide << 7 << "1,2\n7" << QPoint(7, 1);
        QTest::newRow("not colour pairs") << dat << 1 << "1,2 3\n7,7" << QPoint(1, 1);
        QTest::newRow("model name") << dat << 0 << "other\t7,7" << QPoint(1, 0);
    }
    void unstorablePastedValueIsRefused() {
        QFETCH(QString, fixture);
        QFETCH(int, column);
        QFETCH(QString, pasted);
        QFETCH(QPoint, storedCell);
        TableSession s(fixture);
        const QString kept = s.shown(0, column);
        s.paste(0, column, pasted);
        QCOMPARE(s.lastStatus(), QStringLiteral("1 cells pasted, 1 refused"));
        QCOMPARE(s.shown(0, column), kept);
        QVERIFY(s.shown(storedCell.y(), storedCell.x()).startsWith('7'));
    }

    // Colour pairs typed into a cell are the model's pairs, one step; a
    // text that is no pairs is not stored and the status bar says why.
    void typedPairsAreTheModelsPairs() {
        TableSession s("dat/plain.dat");
        const int row = 0;
        const QString name = s.shown(row, 0);
        s.typeInto(row, 1, " 3,4  5,6");
        QCOMPARE(s.shown(row, 1), QStringLiteral("3,4 5,6"));
        const int record = s.table->tableModel()->recordAt(row);
        QCOMPARE(s.document().CarColourRecords[std::size_t(record)].Color2,
                 (std::vector<std::int16_t>{4, 6}));
        s.typeInto(row, 1, "3");
        QCOMPARE(s.shown(row, 1), QStringLiteral("3,4 5,6"));
        QCOMPARE(s.lastStatus(), s.text(Text::PairsTextRefused));
        s.window.undoAction->trigger();
        QVERIFY(s.session().isSaved());
        QCOMPARE(s.shown(row, 0), name);
    }

    // The window closes with a cell being edited, whose text is stored as
    // the focus leaves it: while the session is still there.
    void closingWhileACellIsEdited() {
        TableSession s("dat/plain.dat");
        s.table->setCurrentIndex(s.cell(0, 1));
        QTest::keyClick(s.table, Qt::Key_F2);
        auto* box = qobject_cast<QLineEdit*>(s.table->indexWidget(s.cell(0, 1)));
        QVERIFY(box != nullptr);
        retype(box, "1,1");
    }

    // A problem row chosen while the table is shown goes to its cell there,
    // also through a filter that hides the vehicle.
    void aProblemRowGoesToItsCell() {
        TableSession s("handling/problems.cfg");
        type(s.vehicleFilter(), "TWIN");
        QTreeView* problems = s.window.findChild<ProblemsPanel*>()->list();
        const int badMass = 3;
        QCOMPARE(problems->model()->index(badMass, 0).data().toString(),
                 QStringLiteral("BAD_MASS"));
        problems->setFocus();
        problems->setCurrentIndex(problems->model()->index(badMass, 0));
        QTest::keyClick(problems, Qt::Key_Return);
        QCOMPARE(s.table->currentIndex().column(), kMass);
        QCOMPARE(s.table->currentIndex().data().toString(), QStringLiteral("heavy"));
        QVERIFY(s.table->hasFocus());

        // The cell is marked with the row's text, its neighbours are not,
        // and a sound value takes the mark away.
        const QModelIndex bad = s.table->currentIndex();
        QCOMPARE(bad.data(Qt::ToolTipRole).toString(), s.text(Text::MustBeNumeric));
        QVERIFY(bad.data(Qt::BackgroundRole).isValid());
        QVERIFY(!bad.siblingAtColumn(kMass + 1).data(Qt::ToolTipRole).isValid());
        s.typeInto(bad.row(), kMass, "1500.0");
        QVERIFY(!s.table->model()->index(bad.row(), kMass).data(Qt::ToolTipRole).isValid());
    }

    void filteringTheListFiltersTheTable() {
        TableSession s("handling/plain.cfg");
        type(s.vehicleFilter(), "r");
        QCOMPARE(rows(s.table->model()), s.listed());
        QCOMPARE(s.listed(), (QStringList{"ARROW", "BRISK", "ZEPHYR"}));
        // Names pasted into the filtered table, and their undo, keep the
        // filter: the rows stay those the player was working on.
        s.paste(0, 0, "RARE1\nRARE2\n");
        QCOMPARE(s.vehicleFilter()->text(), QStringLiteral("r"));
        QCOMPARE(rows(s.table->model()), s.listed());
        QCOMPARE(s.table->model()->rowCount(), 3);
        s.window.undoAction->trigger();
        QCOMPARE(s.vehicleFilter()->text(), QStringLiteral("r"));
        QCOMPARE(s.table->model()->rowCount(), 3);
        s.vehicleFilter()->clear();
        QCOMPARE(s.table->model()->rowCount(), 4);
    }
};

QTEST_MAIN(VehicleTableTests)
#include "tst_vehicle_table.moc"
