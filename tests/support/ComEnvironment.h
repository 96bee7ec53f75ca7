// Sets $TRV_COMn for the life of the object: COMn stands for that device in this process and in
// the programs it starts, before the stored mapping. The value it replaced comes back with it.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace trv::testsupport {

class ComEnvironment {
public:
    ComEnvironment(int port, const QString& device) : name_("TRV_COM" + QByteArray::number(port))
    {
        if (qEnvironmentVariableIsSet(name_.constData()))
            previous_ = qgetenv(name_.constData());
        qputenv(name_.constData(), device.toLocal8Bit());
    }
    ~ComEnvironment()
    {
        if (previous_)
            qputenv(name_.constData(), *previous_);
        else
            qunsetenv(name_.constData());
    }
    ComEnvironment(const ComEnvironment&) = delete;
    ComEnvironment& operator=(const ComEnvironment&) = delete;

private:
    QByteArray name_;
    std::optional<QByteArray> previous_; // none: the variable was not set
};

} // namespace trv::testsupport
