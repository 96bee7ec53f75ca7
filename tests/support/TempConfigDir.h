// Points TRV_CONFIG_DIR at a fresh folder for the lifetime of a test.
#pragma once

#include <QByteArray>
#include <QTemporaryDir>

#include <cstdlib>

namespace trv::test {

class TempConfigDir {
public:
    TempConfigDir() : previous_(qgetenv("TRV_CONFIG_DIR"))
    {
        qputenv("TRV_CONFIG_DIR", dir_.path().toUtf8());
    }
    ~TempConfigDir()
    {
        if (previous_.isEmpty())
            qunsetenv("TRV_CONFIG_DIR");
        else
            qputenv("TRV_CONFIG_DIR", previous_);
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
    QByteArray previous_;
};

} // namespace trv::test
