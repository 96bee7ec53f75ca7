// trv: the deskset configuration tool.
#include "app/CTRVApp.h"
#include "app/ShellArt.h"
#include "platform/AppTexts.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("trv"));
    QApplication::setDesktopFileName(QStringLiteral("trv"));
    QApplication::setWindowIcon(trv::app::applicationIcon());

    trv::app::CTRVApp app;
    if (!app.initInstance(QApplication::arguments()))
        return 1;
    return QApplication::exec();
}
