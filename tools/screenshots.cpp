// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the pictures of the README and the manuals from the real windows, offscreen:
//   wendrake_screenshots OUTDIR SAMPLES_FOLDER FILE_WITH_PROBLEMS [WIDTHxHEIGHT [LANGUAGE]]
// The window is 1280 x 800 and English unless told otherwise.
// Run it through scripts/screenshots, which gives it a settings folder of its
// own so that nothing of the player's settings is touched.

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QListView>
#include <QScrollArea>
#include <QScrollBar>
#include <cstdio>

#include "io/LanguageFiles.h"
#include "io/ProgramFolder.h"
#include "ui/MainWindow.h"
#include "ui/QtDesktop.h"

using namespace wendrake;

namespace {

bool save(QWidget* widget, const QString& folder, const char* name) {
    QApplication::processEvents();
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    if (!widget->grab().save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// Shows the vehicle of that name, as a click in the vehicle list does.
void showVehicle(MainWindow& window, const QString& name) {
    auto* list = window.findChild<QListView*>(QStringLiteral("vehicleList"));
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                       name, 1, Qt::MatchExactly);
    if (!found.isEmpty()) {
        list->setCurrentIndex(found.first());
    }
}

// Adds the vehicle of that name to those chosen, as Ctrl+click does: with
// several chosen, the window compares them.
void addVehicle(MainWindow& window, const QString& name) {
    auto* list = window.findChild<QListView*>(QStringLiteral("vehicleList"));
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                       name, 1, Qt::MatchExactly);
    if (!found.isEmpty()) {
        list->selectionModel()->select(found.first(), QItemSelectionModel::Select);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 4 || argc > 6) {
        std::fprintf(stderr,
                     "usage: wendrake_screenshots OUTDIR SAMPLES_FOLDER PROBLEMS_FILE "
                     "[WIDTHxHEIGHT [LANGUAGE]]\n");
        return 2;
    }
    QSize size(1280, 800);
    if (argc > 4) {
        const QStringList parts = QString::fromLocal8Bit(argv[4]).split(QLatin1Char('x'));
        if (parts.size() == 2) {
            size = QSize(parts[0].toInt(), parts[1].toInt());
        }
    }
    const QString language = argc > 5 ? QString::fromLocal8Bit(argv[5]) : QStringLiteral("English");
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    QtDesktop desktop;
    desktop.setUnattended(true);
    MainWindow window(desktop, programFolder());
    desktop.setParentWindow(&window);
    if (!window.start()) {
        return 1;
    }
    window.switchLanguage(language);
    window.resize(size);
    window.show();

    const QString samples = QString::fromLocal8Bit(argv[2]) + QLatin1Char('/');
    window.openFile(samples + QStringLiteral("handling.cfg"));
    showVehicle(window, QStringLiteral("COMET_GT"));
    if (!save(&window, out, "handling-general.png")) {
        return 1;
    }
    // The flags lie at the end of the page: scrolled into view where the
    // window is too small for all of it.
    window.findChild<HandlingPages*>()->focusField(static_cast<int>(HandlingField::Flags));
    if (!save(&window, out, "handling-flags.png")) {
        return 1;
    }

    // The table of all vehicles in place of the pages, heaviest first.
    window.tableAction->trigger();
    auto* table = window.findChild<VehicleTable*>();
    table->sortByColumn(static_cast<int>(HandlingField::Gewicht), Qt::DescendingOrder);
    table->scrollToTop();
    if (!save(&window, out, "vehicle-table.png")) {
        return 1;
    }
    table->sortByColumn(-1, Qt::AscendingOrder);
    window.tableAction->trigger();

    // Three sports cars side by side, their differences marked.
    showVehicle(window, QStringLiteral("COMET_GT"));
    addVehicle(window, QStringLiteral("VIPER_RS"));
    addVehicle(window, QStringLiteral("ROADSTER_S"));
    if (!save(&window, out, "compare-view.png")) {
        return 1;
    }
    // Marks in the boxes: a mass typed with a decimal comma (an error, with
    // the point offered) and a top speed above its usual range (a warning).
    // Both edits are undone again, so the next file opens without a question.
    showVehicle(window, QStringLiteral("COMET_GT"));
    auto* pages = window.findChild<HandlingPages*>();
    for (auto* page : pages->findChildren<QScrollArea*>()) {
        page->verticalScrollBar()->setValue(0);
    }
    window.findChild<QLineEdit*>(QStringLiteral("txtGewicht"))->setText(QStringLiteral("1350,5"));
    window.findChild<QLineEdit*>(QStringLiteral("txtGeschwindigkeit"))
        ->setText(QStringLiteral("210.0"));
    window.findChild<ProblemsPanel*>()->hide();
    if (!save(&window, out, "value-marks.png")) {
        return 1;
    }
    window.undoAction->trigger();
    window.undoAction->trigger();

    // The problems dock below the pages, as a file with problems opens it.
    window.openFile(QString::fromLocal8Bit(argv[3]));
    auto* handlingPages = window.findChild<HandlingPages*>();
    handlingPages->setCurrentIndex(0);
    // The flags picture left the page scrolled down; this one shows its top.
    for (auto* page : handlingPages->findChildren<QScrollArea*>()) {
        page->verticalScrollBar()->setValue(0);
    }
    window.resizeDocks({window.findChild<ProblemsPanel*>()}, {230}, Qt::Vertical);
    if (!save(&window, out, "problems-panel.png")) {
        return 1;
    }
    window.findChild<ProblemsPanel*>()->hide();

    window.openFile(samples + QStringLiteral("default.ide"));
    showVehicle(window, QStringLiteral("AMBULANCE"));
    if (!save(&window, out, "vehicle-definition.png")) {
        return 1;
    }

    window.openFile(samples + QStringLiteral("carcols.dat"));
    window.findChild<ColourPages*>()
        ->findChild<QListWidget*>(QStringLiteral("lstColors"))
        ->setCurrentRow(4);
    showVehicle(window, QStringLiteral("comet"));
    return save(&window, out, "colour-pairs.png") ? 0 : 1;
}
