#include "Simulator.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>

#include "tests/support/TiedChild.h"

namespace trv::transfer::testing {

Simulator::Simulator(const QString& program, const QStringList& arguments)
{
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    trv::testsupport::TieToThisProcess(process_);
    process_.start(program, QStringList{"--pty", "--log", path("frames.log")} + arguments);
    QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired() && process_.state() != QProcess::NotRunning) {
        if (!process_.canReadLine() && !process_.waitForReadyRead(100))
            continue;
        const QString line = QString::fromLocal8Bit(process_.readLine()).trimmed();
        if (line.startsWith("PTY ")) {
            pty_ = line.mid(4);
            return;
        }
    }
    error_ = "desksetsim did not announce its pseudo-terminal: " +
             QString::fromLocal8Bit(process_.readAllStandardError());
}

Simulator::~Simulator()
{
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
        process_.kill();
        process_.waitForFinished(3000);
    }
}

QString Simulator::log() const
{
    QFile file(dir_.filePath("frames.log"));
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

QStringList Simulator::frames(const QString& direction) const
{
    QFile log(dir_.filePath("frames.log"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression kLine(R"(^\s*\d+ ms\s+(TX|RX)\s+((?:[0-9A-Fa-f]{2} ?)+))");
    QStringList result;
    while (!log.atEnd()) {
        const auto match = kLine.match(QString::fromLatin1(log.readLine()));
        if (match.hasMatch() && match.captured(1) == direction)
            result << match.captured(2).trimmed().toUpper();
    }
    return result;
}

} // namespace trv::transfer::testing
