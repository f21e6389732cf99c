// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "cli/CommandLine.h"
#include "io/MemoryUse.h"
#include "io/ProgramFolder.h"
#include "ui/MainWindow.h"
#include "ui/QtDesktop.h"

int main(int argc, char* argv[]) {
    wendrake::returnLargeBlocksWhenFreed();
    // The words as given: a vehicle name is the file's bytes, which need not
    // be text of the locale.
    QByteArrayList args;
    for (int i = 0; i < argc; ++i) {
        args << QByteArray(argv[i]);
    }
    const std::optional<wendrake::WindowRequest> options = wendrake::windowRequest(args);
    if (!options) {
        QCoreApplication app(argc, argv);
        return wendrake::runCommandLine(args);
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wendrake"));
    QApplication::setApplicationDisplayName(QStringLiteral("Wendrake"));
    // Ties the windows to the installed menu entry org.wendrake.Wendrake.desktop:
    // Wayland desktops take the icon and name in the task bar from it.
    QApplication::setDesktopFileName(QStringLiteral("org.wendrake.Wendrake"));
    wendrake::QtDesktop desktop;
    desktop.setUnattended(!options->screenshot.isEmpty());
    wendrake::MainWindow window(desktop, wendrake::programFolder());
    desktop.setParentWindow(&window);
    if (!window.start()) {
        return 1;
    }
    if (!options->screenshot.isEmpty()) {
        window.resize(1280, 800);
    }
    window.show();
    window.openAtStart(options->file);
    if (!options->screenshot.isEmpty()) {
        QApplication::processEvents();
        if (!window.grab().save(options->screenshot)) {
            std::fprintf(stderr, "wendrake: cannot write %s\n",
                         options->screenshot.toLocal8Bit().constData());
            return 2;
        }
        std::printf("%s\n", options->screenshot.toLocal8Bit().constData());
        return 0;
    }
    return QApplication::exec();
}
