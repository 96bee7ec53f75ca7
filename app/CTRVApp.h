// The application object: start-up, the one database document and the recent-file list.
#pragma once

#include "app/DocumentHolder.h"
#include "app/RecentFileList.h"
#include "app/ShellOptions.h"

#include <QStringList>

#include <memory>

namespace trv::app {

class CMainFrame;

class CTRVApp : public DocumentHolder {
public:
    explicit CTRVApp(ShellOptions options = {});
    ~CTRVApp();
    CTRVApp(const CTRVApp&) = delete;
    CTRVApp& operator=(const CTRVApp&) = delete;

    // Runs the start-up (arguments as from the command line, program name first). False when the
    // program must end: a file named on the command line could not be opened.
    bool initInstance(const QStringList& arguments);

    CMainFrame* mainFrame() const { return frame_.get(); }
    const ShellOptions& options() const { return options_; }

    RecentFileList& recentFiles() { return recent_; }

private:
    ShellOptions options_;
    std::unique_ptr<CMainFrame> frame_;
    RecentFileList recent_;
};

} // namespace trv::app
