#include "app/CTRVApp.h"

#include "app/CMainFrame.h"
#include "app/DatabaseCommands.h"

#include <QFileInfo>

namespace trv::app {

CTRVApp::CTRVApp(ShellOptions options) : options_(std::move(options))
{
}

CTRVApp::~CTRVApp()
{
    frame_.reset(); // its editor windows refer to the document
    deleteDocument();
}

bool CTRVApp::initInstance(const QStringList& arguments)
{
    recent_.load();

    frame_ = std::make_unique<CMainFrame>(*this);
    frame_->startSplash();
    frame_->restoreWorkspace();

    // A plain start opens no database; a file named on the command line is opened, and the
    // program ends when that fails.
    const QStringList files = arguments.mid(1);
    if (!files.isEmpty() && !frame_->databaseCommands().openStartupFile(files.first()))
        return false;

    frame_->showMaximized();
    ShortcutTable stored;
    if (stored.load())
        frame_->applyShortcuts(stored);
    return true;
}

} // namespace trv::app
