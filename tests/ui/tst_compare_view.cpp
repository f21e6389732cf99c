// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <QMenu>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>

#include "support/WindowSession.h"
#include "ui/CompareModel.h"
#include "ui/CompareView.h"

using namespace wendrake;
using namespace wendrake::testing;
using F = HandlingField;
using D = VehicleDefField;

namespace {

struct Compared {
    WindowSession& s;

    QWidget* shown() const {
        return s.window.findChild<QStackedWidget*>(QStringLiteral("detailStack"))->currentWidget();
    }
    bool comparing() const { return shown() == s.window.findChild<CompareView*>(); }
    QTableView* table() const {
        return s.window.findChild<QTableView*>(QStringLiteral("compareTable"));
    }
    const CompareModel& model() const { return *qobject_cast<CompareModel*>(table()->model()); }
    QStringList names() const {
        QStringList names;
        for (int column = 0; column < model().columnCount(); ++column) {
            names << model().headerData(column, Qt::Horizontal).toString();
        }
        return names;
    }
    int rowOf(int field) const {
        for (int row = 0; row < model().rowCount(); ++row) {
            if (model().rowAt(row)->field == field) {
                return row;
            }
        }
        return -1;
    }
    // Copies from the cell of `field` in `column` through the copy button's
    // menu: `scope` names its submenu, `target` its item.
    void copy(int field, int column, const char* scope, const QString& target) const {
        table()->setCurrentIndex(model().index(rowOf(field), column));
        auto* menu = s.window.findChild<QMenu*>(QStringLiteral("copyMenu"));
        emit menu->aboutToShow();
        auto* sub = menu->findChild<QMenu*>(QString::fromLatin1(scope));
        QVERIFY(sub != nullptr && sub->isEnabled());
        emit sub->aboutToShow();
        for (QAction* item : sub->actions()) {
            if (item->text() == target) {
                item->trigger();
                return;
            }
        }
        QFAIL(qPrintable(target));
    }
};

// A click on list row `row`, with the keys `held`.
void click(WindowSession& s, int row, Qt::KeyboardModifiers held = {}) {
    QListView* list = s.vehicleList();
    const QRect place = list->visualRect(list->model()->index(row, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, held, place.center());
}

template <typename Record>
const std::vector<Record>& recordsOf(const EditorDocument& document);
template <>
const std::vector<HandlingRecord>& recordsOf(const EditorDocument& document) {
    return document.HandlingRecords;
}
template <>
const std::vector<VehicleDefRecord>& recordsOf(const EditorDocument& document) {
    return document.VehicleDefRecords;
}

}  // namespace

// Several vehicles chosen in the list: their values side by side, the
// differing ones marked, and values copied from one to others.
class CompareViewTests : public QObject {
    Q_OBJECT
  private slots:
    // ARROW, BRISK, MULE, ZEPHYR are listed; the first chosen is the first
    // column, and every other column marks the values that differ from it.
    void choosingSeveralComparesThem_data() {
        QTest::addColumn<QList<int>>("clicks");  // the first plain, the others with `held`
        QTest::addColumn<int>("held");
        QTest::addColumn<int>("shiftDowns");
        QTest::addColumn<QStringList>("compared");
        QTest::addColumn<QList<int>>("differing");  // per column after the first
        QTest::newRow("ctrl click") << QList<int>{1, 2} << int(Qt::ControlModifier) << 0
                                    << QStringList{"BRISK", "MULE"} << QList<int>{24};
        QTest::newRow("shift click") << QList<int>{2, 0} << int(Qt::ShiftModifier) << 0
                                     << QStringList{"MULE", "ARROW", "BRISK"} << QList<int>{23, 24};
        QTest::newRow("shift down") << QList<int>{1} << 0 << 2
                                    << QStringList{"BRISK", "MULE", "ZEPHYR"} << QList<int>{24, 29};
    }
    void choosingSeveralComparesThem() {
        QFETCH(QList<int>, clicks);
        QFETCH(int, held);
        QFETCH(int, shiftDowns);
        QFETCH(QStringList, compared);
        QFETCH(QList<int>, differing);
        WindowSession s;
        s.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        s.open("handling/plain.cfg");
        const Compared view{s};
        for (int k = 0; k < clicks.size(); ++k) {
            click(s, clicks[k], k == 0 ? Qt::NoModifier : Qt::KeyboardModifiers(held));
        }
        for (int k = 0; k < shiftDowns; ++k) {
            QTest::keyClick(s.vehicleList(), Qt::Key_Down, Qt::ShiftModifier);
        }
        QVERIFY(view.comparing());
        QCOMPARE(view.names(), compared);

        // Every value once, in its page's groups.
        const CompareModel& model = view.model();
        QCOMPARE(model.rowCount(), kHandlingFieldCount + int(model.layout().groups.size()));
        for (int field = 0; field < kHandlingFieldCount; ++field) {
            QVERIFY2(view.rowOf(field) >= 0, qPrintable(QString::number(field)));
        }

        // Marked by weight, ground and words alike.
        for (int column = 1; column < model.columnCount(); ++column) {
            int marked = 0;
            for (int row = 0; row < model.rowCount(); ++row) {
                if (model.rowAt(row)->isTitle()) {
                    continue;
                }
                const QModelIndex cell = model.index(row, column);
                const bool bold = cell.data(Qt::FontRole).value<QFont>().bold();
                const bool ground = cell.data(Qt::BackgroundRole).isValid();
                const bool said = cell.data(Qt::AccessibleTextRole).toString().endsWith("differs");
                QCOMPARE(ground, bold);
                QCOMPARE(said, bold);
                marked += bold ? 1 : 0;
            }
            QCOMPARE(marked, differing.at(column - 1));
        }

        // One row chosen again: its pages.
        click(s, 3);
        QVERIFY(!view.comparing());
        QCOMPARE(s.box("txtAutoname")->text(), QStringLiteral("ZEPHYR"));
    }

