#pragma once

#include <QStringList>

namespace wendrake {

// True when the arguments ask for a command that runs without a window
// (check, format, --version, --help).
bool isCommandLineRequest(const QStringList& arguments);

// Runs such a command; `arguments` start with the program name. Returns the
// process exit status. Needs a QCoreApplication.
int runCommandLine(const QStringList& arguments);

}  // namespace wendrake
