#include "app/PortDiagnosis.h"

#include "app/ShellTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace trv::app {

PortProbe probePort(const QString& device)
{
    PortProbe probe;
    const QByteArray path = QFile::encodeName(device);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        probe.error = errno;
        switch (probe.error) {
        case ENOENT:
        case ENXIO:
        case ENODEV:
            probe.problem = PortProbe::Problem::Missing;
            break;
        case EACCES:
        case EPERM:
            probe.problem = PortProbe::Problem::NoPermission;
            break;
        case EBUSY:
            probe.problem = PortProbe::Problem::Busy;
            break;
        default:
            probe.problem = PortProbe::Problem::Other;
            break;
        }
    } else {
        // The transport locks the line: another program's lock means it is in use.
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
            probe.problem = PortProbe::Problem::Busy;
        else
            ::flock(fd, LOCK_UN);
        ::close(fd);
    }
    if (probe.problem == PortProbe::Problem::Busy)
        probe.holder = portHolder(device);
    return probe;
}

QString portHolder(const QString& device)
{
    const QString target = QFileInfo(device).canonicalFilePath();
    if (target.isEmpty())
        return {};
    const QString self = QString::number(::getpid());
    const QDir proc(QStringLiteral("/proc"));
    QString found;
    for (const QString& pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        pid.toInt(&numeric);
        if (!numeric)
            continue;
        const QDir fds(proc.filePath(pid + QStringLiteral("/fd")));
        for (const QFileInfo& fd : fds.entryInfoList(QDir::System | QDir::NoDotAndDotDot)) {
            if (fd.symLinkTarget() != target)
                continue;
            QFile comm(proc.filePath(pid + QStringLiteral("/comm")));
            const QString name =
                comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll()).trimmed() : QString();
            found = QString::fromLatin1(text::kPortHolder).arg(name, pid);
            // Another program rather than this one, when both have it open.
            if (pid != self)
                return found;
            break;
        }
    }
    return found;
}

QString openFailureDetails(int comPort, const QString& device, const PortProbe& probe)
{
    const QString port = QStringLiteral("COM%1").arg(comPort);
    QString reason;
    switch (probe.problem) {
    case PortProbe::Problem::Missing:
        reason = QString::fromLatin1(text::kPortMissing).arg(device);
        break;
    case PortProbe::Problem::NoPermission:
        reason = QString::fromLatin1(text::kPortNoPermission).arg(device);
        break;
    case PortProbe::Problem::Busy:
        reason = probe.holder.isEmpty() ? QString::fromLatin1(text::kPortBusy).arg(device)
                                        : QString::fromLatin1(text::kPortBusyBy).arg(device, probe.holder);
        break;
    case PortProbe::Problem::Other:
        reason = QString::fromLatin1(text::kPortOtherError)
                     .arg(device, QString::fromLocal8Bit(std::strerror(probe.error)));
        break;
    case PortProbe::Problem::None:
        reason = QString::fromLatin1(text::kPortOpensNow).arg(device);
        break;
    }
    return QString::fromLatin1(text::kPortIsDevice).arg(port, device) + QLatin1Char('\n') + reason;
}

} // namespace trv::app
