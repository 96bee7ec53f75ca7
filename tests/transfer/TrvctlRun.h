// Runs trvctl as a process for the end-to-end tests; a run that does not end in time is killed.
#pragma once

#include "tests/support/TiedChild.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace trv::transfer::testing {

struct CtlRun {
    int exitCode = -1; // -1: crashed or killed
    QString out;
    QString err;
};

// environment: variables set for this run only (on top of the test's own).
inline CtlRun runTrvctl(const QStringList& arguments, int limitMs = 30000,
                        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess ctl;
    trv::testsupport::TieToThisProcess(ctl);
    ctl.setProcessEnvironment(environment);
    ctl.start(TRVCTL_PATH, arguments);
    CtlRun run;
    if (!ctl.waitForFinished(limitMs)) {
        ctl.kill();
        ctl.waitForFinished();
        return run;
    }
    run.exitCode = ctl.exitStatus() == QProcess::NormalExit ? ctl.exitCode() : -1;
    run.out = QString::fromLocal8Bit(ctl.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(ctl.readAllStandardError());
    return run;
}

} // namespace trv::transfer::testing
