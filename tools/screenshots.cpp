// Renders the README's pictures of the real windows, offscreen:
//   wendrake_screenshots OUTDIR HANDLING_FILE FILE_WITH_PROBLEMS
// Run it through scripts/screenshots, which gives it a settings folder of its
// own so that nothing of the player's settings is touched.

#include <QApplication>
#include <QDir>
#include <cstdio>

#include "platform/LanguageFiles.h"
#include "platform/ProgramFolder.h"
#include "platform/QtDesktop.h"
#include "ui/frmMain.h"

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

VehicleDefRecord definition(std::initializer_list<const char*> values) {
    VehicleDefRecord record;
    std::size_t i = 0;
    for (const char* value : values) {
        record.fields.at(i++) = value;
    }
    return record;
}

// A few vehicle definitions shown on the definition pages.
void showVehicleDefinitions(frmMain& window) {
    EditorDocument& document = window.document();
    document.kind = DataFileKind::VehicleDefs;
    document.VehicleDefRecords = {
        definition({"90", "comet", "comet", "car", "COMET_GT", "COMET", "richfamily", "10", "7",
                    "0", "160", "0.7"}),
        definition({"91", "ambulan", "ambulan", "car", "AMBULANCE", "AMBULAN", "ignore", "10", "7",
                    "0", "162", "0.75"}),
        definition({"120", "skimmer", "skimmer", "plane", "SKIMMER", "SKIMMER", "ignore", "10", "7",
                    "0", "-1"}),
    };
    document.VehicleDefSnapshot = document.VehicleDefRecords;
    std::vector<std::string> names;
    for (const auto& record : document.VehicleDefRecords) {
        names.push_back(record.name());
    }
    document.Autos.assign(names);
    window.vehicleListModel()->reload();
    window.SSTab1->hide();
    window.SSTab2->show();
    window.SSTab2->setEnabled(true);
    window.FrameAutos->setEnabled(true);
    window.cmbAutos->setCurrentIndex(-1);
    window.cmbAutos->setCurrentIndex(0);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: wendrake_screenshots OUTDIR HANDLING_FILE PROBLEMS_FILE\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    QtDesktop desktop;
    desktop.setUnattended(true);
    frmMain window(desktop, programFolder());
    desktop.setParentWindow(&window);
    if (!window.start()) {
        return 1;
    }
    window.cmbSprache->setCurrentIndex(window.cmbSprache->findText(QStringLiteral("English")));
    window.cmbSprache_Click();
    window.resize(1280, 800);
    window.show();

    window.openFile(QString::fromLocal8Bit(argv[2]));
    window.cmbAutos->setCurrentIndex(window.cmbAutos->findText(QStringLiteral("COMET_GT")));
    const std::initializer_list<std::pair<int, const char*>> pages = {
        {0, "handling-general.png"}, {2, "handling-power.png"}, {5, "handling-flags.png"}};
    for (const auto& [page, name] : pages) {
        window.SSTab1->setCurrentIndex(page);
        if (!save(&window, out, name)) {
            return 1;
        }
    }

    window.openFile(QString::fromLocal8Bit(argv[3]));
    window.errorWindow->resize(760, 260);
    if (!save(window.errorWindow, out, "error-window.png")) {
        return 1;
    }
    window.errorWindow->hide();

    showVehicleDefinitions(window);
    window.SSTab2->setCurrentIndex(1);
    return save(&window, out, "vehicle-definition.png") ? 0 : 1;
}
