// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include "support/WindowSession.h"
#include "ui/Explanation.h"
#include "ui/ProblemsPanel.h"
#include "ui/ValueMark.h"

using namespace wendrake;
using namespace wendrake::testing;

namespace {

QColor faceOf(const QWidget* box) {
    return box->palette().color(QPalette::Active, QPalette::Base);
}

// The text boxes of the window that show a mark.
QStringList markedBoxes(const QWidget& window) {
    QStringList marked;
    for (const QLineEdit* box : window.findChildren<QLineEdit*>()) {
        if (markSign(box) != nullptr || !problemOf(box).isEmpty()) {
            marked << box->objectName();
        }
    }
    return marked;
}

// The problem rows as "vehicle|severity|text".
QStringList problemRows(const MainWindow& window) {
    const QAbstractItemModel* model = window.findChild<ProblemsPanel*>()->list()->model();
    QStringList listed;
    for (int r = 0; r < model->rowCount(); ++r) {
        listed << model->index(r, 0).data().toString() + "|" +
                      model->index(r, 0).data(Qt::AccessibleDescriptionRole).toString() + "|" +
                      model->index(r, 2).data().toString();
    }
    return listed;
}

}  // namespace

class LiveCheckTests : public QObject {
    Q_OBJECT
  private slots:
    // A value the file check reports marks its own box, red for an error and
    // amber for a warning, with the row's text before the explanation; the
    // warning is listed too; a sound value takes the mark away.
    void typingMarksTheBoxOfTheValue() {
        WindowSession s;
        s.open("handling/plain.cfg");
        s.chooseVehicle(s.listed().indexOf("BRISK"));
        QLineEdit* mass = s.box("txtGewicht");
        const QColor plain = faceOf(mass);
        QVERIFY(markedBoxes(s.window).isEmpty());

        retype(mass, "heavy");
        QCOMPARE(markedBoxes(s.window), QStringList{"txtGewicht"});
        QCOMPARE(problemOf(mass), s.text(Text::MustBeNumeric));
        QCOMPARE(mass->toolTip(), problemOf(mass) + "\n" + explanationOf(mass));
        QCOMPARE(mass->accessibleDescription(), mass->toolTip());
        const QColor error = faceOf(mass);
        QVERIFY(error.red() > error.green() + 20 && error.red() > error.blue() + 20);
        // A save writes it as typed and says that an error remains.
        s.window.saveAction->trigger();
        QVERIFY(s.session().isSaved());
        QVERIFY(s.desktop.texts(ScriptedDesktop::MessageKind::Status)
                    .constLast()
                    .endsWith(s.text(Text::SavedWithErrors).arg(1)));

        retype(mass, "60000");
        QCOMPARE(markedBoxes(s.window), QStringList{"txtGewicht"});
        const QColor warning = faceOf(mass);
        QVERIFY(warning.green() > warning.blue() + 20 && warning != error);
        QVERIFY(problemRows(s.window).contains("BRISK|Warning|" + s.text(Text::OutsideUsualRange) +
                                               " (1.0 to 50000.0): 60000"));

        // The next vehicle's boxes show its own values' marks: none.
        s.chooseVehicle(s.listed().indexOf("MULE"));
        QVERIFY(markedBoxes(s.window).isEmpty());
        QCOMPARE(faceOf(mass), plain);
        s.chooseVehicle(s.listed().indexOf("BRISK"));
        QCOMPARE(markedBoxes(s.window), QStringList{"txtGewicht"});

        retype(mass, "1500.0");
        QVERIFY(markedBoxes(s.window).isEmpty());
        QCOMPARE(faceOf(mass), plain);
        QCOMPARE(mass->toolTip(), explanationOf(mass));
        QVERIFY(problemRows(s.window).isEmpty());
    }

