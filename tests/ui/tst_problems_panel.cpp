// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <QAbstractItemModelTester>
#include <QMainWindow>
#include <QScreen>

#include "support/WindowSession.h"
#include "ui/ProblemsPanel.h"

using namespace wendrake;
using namespace wendrake::testing;

namespace {

using Session = WindowSession;

// Row r as the list shows it.
QStringList shown(const QTreeView* list, int r) {
    QStringList cells;
    for (int c = 0; c < 3; ++c) {
        cells << list->model()->index(r, c).data().toString();
    }
    return cells;
}

}  // namespace

class ProblemsPanelTests : public QObject {
    Q_OBJECT
  private slots:
    void showsRowsInOrder() {
        // Car names are game bytes (Latin-1); the other texts are UTF-8.
        ErrorRows rows{{"B\xD6RSE", "Gewicht (kg)", "Must be a number", 1},
                       {"ADMIRAL", "", "Falsche Anzahl", -1}};
        ProblemsPanel panel(rows);
        QAbstractItemModelTester tester(panel.list()->model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        panel.refresh(true);
        QCOMPARE(panel.list()->model()->rowCount(), 2);
        QCOMPARE(shown(panel.list(), 0),
                 QStringList({"BÖRSE", "Gewicht (kg)", "Must be a number"}));
        QCOMPARE(shown(panel.list(), 1), QStringList({"ADMIRAL", "", "Falsche Anzahl"}));
    }

    // Typing into a field checks the document at once: a mended value's row
    // goes, a spoilt one's comes, and the title counts them, in either
    // language.
    void editsRefreshTheRowsAtOnce() {
        Session s;
        s.open("handling/problems.cfg");
        ProblemsPanel* panel = s.window.findChild<ProblemsPanel*>();
        QVERIFY(panel->isVisibleTo(&s.window));
        QAbstractItemModel* rows = panel->list()->model();
        QCOMPARE(rows->rowCount(), 6);
        QCOMPARE(panel->windowTitle(), QStringLiteral("Problems (6)"));

        s.chooseVehicle(s.listed().indexOf("BAD_MASS"));
        QLineEdit* mass = s.box("txtGewicht");
        QCOMPARE(mass->text(), QStringLiteral("heavy"));
        retype(mass, "1500.0");
        QCOMPARE(rows->rowCount(), 5);
        QVERIFY(!testing::rows(rows).contains("BAD_MASS"));
        QCOMPARE(panel->windowTitle(), QStringLiteral("Problems (5)"));

        // The rows are checked again in the new language.
        s.chooseLanguage("Deutsch");
        QCOMPARE(panel->windowTitle(), QStringLiteral("Probleme (5)"));
        QCOMPARE(shown(panel->list(), 0).at(2),
                 s.text(Text::WrongValueCount) + ": 31 " + s.text(Text::WrongValueCountTail));
        retype(mass, "1500,0");
        QCOMPARE(rows->rowCount(), 6);
        QCOMPARE(shown(panel->list(), 3).mid(0, 2),
                 (QStringList{"BAD_MASS", s.text(handlingFieldInfo(1).captionText)}));
        QCOMPARE(panel->windowTitle(), QStringLiteral("Probleme (6)"));

        // Fixing the last problem leaves the plain title.
        s.open("handling/plain.cfg");
        QCOMPARE(panel->windowTitle(), QStringLiteral("Probleme"));
    }

    // Double-click and Enter on a row put the cursor in its vehicle's field.
    void activatingARowJumpsToItsField() {
        Session s;
        s.open("handling/problems.cfg");
        s.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        QTreeView* list = s.window.findChild<ProblemsPanel*>()->list();
        const int badMass = 3;
        QCOMPARE(list->model()->index(badMass, 0).data().toString(), QStringLiteral("BAD_MASS"));

        const QPoint cell = list->visualRect(list->model()->index(badMass, 2)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell);
        QCOMPARE(s.chosenName(), QStringLiteral("BAD_MASS"));
        QCOMPARE(QApplication::focusWidget(), s.box("txtGewicht"));
        QCOMPARE(s.box("txtGewicht")->selectedText(),
                 QStringLiteral("heavy"));  // typing replaces it

        const int badEngine = 4;
        list->setFocus();
        list->setCurrentIndex(list->model()->index(badEngine, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(s.chosenName(), QStringLiteral("BAD_ENGINE"));
    }

    // View > Problems opens and closes the dock at any time; the item
    // follows the dock however it was opened or closed.
    void problemsActionShowsAndHidesTheDock() {
        Session s;
        s.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.window));
        ProblemsPanel* panel = s.window.findChild<ProblemsPanel*>();
        QAction* action = s.window.problemsAction;
        QVERIFY(action->isEnabled());
        QVERIFY(!panel->isVisible());
        QVERIFY(!action->isChecked());

        action->trigger();
        QVERIFY(panel->isVisible());
        QVERIFY(action->isChecked());
        QVERIFY(panel->close());  // its own close button
        QVERIFY(!panel->isVisible());
        QVERIFY(!action->isChecked());

        s.open("handling/problems.cfg");  // opens by itself
        QVERIFY(panel->isVisible());
        QVERIFY(action->isChecked());
        action->trigger();
        QVERIFY(!panel->isVisible());
        QVERIFY(!action->isChecked());
    }

    void floatingDockIsPulledOnScreen_data() {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("fitted");
        const QRect screen(0, 0, 800, 600);
        QTest::newRow("inside") << QRect(10, 20, 300, 200) << QRect(10, 20, 300, 200);
        QTest::newRow("right and below") << QRect(700, 550, 300, 200) << QRect(500, 400, 300, 200);
        QTest::newRow("left and above") << QRect(-250, -90, 300, 200) << QRect(0, 0, 300, 200);
        QTest::newRow("far away") << QRect(5000, -4000, 300, 200) << QRect(500, 0, 300, 200);
        QTest::newRow("larger") << QRect(-10, 100, 900, 700) << screen;
    }
    // Where the dock was undocked, dragged or remembered, it never lies
    // partly off the screen's free area.
    void floatingDockIsPulledOnScreen() {
        QFETCH(QRect, window);
        QFETCH(QRect, fitted);
        QCOMPARE(fittedInto(window, QRect(0, 0, 800, 600)), fitted);
        const QRect available = QRect(QPoint(100, 50), fitted.size().grownBy({0, 0, 80, 60}));
        QVERIFY(available.contains(fittedInto(window.translated(100, 50), available)));

        Session s;
        s.window.show();
        ProblemsPanel* panel = s.window.findChild<ProblemsPanel*>();
        panel->show();
        panel->setFloating(true);
        const QRect screen = panel->screen()->availableGeometry();
        panel->setGeometry(QRect(screen.topLeft() + window.topLeft(), window.size()));
        panel->keepOnScreen();
        QVERIFY(screen.contains(panel->frameGeometry()));

        // Remembered off screen, it comes back on screen at the next start.
        panel->setGeometry(QRect(screen.topLeft() + window.topLeft(), window.size()));
        s.window.close();
        MainWindow again(s.desktop, kLanguages);
        again.start();
        QVERIFY(again.findChild<ProblemsPanel*>()->isFloating());
        QVERIFY(again.findChild<ProblemsPanel*>()->isVisibleTo(&again));
        QVERIFY(screen.contains(again.findChild<ProblemsPanel*>()->frameGeometry()));
    }
};

QTEST_MAIN(ProblemsPanelTests)
#include "tst_problems_panel.moc"
