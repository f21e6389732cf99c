// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChildRun.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace wendrake::testing {

ChildRun runChild(const QString& program, const QStringList& arguments, int seconds) {
    QProcess measure;
    measure.start(QCoreApplication::applicationFilePath(),
                  QStringList{"--measure", QString::number(seconds), program} + arguments);
    ChildRun run;
    if (!measure.waitForFinished((seconds + 30) * 1000)) {
        measure.kill();
        return run;
    }
    run.err = measure.readAllStandardError();
    const QList<QByteArray> report = measure.readAllStandardOutput().trimmed().split(' ');
    if (report.size() == 3) {
        run.finished = report[0] == "1";
        run.status = report[1].toInt();
        run.peakKilobytes = report[2].toLong();
    }
    return run;
}

int measureChild(char** arguments) {
    const int seconds = std::atoi(arguments[0]);
    char** command = arguments + 1;
    const pid_t pid = fork();
    if (pid < 0) {
        return 1;
    }
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        execv(command[0], command);
        _exit(127);
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    int status = 0;
    rusage usage{};
    bool finished = true;
    while (wait4(pid, &status, WNOHANG, &usage) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            wait4(pid, &status, 0, &usage);
            finished = false;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::printf("%d %d %ld\n", finished ? 1 : 0, WIFEXITED(status) ? WEXITSTATUS(status) : -1,
                usage.ru_maxrss);
    return 0;
}

}  // namespace wendrake::testing