    // "1350,5" stays as typed and is offered as "1350.5"; the sign's click
    // takes it as one step of its own, which undo takes back.
    void aDecimalCommaIsOfferedWithAPoint() {
        WindowSession s;
        s.open("handling/plain.cfg");
        s.chooseVehicle(s.listed().indexOf("BRISK"));
        const int brisk = s.session().selected();
        QLineEdit* mass = s.box("txtGewicht");
        retype(mass, "1350,5");
        QCOMPARE(s.document().HandlingRecords[brisk][HandlingField::Gewicht],
                 std::string("1350,5"));
        QCOMPARE(problemOf(mass), s.text(Text::UsePoint).arg("1350.5"));
        QAction* sign = markSign(mass);
        QVERIFY(sign != nullptr);

        sign->trigger();
        QCOMPARE(mass->text(), QStringLiteral("1350.5"));
        QCOMPARE(s.document().HandlingRecords[brisk][HandlingField::Gewicht],
                 std::string("1350.5"));
        QVERIFY(markedBoxes(s.window).isEmpty());

        s.window.undoAction->trigger();
        QCOMPARE(mass->text(), QStringLiteral("1350,5"));
        QVERIFY(markSign(mass) != nullptr);

        // The key does the same in the box.
        s.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&s.window));
        mass->setFocus();
        QTest::keyClick(mass, Qt::Key_Period, Qt::ControlModifier);
        QCOMPARE(mass->text(), QStringLiteral("1350.5"));
        s.window.undoAction->trigger();
        QCOMPARE(mass->text(), QStringLiteral("1350,5"));
        s.window.undoAction->trigger();
        QCOMPARE(mass->text(), QStringLiteral("1050.0"));
    }

    // A default.ide beside the handling file (in any letter case) is compared
    // with it: a car without a line is listed, and goes when a line takes
    // its name. The other way round, the definition's box is marked.
    void theFileBesideIsComparedWithTheOpenOne() {
        WindowSession s;
        s.copy("ide/plain.ide", "DEFAULT.IDE");
        s.open("handling/plain.cfg", "handling.cfg");
        const QString withoutLine = s.text(Text::HandlingIdWithoutLine);
        QStringList rows = problemRows(s.window);
        QVERIFY(rows.contains("COMET_GT|Error|" + withoutLine));
        QVERIFY(rows.contains("STRADA|Error|" + withoutLine));
        QVERIFY(rows.contains("ZEPHYR|Warning|" + s.text(Text::HandlingLineUnused)));

        s.chooseVehicle(s.listed().indexOf("ZEPHYR"));
        QCOMPARE(markedBoxes(s.window), QStringList{"txtAutoname"});
        retype(s.box("txtAutoname"), "COMET_GT");
        rows = problemRows(s.window);
        QVERIFY(!rows.contains("COMET_GT|Error|" + withoutLine));
        QVERIFY(rows.contains("STRADA|Error|" + withoutLine));
        QVERIFY(markedBoxes(s.window).isEmpty());

        // From the definitions' side, lines of the handling file that no
        // definition uses are not listed: they cannot be shown here.
        s.window.openFile(s.dir.filePath("DEFAULT.IDE"));
        QVERIFY(!problemRows(s.window).join('\n').contains(s.text(Text::HandlingLineUnused)));
        s.chooseVehicle(s.listed().indexOf("STRADA"));
        QCOMPARE(markedBoxes(s.window), QStringList{"txtHandlingID"});
        QCOMPARE(problemOf(s.box("txtHandlingID")), withoutLine);

        // A model name two definitions share is a warning, in the list and in
        // the box of the definition its row names.
        const QString repeated = "COMET_GT|Warning|" + s.text(Text::ModelNameRepeated) + ": comet";
        retype(s.box("txtModelName"), "comet");
        QVERIFY(problemRows(s.window).contains(repeated));
        s.chooseVehicle(s.listed().indexOf("COMET_GT"));
        QCOMPARE(markedBoxes(s.window), (QStringList{"txtModelName", "txtHandlingID"}));
        // Activating the row shows the definition with the cursor in the box.
        s.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        s.chooseVehicle(s.listed().indexOf("STRADA"));
        QTreeView* list = s.window.findChild<ProblemsPanel*>()->list();
        emit list->activated(list->model()->index(problemRows(s.window).indexOf(repeated), 0));
        QCOMPARE(s.chosenName(), QStringLiteral("COMET_GT"));
        QCOMPARE(QApplication::focusWidget(), s.box("txtModelName"));
        s.window.undoAction->trigger();
        QVERIFY(!problemRows(s.window).contains(repeated));
        QCOMPARE(markedBoxes(s.window), QStringList{"txtHandlingID"});
    }
};

QTEST_MAIN(LiveCheckTests)
#include "tst_live_checks.moc"
