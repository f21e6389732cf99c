// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>

namespace wendrake::testing {

// A program run to its end, with what it cost.
struct ChildRun {
    bool finished = false;   // false: killed when its time was up
    int status = -1;         // exit status; -1 when it did not exit normally
    long peakKilobytes = 0;  // its largest resident size
    QByteArray err;
};

// Runs `program` with `arguments`, its output thrown away and its error
// output kept, and kills it after `seconds`.
//
// The test executable must hand "--measure" calls to measureChild() in its
// main(): a process forked from a large one is charged with the large one's
// memory, so the program is started from a fresh, small copy of the test.
ChildRun runChild(const QString& program, const QStringList& arguments, int seconds);

// The "--measure SECONDS PROGRAM ARGS..." mode: runs the program and prints
// "<finished> <status> <peak kilobytes>".
int measureChild(char** arguments);

}  // namespace wendrake::testing