    // A value changed elsewhere is shown at once, and only a compared
    // vehicle's column is asked again. Two spellings of one number are one value.
    void theComparisonFollowsChanges() {
        WindowSession s;
        s.open("handling/plain.cfg");
        const Compared view{s};
        click(s, 1);
        click(s, 2, Qt::ControlModifier);
        const QModelIndex mass = view.model().index(view.rowOf(int(F::Gewicht)), 1);
        QVERIFY(mass.data(Qt::FontRole).value<QFont>().bold());
        QSignalSpy asked(&view.model(), &QAbstractItemModel::dataChanged);

        const int zephyr = s.document().Autos.recordAt(3);
        QVERIFY(s.session().setHandlingValue(zephyr, F::Gewicht, "1.0"));
        QCOMPARE(asked.size(), 0);
        const int mule = s.document().Autos.recordAt(2);
        QVERIFY(s.session().setHandlingValue(mule, F::Gewicht, "1050"));  // BRISK: 1050.0
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked.first().at(0).toModelIndex().column(), 1);
        QCOMPARE(mass.data().toString(), QStringLiteral("1050"));
        QVERIFY(!mass.data(Qt::FontRole).value<QFont>().bold());
        QVERIFY(view.comparing());
    }

    // A copy changes exactly the values chosen, never a name or the ID and
    // references of a definition, and Ctrl+Z takes all of it back at once.
    void aCopyIsOneStep_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<int>>("rows");  // chosen in the list, the first first
        QTest::addColumn<int>("cell");         // the field of the cell copied from ...
        QTest::addColumn<int>("column");       // ... in this column
        QTest::addColumn<QString>("scope");
        QTest::addColumn<QString>("target");  // a vehicle, or empty for all others
        QTest::addColumn<QList<int>>("copied");
        QList<int> allButName;
        for (int field = 1; field < kHandlingFieldCount; ++field) {
            allButName << field;
        }
        QTest::newRow("a value") << "handling/plain.cfg" << QList<int>{1, 2} << int(F::Gewicht) << 1
                                 << "copyValueMenu"
                                 << "BRISK" << QList<int>{int(F::Gewicht)};
        QTest::newRow("a group") << "handling/plain.cfg" << QList<int>{1, 2} << int(F::Hoehe) << 0
                                 << "copyGroupMenu"
                                 << "MULE"
                                 << QList<int>{int(F::Breite),         int(F::Hoehe),
                                               int(F::Laenge),         int(F::MassenmittelpX),
                                               int(F::MassenmittelpY), int(F::MassenmittelpZ),
                                               int(F::SubMerged)};
        QTest::newRow("all to all")
            << "handling/plain.cfg" << QList<int>{0, 1, 3} << int(F::Autoname) << 0 << "copyAllMenu"
            << QString() << allButName;
        QTest::newRow("a definition")
            << "ide/plain.ide" << QList<int>{0, 3} << int(D::Typ) << 0 << "copyAllMenu"
            << "STRADA"
            << QList<int>{int(D::Typ),       int(D::Klasse), int(D::Frequenz), int(D::Level),
                          int(D::CompRules), int(D::Extra1), int(D::Extra2)};
    }
    void aCopyIsOneStep() {
        QFETCH(QString, file);
        if (file.endsWith(".cfg")) {
            checkCopy<HandlingRecord>();
        } else {
            checkCopy<VehicleDefRecord>();
        }
    }

    // A value typed into a cell is guarded as in its box on the page and is
    // one step; names, choices and flags keep their controls on the pages.
    void typingIntoACell() {
        WindowSession s;
        s.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        s.open("handling/plain.cfg");
        click(s, 1);
        click(s, 2, Qt::ControlModifier);
        const Compared view{s};
        for (const F field : {F::Autoname, F::Antrieb, F::ABS, F::Flags}) {
            QVERIFY(!(view.model().flags(view.model().index(view.rowOf(int(field)), 1)) &
                      Qt::ItemIsEditable));
        }
        const QModelIndex mass = view.model().index(view.rowOf(int(F::Gewicht)), 1);
        view.table()->setCurrentIndex(mass);
        view.table()->edit(mass);
        auto* box = view.table()->findChild<QLineEdit*>(QStringLiteral("compareCellEdit"));
        QVERIFY(box != nullptr);
        retype(box, "2 700.0");
        QTest::keyClick(box, Qt::Key_Return);  // stored once the view has its turn
        const int mule = s.document().Autos.recordAt(2);
        QTRY_COMPARE(
            fromBytes(std::string(s.document().HandlingRecords[std::size_t(mule)][F::Gewicht])),
            "2700.0");
        s.window.undoAction->trigger();
        QVERIFY(s.session().isSaved());
        QVERIFY(view.comparing());
    }

    // Colour models: their pairs side by side, the palette's names with the
    // numbers; pairs are not copied here.
    void colourModelsComparePairs() {
        WindowSession s;
        s.open("dat/plain.dat");
        QCOMPARE(s.listed(), (QStringList{"cab", "comet", "pony", "strada"}));
        click(s, 1);
        click(s, 2, Qt::ControlModifier);
        const Compared view{s};
        QVERIFY(view.comparing());
        const CompareModel& model = view.model();
        QCOMPARE(rows(&model), (QStringList{"0 black - 1 white", "2 dark red - 1 white", ""}));
        QCOMPARE(model.headerData(2, Qt::Vertical).toString(), QStringLiteral("Pair 3"));
        QCOMPARE(model.index(0, 1).data().toString(), QStringLiteral("3 blue - 1 white"));
        QVERIFY(model.differs(0, 1) && model.differs(2, 1));
        QVERIFY(!s.window.findChild<QToolButton*>(QStringLiteral("copyButton"))->isEnabled());
    }

    // Ctrl+Z shows the vehicle it changed alone, whatever keys are held.
    void undoByKeysShowsOneVehicle() {
        WindowSession s;
        s.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        s.open("handling/plain.cfg");
        click(s, 1);
        retype(s.box("txtGewicht"), "9.0");
        click(s, 2);
        QTest::keyClick(&s.window, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(s.session().isSaved());
        QCOMPARE(s.vehicleList()->selectionModel()->selectedRows().size(), 1);
        QVERIFY(!Compared{s}.comparing());
        QCOMPARE(s.box("txtAutoname")->text(), QStringLiteral("BRISK"));
    }

  private:
    template <typename Record>
    void checkCopy() {
        QFETCH(QString, file);
        QFETCH(QList<int>, rows);
        QFETCH(int, cell);
        QFETCH(int, column);
        QFETCH(QString, scope);
        QFETCH(QString, target);
        QFETCH(QList<int>, copied);
        WindowSession s;
        s.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        s.open(file);
        const Compared view{s};
        for (int k = 0; k < rows.size(); ++k) {
            click(s, rows[k], k == 0 ? Qt::NoModifier : Qt::ControlModifier);
        }
        QVERIFY(view.comparing());
        const std::vector<Record> before = recordsOf<Record>(s.document());
        const int from = view.model().recordAt(column);
        const QString all = s.text(Text::CopyToAllOthers);
        view.copy(cell, column, qPrintable(scope), target.isEmpty() ? all : target);

        const std::vector<Record>& after = recordsOf<Record>(s.document());
        for (std::size_t record = 0; record < after.size(); ++record) {
            const QString name = fromBytes(std::string(before[record].name()));
            const bool given = static_cast<int>(record) != from &&
                               view.model().compares(static_cast<int>(record)) &&
                               (target.isEmpty() || name == target);
            for (int field = 0; field < static_cast<int>(after[record].values().size()); ++field) {
                const std::string_view expected =
                    given && copied.contains(field)
                        ? before[static_cast<std::size_t>(from)].value(field)
                        : before[record].value(field);
                QVERIFY2(after[record].value(field) == expected,
                         qPrintable(name + QLatin1Char(' ') + QString::number(field)));
            }
        }
        QVERIFY(!s.session().isSaved());
        QTest::keyClick(&s.window, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(s.session().isSaved());
        QCOMPARE(recordsOf<Record>(s.document()), before);
        QVERIFY(view.comparing());
    }
};

QTEST_MAIN(CompareViewTests)
#include "tst_compare_view.moc"
