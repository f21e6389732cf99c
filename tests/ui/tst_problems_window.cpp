// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtTest>

#include <QAbstractItemModelTester>

#include "support/WindowSession.h"
#include "ui/ProblemsWindow.h"

using namespace wendrake;
using namespace wendrake::testing;

namespace {

ErrorListEntry row(std::string car, std::string parameter = "Mass", int field = 1) {
    return {std::move(car), std::move(parameter), "Must be a number", field};
}

// Row r as the list shows it.
QStringList shown(const QTreeView* list, int r) {
    QStringList cells;
    for (int c = 0; c < 3; ++c) {
        cells << list->model()->index(r, c).data().toString();
    }
    return cells;
}

}  // namespace

class ErrorWindowTests : public QObject {
    Q_OBJECT
  private slots:
    void showsRowsInOrder() {
        // Car names are game bytes (Latin-1); the other texts are UTF-8.
        ErrorRows rows{row("B\xD6RSE", "Gewicht (kg)"), {"ADMIRAL", "", "Falsche Anzahl", -1}};
        ProblemsWindow window(rows);
        window.rowsReplaced();
        QCOMPARE(window.lstErrors->model()->rowCount(), 2);
        QCOMPARE(shown(window.lstErrors, 0),
                 QStringList({"BÖRSE", "Gewicht (kg)", "Must be a number"}));
        QCOMPARE(shown(window.lstErrors, 1), QStringList({"ADMIRAL", "", "Falsche Anzahl"}));
    }

    void closingHidesAndNewRowsShowTheListAgain() {
        ErrorRows rows{row("OLD")};
        QWidget mainWindow;
        auto* window = new ProblemsWindow(rows, &mainWindow);
        const QPointer<ProblemsWindow> alive(window);
        window->rowsReplaced();
        QVERIFY(window->close());  // the close box
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(alive);
        QVERIFY(!window->isVisible());

        rows.push_back(row("IMPORTED"));
        window->rowsAppended(1);
        QVERIFY(window->isVisible());
        QCOMPARE(window->lstErrors->model()->rowCount(), 2);
        QCOMPARE(shown(window->lstErrors, 0).first(), "OLD");
        QCOMPARE(shown(window->lstErrors, 1).first(), "IMPORTED");

        QTest::mouseClick(window->cmdClose, Qt::LeftButton);
        QVERIFY(!window->isVisible());
        window->rowsAppended(2);  // an import without bad lines
        QVERIFY(!window->isVisible());
        QCOMPARE(window->lstErrors->model()->rowCount(), 2);
    }

    void activatingARowReportsThatRow() {
        ErrorRows rows{row("ADMIRAL"), row("BANSHEE", "Drag", 4), row("CHEETAH", "", -1)};
        ProblemsWindow window(rows);
        window.rowsReplaced();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        std::vector<ErrorListEntry> activated;
        connect(&window, &ProblemsWindow::rowActivated, &window,
                [&](const ErrorListEntry& entry) { activated.push_back(entry); });

        QTreeView* list = window.lstErrors;
        const QPoint second = list->visualRect(list->model()->index(1, 2)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second);
        list->setCurrentIndex(list->model()->index(2, 0));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(activated, (std::vector<ErrorListEntry>{rows[1], rows[2]}));
    }

    void modelTellsViewsOfAppendsAsInserts() {
        ErrorRows rows;
        ErrorListModel model(rows);
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

        // The document appends first and tells the model afterwards.
        rows.push_back(row("A"));
        model.rowsAppended(0);
        rows.insert(rows.end(), {row("B"), row("C")});
        model.rowsAppended(1);
        QCOMPARE(reset.size(), 0);
        QCOMPARE(inserted.size(), 2);
        QCOMPARE(inserted.at(1).mid(1), QVariantList({1, 2}));

        rows.resize(1);
        model.reload();
        QCOMPARE(model.rowCount(), 1);
        // Replaced without a reload, then reported as an append: the rows the
        // views knew are gone, so only a reset is truthful.
        rows = {row("X"), row("Y"), row("Z")};
        model.rowsAppended(2);
        QCOMPARE(reset.size(), 2);
        QCOMPARE(model.index(0, 0).data().toString(), "X");
    }
};

QTEST_MAIN(ErrorWindowTests)
#include "tst_problems_window.moc"
