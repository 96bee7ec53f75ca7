// A desksetsim on a pseudo-terminal for end-to-end tests and benchmarks: started with --pty and
// a frame log, its device path read from its first output line.
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

namespace trv::transfer::testing {

class Simulator {
public:
    // Starts desksetsim --pty with the extra arguments; check ok() afterwards.
    Simulator(const QString& program, const QStringList& arguments);
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    bool ok() const { return !pty_.isEmpty(); }
    const QString& pty() const { return pty_; }
    QString errorText() const { return error_; }

    // A file path inside the simulator's scratch folder.
    QString path(const QString& name) const { return dir_.filePath(name); }

    // Frames of the log in one direction ("TX" sent by the simulator, "RX" received), as
    // upper-case hexadecimal byte strings "04 00 02 01 01 A0 71".
    QStringList frames(const QString& direction) const;
    // The whole frame log.
    QString log() const;

private:
    QTemporaryDir dir_;
    QProcess process_;
    QString pty_;
    QString error_;
};

} // namespace trv::transfer::testing
