// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "support/WindowSession.h"

using namespace wendrake;
using namespace wendrake::testing;

namespace {

// A handling file of the most vehicles a table holds, whose names differ in
// letter case, also in the accented capitals of Latin-1.
QByteArray largestFile() {
    const char* const stems[] = {"VIPER", "Viper",
                                 "\xC9"
                                 "CLAIR",
                                 "\xE9"
                                 "clair",
                                 "COMET"};
    std::string text = "; many\r\n";
    for (int i = 0; i < kTableLimit; ++i) {
        text += dataLine(stems[i % 5] + ("_" + std::to_string(i))) + "\r\n";
    }
    return qb(text);
}

// Not a key: a click with the mouse on the list's third row.
constexpr int kClickThird = -1;

}  // namespace

// The vehicle list beside the pages: its filter and count, the keys that
// move through it, and the marks of changed vehicles.
class VehicleListTests : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QVERIFY(writeBytes(largest_.filePath("handling.cfg"), largestFile())); }

    void typingKeepsTheNamesThatContainTheText_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("kept");
        QTest::newRow("any case") << "vIp" << 2 * 6554;
        QTest::newRow("accented capital") << "\u00E9CL" << 2 * 6553;
        QTest::newRow("part of a number") << "_1234" << 11;
        QTest::newRow("beyond Latin-1") << "\u0100" << 0;
    }
    void typingKeepsTheNamesThatContainTheText() {
        QFETCH(QString, typed);
        QFETCH(int, kept);
        WindowSession s;
        s.window.openFile(largest_.filePath("handling.cfg"));
        QCOMPARE(s.listedCount(), kTableLimit);
        QStringList all;
        for (const std::string& name : s.document().Autos.entries()) {
            all << fromBytes(name);
        }

        type(s.vehicleFilter(), typed);
        const QStringList listed = s.listed();
        QCOMPARE(listed, all.filter(typed, Qt::CaseInsensitive));
        QCOMPARE(listed.size(), kept);
        QCOMPARE(s.vehicleCount(), QStringLiteral("%1 of 32767 vehicles").arg(kept));
    }

    // Filtering never shows another vehicle: the shown one stays selected
    // while it is listed, and stays shown when it is not, also when the list
    // takes the focus.
    void filteringKeepsTheShownVehicle() {
        WindowSession s;
        s.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        s.open("handling/plain.cfg");
        s.chooseVehicle(s.listed().indexOf("MULE"));
        QLineEdit* name = s.box("txtAutoname");

        type(s.vehicleFilter(), "u");
        QCOMPARE(s.listed(), (QStringList{"MULE"}));
        QCOMPARE(s.chosenName(), QStringLiteral("MULE"));
        type(s.vehicleFilter(), "x");
        QCOMPARE(s.listedCount(), 0);
        QCOMPARE(name->text(), QStringLiteral("MULE"));
        QTest::keyClick(s.vehicleFilter(), Qt::Key_Backspace);
        QCOMPARE(s.chosenName(), QStringLiteral("MULE"));
        s.vehicleFilter()->setText("r");
        s.vehicleList()->setFocus(Qt::TabFocusReason);
        QCOMPARE(name->text(), QStringLiteral("MULE"));

        // Jumping to an error row of a hidden vehicle lists it again.
        s.open("handling/problems.cfg");
        type(s.vehicleFilter(), "zzz");
        emit s.window.findChild<ProblemsPanel*>()->rowActivated(
            s.document().Errors.at(3));  // BAD_MASS
        QCOMPARE(s.chosenName(), QStringLiteral("BAD_MASS"));
        QCOMPARE(name->text(), QStringLiteral("BAD_MASS"));
    }

    void findFocusesTheFilterAndEscClearsIt() {
        WindowSession s;
        s.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        QVERIFY(!s.window.findAction->isEnabled());
        s.open("handling/plain.cfg");
        QLineEdit* filter = s.vehicleFilter();
        type(filter, "ar");
        s.chooseVehicle(0);
        s.vehicleList()->setFocus();

        QTest::keySequence(&s.window, s.window.findAction->shortcut());
        QVERIFY(filter->hasFocus());
        QCOMPARE(filter->selectedText(), QStringLiteral("ar"));
        QTest::keyClick(filter, Qt::Key_Escape);
        QCOMPARE(filter->text(), QString());
        QCOMPARE(s.listedCount(), 4);
        QCOMPARE(s.vehicleCount(), QStringLiteral("4 of 4 vehicles"));
    }

    // The keys of a list, from the list and from the filter box, each
    // showing the vehicle it moves to and keeping the focus where it is;
    // ARROW is shown first.
    void keysMoveToAndShowAVehicle_data() {
        QTest::addColumn<bool>("fromFilter");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QString>("shown");
        const int down = Qt::Key_Down;
        QTest::newRow("down twice, up") << false << QList<int>{down, down, Qt::Key_Up} << "BRISK";
        QTest::newRow("end") << false << QList<int>{Qt::Key_End} << "ZEPHYR";
        QTest::newRow("type-ahead") << false << QList<int>{Qt::Key_M} << "MULE";
        QTest::newRow("down twice in the filter") << true << QList<int>{down, down} << "MULE";
        QTest::newRow("typed in the filter, Enter")
            << true << QList<int>{Qt::Key_M, Qt::Key_Return} << "MULE";
        QTest::newRow("click on the third") << false << QList<int>{kClickThird} << "MULE";
    }
    void keysMoveToAndShowAVehicle() {
        QFETCH(bool, fromFilter);
        QFETCH(QList<int>, keys);
        QFETCH(QString, shown);
        WindowSession s;
        s.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        s.open("handling/plain.cfg");
        QWidget* target = fromFilter ? static_cast<QWidget*>(s.vehicleFilter()) : s.vehicleList();
        target->setFocus();
        for (const int key : keys) {
            if (key == kClickThird) {
                QListView* list = s.vehicleList();
                const QRect row = list->visualRect(list->model()->index(2, 0));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
                continue;
            }
            const QString text = key == Qt::Key_M ? QStringLiteral("m") : QString();
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key(key), text,
                                Qt::NoModifier);
            QVERIFY(target->hasFocus());
        }
        QCOMPARE(s.chosenName(), shown);
        QCOMPARE(s.box("txtAutoname")->text(), shown);
        QCOMPARE(s.document().Autos.at(s.document().Autos.entryOfRecord(s.session().selected())),
                 shown.toStdString());
    }

    // Marked: the record differs from the file as last opened or saved.
    void changedVehiclesAreMarkedUntilSaved() {
        WindowSession s;
        s.open("handling/plain.cfg");
        const auto marked = [&s] {
            QStringList names;
            const QAbstractItemModel* rows = s.vehicleList()->model();
            for (int row = 0; row < rows->rowCount(); ++row) {
                const QModelIndex index = rows->index(row, 0);
                const bool bold = index.data(Qt::FontRole).value<QFont>().bold();
                const bool said =
                    index.data(Qt::ToolTipRole).toString() == s.text(Text::VehicleChanged);
                if (bold != said) {
                    return QStringList{"mark and tooltip disagree"};
                }
                if (bold) {
                    names << index.data().toString();
                }
            }
            return names;
        };
        QCOMPARE(marked(), QStringList());
        s.chooseVehicle(s.listed().indexOf("BRISK"));
        QLineEdit* mass = s.box("txtGewicht");
        mass->setText("1.0");
        QCOMPARE(marked(), (QStringList{"BRISK"}));
        mass->setText("1050.0");  // back as it was
        QCOMPARE(marked(), QStringList());

        mass->setText("2.0");
        s.chooseVehicle(s.listed().indexOf("MULE"));
        s.box("txtAutoname")->setText("MULE_X");  // renamed in its place
        QCOMPARE(marked(), (QStringList{"BRISK", "MULE_X"}));
        s.window.save();
        QCOMPARE(marked(), QStringList());
    }

    // A changed row repaints in place; the rows stand where laying out the
    // whole list again would put them, also when the row measured for the
    // size of all changes.
    void changedRowsStandWhereALayoutPutsThem_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("name");  // empty: the mass changes, which marks the row
        for (const int entry : {0, 3}) {
            const QByteArray row = entry == 0 ? "first row " : "last row ";
            QTest::newRow(row + "marked") << entry << QString();
            QTest::newRow(row + "named longer than the list") << entry << QString(300, 'W');
            QTest::newRow(row + "named shorter") << entry << QStringLiteral("M");
        }
    }
    void changedRowsStandWhereALayoutPutsThem() {
        QFETCH(int, entry);
        QFETCH(QString, name);
        WindowSession s;
        s.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        s.open("handling/plain.cfg");
        QListView* list = s.vehicleList();
        const int record = s.document().Autos.recordAt(entry);
        if (name.isEmpty()) {
            s.session().setHandlingValue(record, HandlingField::Gewicht, "1.5");
        } else {
            s.session().setHandlingValue(record, HandlingField::Autoname, toBytes(name));
        }
        QCoreApplication::processEvents();
        const auto places = [list] {
            QList<QRect> rects;
            for (int row = 0; row < list->model()->rowCount(); ++row) {
                rects << list->visualRect(list->model()->index(row, 0));
            }
            return std::pair(rects, list->horizontalScrollBar()->maximum());
        };
        const auto shown = places();
        list->doItemsLayout();
        QCOMPARE(shown, places());
    }

  private:
    QTemporaryDir largest_;
};

QTEST_MAIN(VehicleListTests)
#include "tst_vehicle_list.moc"
