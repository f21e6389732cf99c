#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "cli/CommandLine.h"
#include "io/MemoryUse.h"
#include "io/ProgramFolder.h"
#include "ui/QtDesktop.h"
#include "ui/frmMain.h"

namespace {

struct EditorOptions {
    QString file;
    QString screenshot;
};

bool parseEditorOptions(const QStringList& args, EditorOptions& options) {
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--screenshot") && i + 1 < args.size()) {
            options.screenshot = args[++i];
        } else if (options.file.isEmpty() && !args[i].startsWith(QLatin1String("--"))) {
            options.file = args[i];
        } else {
            std::fprintf(stderr, "wendrake: unexpected argument \"%s\" (see wendrake --help)\n",
                         args[i].toLocal8Bit().constData());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    wendrake::returnLargeBlocksWhenFreed();
    QStringList args;
    for (int i = 0; i < argc; ++i) {
        args << QString::fromLocal8Bit(argv[i]);
    }
    if (wendrake::isCommandLineRequest(args)) {
        QCoreApplication app(argc, argv);
        return wendrake::runCommandLine(app.arguments());
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wendrake"));
    QApplication::setApplicationDisplayName(QStringLiteral("Wendrake"));
    // Ties the windows to the installed menu entry org.wendrake.Wendrake.desktop:
    // Wayland desktops take the icon and name in the task bar from it.
    QApplication::setDesktopFileName(QStringLiteral("org.wendrake.Wendrake"));
    EditorOptions options;
    if (!parseEditorOptions(app.arguments(), options)) {
        return 2;
    }

    wendrake::QtDesktop desktop;
    desktop.setUnattended(!options.screenshot.isEmpty());
    wendrake::frmMain window(desktop, wendrake::programFolder());
    desktop.setParentWindow(&window);
    if (!window.start()) {
        return 1;
    }
    if (!options.screenshot.isEmpty()) {
        window.resize(1280, 800);
    }
    window.show();
    if (!options.file.isEmpty()) {
        window.openFile(options.file);
    }
    if (!options.screenshot.isEmpty()) {
        QApplication::processEvents();
        if (!window.grab().save(options.screenshot)) {
            std::fprintf(stderr, "wendrake: cannot write %s\n",
                         options.screenshot.toLocal8Bit().constData());
            return 2;
        }
        std::printf("%s\n", options.screenshot.toLocal8Bit().constData());
        return 0;
    }
    return QApplication::exec();
}
