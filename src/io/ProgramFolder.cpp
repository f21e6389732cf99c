// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFolder.h"

#include "files/ProgramFolder.h"

namespace wendrake {

QString programFolder() {
    return QString::fromStdString(runningProgramFolder());
}

}  // namespace wendrake
