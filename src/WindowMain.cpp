// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "cli/ProgramArguments.h"
#include "files/MemoryUse.h"
#include "io/ProgramFolder.h"
#include "ui/MainWindow.h"
#include "ui/QtDesktop.h"

// The window's program: `wendrake` starts it with the arguments that ask
// for the window. Started by hand with a command, it answers as wendrake.
int main(int argc, char* argv[]) {
    wendrake::returnLargeBlocksWhenFreed();
    const std::vector<std::string> args = wendrake::programArguments(argc, argv);
    const std::optional<wendrake::WindowRequest> request = wendrake::windowRequest(args);
    if (!request) {
        return wendrake::runCommandLine(args);
    }
    const QString file = QString::fromStdString(request->file);
    const QString screenshot = QString::fromStdString(request->screenshot);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wendrake"));
    QApplication::setApplicationDisplayName(QStringLiteral("Wendrake"));
    // Ties the windows to the installed menu entry org.wendrake.Wendrake.desktop:
    // Wayland desktops take the icon and name in the task bar from it.
    QApplication::setDesktopFileName(QStringLiteral("org.wendrake.Wendrake"));
    wendrake::QtDesktop desktop;
    desktop.setUnattended(!screenshot.isEmpty());
    wendrake::MainWindow window(desktop, wendrake::programFolder());
    desktop.setParentWindow(&window);
    if (!window.start()) {
        return 1;
    }
    if (!screenshot.isEmpty()) {
        window.resize(1280, 800);
    }
    window.show();
    window.openAtStart(file);
    if (!screenshot.isEmpty()) {
        QApplication::processEvents();
        if (!window.grab().save(screenshot)) {
            std::fprintf(stderr, "wendrake: cannot write %s\n",
                         screenshot.toLocal8Bit().constData());
            return 2;
        }
        std::printf("%s\n", screenshot.toLocal8Bit().constData());
        return 0;
    }
    return QApplication::exec();
}
