// Sets $TRV_COMn for the life of the object: COMn stands for that device in this process and in
// the programs it starts, before the stored mapping.
#pragma once

#include <QByteArray>
#include <QString>

namespace trv::testsupport {

class ComEnvironment {
public:
    ComEnvironment(int port, const QString& device) : name_("TRV_COM" + QByteArray::number(port))
    {
        qputenv(name_.constData(), device.toLocal8Bit());
    }
    ~ComEnvironment() { qunsetenv(name_.constData()); }
    ComEnvironment(const ComEnvironment&) = delete;
    ComEnvironment& operator=(const ComEnvironment&) = delete;

private:
    QByteArray name_;
};

} // namespace trv::testsupport
